// novra-cli save, run as a user would run it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"

using namespace novra;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliSave : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "novra-cli-save-XXXXXX").string();
        dir_ = mkdtemp(tmpl.data());
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    // Runs novra-cli save with the arguments; returns the exit status and keeps stderr.
    int save(const std::string& args) {
        const std::string cmd = std::string("\"") + NOVRA_BIN_DIR + "/novra-cli\" save " + args + " 2>\"" +
                                file("stderr.txt") + "\"";
        const int status = std::system(cmd.c_str());
        err_ = slurp(file("stderr.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& err() const { return err_; }

    std::filesystem::path dir_;
    std::string err_;
};

}  // namespace

TEST_F(CliSave, WritesVersion200AndReportsFailuresWithStatus2) {
    CNet net;
    const int p = net.addObject(10, 10, kPlace);
    const int t = net.addObject(50, 10, kTransition);
    net.transitions.at(t).functionText = "o1=~i1; // 反転";
    net.addArc(p, t, {{30, 0}}, "i1");
    net.setToken(p, kBlack, 1);
    fileio::save(net, file("in.pol"));

    // An LF-only copy comes out as the program's own CRLF file.
    std::string lf = slurp(file("in.pol"));
    std::erase(lf, '\r');
    std::ofstream(file("lf.pol"), std::ios::binary) << lf;
    EXPECT_EQ(save("\"" + file("lf.pol") + "\" \"" + file("out.pol") + "\""), 0);
    EXPECT_EQ(err(), "");
    EXPECT_EQ(slurp(file("out.pol")), slurp(file("in.pol")));

    EXPECT_EQ(save("\"" + file("absent.pol") + "\" \"" + file("x.pol") + "\""), 2);
    EXPECT_NE(err().find(text(msg::kFileOpenFailed)), std::string::npos) << err();
    std::ofstream(file("text.pol")) << "hello\n";
    EXPECT_EQ(save("\"" + file("text.pol") + "\" \"" + file("x.pol") + "\""), 2);
    EXPECT_NE(err().find(text(msg::kNotNovraFile)), std::string::npos) << err();
    EXPECT_FALSE(std::filesystem::exists(file("x.pol")));

    const std::string nowhere = file("missing/out.pol");
    EXPECT_EQ(save("\"" + file("in.pol") + "\" \"" + nowhere + "\""), 2);
    EXPECT_NE(err().find(text(msg::kSaveFailed) + nowhere), std::string::npos) << err();

    EXPECT_EQ(save("\"" + file("in.pol") + "\""), 2);
}

TEST_F(CliSave, ConvertsAVersion105File) {
    std::ofstream(file("old.pol"), std::ios::binary) << "=== NOVRA Objects Data Ver.1.05 ===\r\n"
                                                        ".section[transition]{\r\ntran[0,o1=i1&i2:]\r\n}\r\n"
                                                        ".section[vobject]{\r\nobj[0,1,0]=(0,0)\r\n"
                                                        "obj[0,1,0]=(0,40)\r\nobj[0,2,0]=(40,20)\r\n"
                                                        "obj[0,1,0]=(80,20)\r\n}\r\n"
                                                        ".section[token]{\r\ntset[0]=(5,1)\r\n}\r\n"
                                                        ".section[arc]{\r\narc[0,2]\r\narc[1,2]:(20,40)\r\n"
                                                        "arc[2,3]\r\n}\r\n";
    EXPECT_EQ(save("\"" + file("old.pol") + "\" \"" + file("new.pol") + "\""), 0) << err();
    CNet old;
    fileio::load(old, file("old.pol"));
    fileio::save(old, file("expected.pol"));
    EXPECT_EQ(slurp(file("new.pol")), slurp(file("expected.pol")));
    EXPECT_EQ(slurp(file("new.pol")).substr(0, 35), "=== NOVRA Objects Data Ver.2.00 ===");
    CNet converted;
    fileio::load(converted, file("new.pol"));
    EXPECT_EQ(converted.transitions.at(4).functionText, "o1=i1&i2;");
    EXPECT_EQ(converted.arcs.at(converted.findArc(2, 4)).varName, "i2");
    EXPECT_EQ(converted.tokens.at(1), (Token{kBlack, 1}));
}
