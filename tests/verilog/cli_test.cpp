// novra-cli verilog and cosim, run as a user runs them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/error.h"
#include "support/net_builder.h"
#include "support/support.h"

namespace novra {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = 0;
    std::string out;
};

// stdout and stderr together.
Result cli(const std::string& args, const fs::path& cwd = {}) {
    const support::CliResult r = support::cli(args, cwd);
    return Result{r.status, r.out + r.err};
}

// A net of tests/data/verilog/cli: pipeline (a source, an inverting and a copying stage, a sink), words
// (three words through an inverter, of which only the first used to reach the circuit), quiet (a source
// straight into a sink: the net goes quiet after every bit and drops the rest of the word) and dangling (a
// place without an output arc).
std::string netFile(const std::string& name) {
    return support::sourcePath("tests/data/verilog/cli/" + name + ".pol").string();
}

// More bits than the test bench's 100 µs can carry.
std::string longStream() {
    CNet net;
    support::NetBuilder b(net);
    std::vector<std::string> words;
    for (int w = 0; w < 6; ++w) {
        std::string word;
        for (int i = 0; i < 20000; ++i) word += (i * 7 + w) % 5 < 2 ? '1' : '0';
        words.push_back(word);
    }
    b.pipe(b.uhzi(words), {"o1=~i1;"}, b.sink());
    const fs::path path = support::tempRoot() / "long.pol";
    support::save(net, path);
    return path.string();
}

TEST(CliVerilogTest, WritesIntoTheTopFolderAndEndsWithTheDoneLine) {
    const std::string net = netFile("pipeline");
    const fs::path out = support::freshDir("cli-verilog");
    const Result r =
        cli("verilog " + net + " --out " + out.string() + " --top pipe_top --delay-over-plus 0.5");
    ASSERT_EQ(0, r.status) << r.out;
    EXPECT_EQ(0u, r.out.find("オブジェクトの登録中...\n")) << r.out;
    EXPECT_NE(std::string::npos, r.out.find("\n pjoint.v trafunc.v pipe_top_sim.v pipe_top.v\n")) << r.out;
    EXPECT_EQ(r.out.size() - std::string("verilogに出力しました\n").size(),
              r.out.rfind("verilogに出力しました\n"));
    for (const char* f :
         {"pipe_top.v", "pipe_top_sim.v", "pipe_top.dc", "Makefile", "delay.data", "muller_c.v", "arbiter.v",
          "kemmakixuhzi.v", "delayadd.cpp", "cells.v", "shm_vcd.c"})
        EXPECT_TRUE(fs::exists(out / "pipe_top" / f)) << f;
    EXPECT_FALSE(fs::exists(out / "pipe_top" / "out.txt"));
    std::ifstream data(out / "pipe_top" / "delay.data");
    std::string first;
    std::getline(data, first);
    EXPECT_EQ("2,0.500000;", first);

    // The Makefile's Icarus target runs the test bench with free tools and leaves data and a waveform.
    const fs::path dir = out / "pipe_top";
    const int status = std::system(
        ("make -s -C " + dir.string() + " icarus > " + (dir / "make.log").string() + " 2>&1").c_str());
    EXPECT_EQ(0, status);
    std::ifstream kdata(dir / "kdata7.txt");
    std::string line, bits;
    while (std::getline(kdata, line))
        if (line == "0" || line == "1") bits += line;
    EXPECT_EQ("1001", bits);
    std::ifstream vcd(dir / "pipe_top_sim.vcd");
    std::ostringstream wave;
    wave << vcd.rdbuf();
    EXPECT_EQ(0u, wave.str().find("$date"));
    EXPECT_NE(std::string::npos, wave.str().find("$scope module pipe_top_top $end"));
    EXPECT_NE(std::string::npos, wave.str().find("$enddefinitions $end"));
    EXPECT_NE(std::string::npos, wave.str().find("\n#2660\n"));
}

// A net the generator refuses leaves the marker that says so, and no circuit. (Missing folders, bad options
// and refused top names are rows of tests/data/cli/cases.tsv.)
TEST(CliVerilogTest, ARefusedNetLeavesTheFailureMarker) {
    const fs::path out = support::freshDir("cli-fail");
    const Result r = cli("verilog " + netFile("dangling") + " --out " + out.string());
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.out.find("アーク接続不備のプレースがある\nstop 2\n")) << r.out;
    EXPECT_EQ("Verilog-HDLへの出力が失敗しました", support::cp932File(out / "testmodule" / "out.txt"));
    EXPECT_FALSE(fs::exists(out / "testmodule" / "pipe.v"));
}

TEST(CliCosimTest, ComparesEveryWordAndEveryFunction) {
    // Saving numbers places first: the sink becomes object 5.
    const std::string net = netFile("words");
    Result r = cli("cosim " + net);
    EXPECT_EQ(0, r.status) << r.out;
    EXPECT_EQ(
        "sink 5 net 001011001 circuit 001011001 match (9 bits)\n"
        "function trafunc_1 ~i1 match (2 combinations)\n",
        r.out.substr(r.out.find("sink ")));

    // A relative folder: the logs land in it, where a failure message would point.
    const fs::path keep = support::freshDir("cli-keep");
    r = cli("cosim " + net + " --keep " + keep.filename().string() + " --top kept", keep.parent_path());
    EXPECT_EQ(0, r.status) << r.out;
    for (const char* f : {"kdata5.txt", "kept_sim.vcd", "iverilog.log", "vvp.log"})
        EXPECT_TRUE(fs::exists(keep / "kept" / f)) << f;
}

TEST(CliCosimTest, WhatTheCircuitCannotShowIsALimitNotAMatch) {
    Result r = cli("cosim " + longStream());
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.out.find(" limit (120000 bits) テストベンチの実行時間"))
        << r.out.substr(0, 300);

    r = cli("cosim " + netFile("quiet"));
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos,
              r.out.find("sink 3 net 1 circuit 1011001 limit (1 bits) ネットのシミュレーションでは"))
        << r.out;
}

}  // namespace
}  // namespace novra
