// The generator's text output: formatting and files written a piece at a time in CP932.
#include "verilog/textfile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/encoding.h"
#include "common/error.h"
#include "temp_root.h"

namespace {

namespace fs = std::filesystem;
using novra::verilog::CTextFile;
using novra::verilog::fmt;

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string printfOf(const char* format, int a, const char* s, int b) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, a, s, b);
    return buf;
}

TEST(VerilogText, FormatsLikePrintf) {
    // The conversions the writers use, at the edges of int, around text and next to each other.
    for (int v : {0, 7, -7, 10, 99, 100, -100, 123456789, INT_MAX, INT_MIN}) {
        EXPECT_EQ(fmt("w_%d_%s_%d", v, "x", v == INT_MIN ? 0 : -v),
                  printfOf("w_%d_%s_%d", v, "x", v == INT_MIN ? 0 : -v));
        EXPECT_EQ(fmt("%d%s%d", v, "", v), printfOf("%d%s%d", v, "", v));
    }
    EXPECT_EQ(fmt("100%% %c%c", 'o', 'k'), "100% ok");
    EXPECT_EQ(fmt("%s", "a %d in the text stays"), "a %d in the text stays");
    const char* empty = "";
    EXPECT_EQ(fmt(empty), "");  // through a variable: a literal "" is a warning of its own
    EXPECT_EQ(fmt("plain"), "plain");
    // Anything else still goes through printf.
    EXPECT_EQ(fmt("%3d|%.2d|%.3s|%x", 5, 7, "abcdef", 255), "  5|07|abc|ff");
    EXPECT_EQ(fmt("%d then %5.2f", 3, 1.5), "3 then  1.50");
}

TEST(VerilogText, LargeFileMatchesOneConversion) {
    // Several megabytes with Japanese comments between ASCII lines, appended in pieces: the file holds
    // exactly the CP932 text of the whole, every comment intact across the chunk boundaries.
    const fs::path dir = novra::vtest::freshDir("textfile_large");
    const fs::path path = dir / "big.v";
    std::string whole;
    {
        CTextFile f(path.string());
        for (int i = 0; i < 150000; ++i) {
            std::string piece = fmt("\twire w_%d_%d;\n", i, i + 1);
            if (i % 7 == 0) piece += "//\tガード式\\~\n";
            if (i % 1000 == 0)
                piece += std::string(100, 'x') + "選択分岐なので全ての出力先からのackを通過させる\n";
            f << piece;
            whole += piece;
        }
        f << "endmodule\n";
        whole += "endmodule\n";
        f.close();
    }
    ASSERT_GT(whole.size(), size_t(2) << 20);
    const auto expected = novra::utf8ToCp932(whole);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(readBytes(path), *expected);
}

TEST(VerilogText, UnwritableTextIsRefusedWithTheFileName) {
    // A character CP932 cannot hold ends the file with a message naming it, large file or small.
    const fs::path dir = novra::vtest::freshDir("textfile_refused");
    for (size_t filler : {size_t(10), size_t(3) << 20}) {
        const fs::path path = dir / ("bad" + std::to_string(filler) + ".v");
        try {
            CTextFile f(path.string());
            f << std::string(filler, 'a');
            f << "\xF0\x9F\x98\x80\n";  // an emoji
            f.close();
            ADD_FAILURE() << "no error for " << filler;
        } catch (const novra::CError& e) {
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        }
    }
}

}  // namespace
