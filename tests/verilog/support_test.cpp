// The support files: the arbiter, C-elements and flip-flops under their own test benches, and the
// post-processor that turns delay.data and the synthesis timing report into delay.vnet.
#include "support/support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& p) {
    return novra::support::readBytes(p);
}

// Runs a shell command; its output goes to the returned text.
std::string run(const std::string& command, int& status) {
    const fs::path out = novra::support::tempRoot() / "command.out";
    status = std::system((command + " > " + out.string() + " 2>&1").c_str());
    return read(out);
}

void expectBenchPasses(const std::string& bench) {
    const std::string src = NOVRA_SOURCE_DIR;
    const fs::path vvp = novra::support::tempRoot() / (bench + ".vvp");
    int status = 0;
    std::string out =
        run("iverilog -o " + vvp.string() + " " + src + "/tests/data/verilog/benches/" + bench + ".v " + src +
                "/module/arbiter.v " + src + "/module/muller_c.v " + src + "/module/cells.v",
            status);
    ASSERT_EQ(0, status) << out;
    out = run("vvp -n " + vvp.string(), status);
    EXPECT_EQ(0, status) << out;
    EXPECT_NE(std::string::npos, out.find("PASS")) << out;
    EXPECT_EQ(std::string::npos, out.find("FAIL")) << out;
}

TEST(SupportCellsTest, ArbiterPassesWholeHandshakesOneAtATime) {
    expectBenchPasses("arbiter_tb");
}

TEST(SupportCellsTest, CElementsAndFlipFlops) {
    expectBenchPasses("cells_tb");
}

TEST(DelayAddTest, AddsFunctionDelaysAndTheMargin) {
    const fs::path dir = novra::support::freshDir("delayadd");
    std::ofstream(dir / "delay.data") << "2,0.500000;\n3,1,390,999,1;\n3,2,300,999,0;\n5,1,280,999,2;\n";
    std::ofstream(dir / "trafunc.rep") << "****\nReport : timing\nDesign : trafunc_1\n"
                                          "  data arrival time                 0.52\n"
                                          "  data arrival time                -0.52\n"
                                          "Design : trafunc_2\n  data arrival time    1.10\n";
    int status = 0;
    const std::string out = run("cd " + dir.string() + " && " + DELAYADD_EXE, status);
    ASSERT_EQ(0, status) << out;
    const std::string vnet = read(dir / "delay.vnet");
    // (390 + 520) * 1.5, 300 * 1.5, (280 + 1100) * 1.5
    EXPECT_NE(std::string::npos, vnet.find("module delay_3_1 ( req_in, req_out );\n  input req_in;\n  output "
                                           "req_out;\n  assign #1365 req_out = req_in;\nendmodule\n"))
        << vnet;
    EXPECT_NE(std::string::npos, vnet.find("module delay_3_2 (")) << vnet;
    EXPECT_NE(std::string::npos, vnet.find("assign #450 req_out")) << vnet;
    EXPECT_NE(std::string::npos, vnet.find("assign #2070 req_out")) << vnet;

    std::ofstream(dir / "delay.data") << "1,0.0;\nnot a record\n";
    const std::string bad = run("cd " + dir.string() + " && " + DELAYADD_EXE, status);
    EXPECT_NE(0, status);
    EXPECT_NE(std::string::npos, bad.find("delay.data:2")) << bad;
}

}  // namespace
