// novra-cli verilog and cosim, run as a user runs them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/error.h"
#include "common/messages_verilog.h"
#include "fileio/fileio.h"
#include "temp_root.h"
#include "verilog/textfile.h"
#include "verilog_nets.h"

namespace novra {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = 0;
    std::string out;
};

Result cli(const std::string& args, const fs::path& cwd = {}) {
    const fs::path out = vtest::tempRoot() / "cli.out";
    const std::string command = (cwd.empty() ? "" : "cd " + cwd.string() + " && ") +
                                std::string(NOVRA_BIN_DIR) + "/novra-cli " + args + " > " + out.string() +
                                " 2>&1";
    const int raw = std::system(command.c_str());
    std::ifstream in(out);
    std::ostringstream ss;
    ss << in.rdbuf();
    return Result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ss.str()};
}

std::string saveNet(void (*build)(CNet&), const std::string& name) {
    CNet net;
    build(net);
    const fs::path path = vtest::tempRoot() / (name + ".pol");
    fileio::save(net, path.string());
    return path.string();
}

void pipeline(CNet& net) {
    vtest::Builder b(net);
    b.chain(b.uhzi({"0110"}), {"o1=~i1;", "o1=i1;"}, b.sink());
}

// Three words of which only the first used to reach the circuit.
void inverterWords(CNet& net) {
    vtest::Builder b(net);
    b.chain(b.uhzi({"1101", "001", "10"}), {"o1=~i1;"}, b.sink());
}

// More bits than the test bench's 100 µs can carry.
void longStream(CNet& net) {
    vtest::Builder b(net);
    std::vector<std::string> words;
    for (int w = 0; w < 6; ++w) {
        std::string word;
        for (int i = 0; i < 20000; ++i) word += (i * 7 + w) % 5 < 2 ? '1' : '0';
        words.push_back(word);
    }
    b.chain(b.uhzi(words), {"o1=~i1;"}, b.sink());
}

// No stage between source and sink: the net goes quiet after every bit and drops the rest of the word.
void sourceIntoSink(CNet& net) {
    vtest::Builder b(net);
    b.link(b.uhzi({"10110", "01"}), b.sink());
}

void dangling(CNet& net) {
    vtest::Builder b(net);
    const int t = b.transition("o1=i1;");
    b.link(b.uhzi({"1"}), t);
    b.arc(t, b.place());
}

TEST(CliVerilogTest, WritesIntoTheTopFolderAndEndsWithTheDoneLine) {
    const std::string net = saveNet(pipeline, "pipeline");
    const fs::path out = vtest::freshDir("cli-verilog");
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

TEST(CliVerilogTest, FailuresAreReportedNotCrashed) {
    const fs::path out = vtest::freshDir("cli-fail");
    const std::string good = saveNet(pipeline, "pipeline2");
    Result r = cli("verilog " + good + " --out " + (out / "missing").string());
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("フォルダが存在しません\n", r.out);

    r = cli("verilog " + good + " --out " + out.string() + " --top ../escape");
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.out.find("トップモジュール名")) << r.out;
    EXPECT_TRUE(fs::is_empty(out));

    const std::string bad = saveNet(dangling, "dangling");
    r = cli("verilog " + bad + " --out " + out.string());
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.out.find("アーク接続不備のプレースがある\nstop ")) << r.out;
    EXPECT_TRUE(fs::exists(out / "testmodule" / "out.txt"));

    EXPECT_EQ(2, cli("verilog " + good).status);
    EXPECT_EQ(2, cli("verilog " + good + " --out " + out.string() + " --delay-over-plus 3").status);
    EXPECT_EQ(2, cli("verilog " + (out / "nothing.pol").string() + " --out " + out.string()).status);
}

TEST(CliVerilogTest, TopNamesThatClashWithTheOutputAreRefusedBeforeAnythingIsWritten) {
    const fs::path out = vtest::freshDir("cli-clash");
    const std::string net = saveNet(pipeline, "pipeline4");
    auto refused = [&](const std::string& top, const MsgText& why, const std::string& clash) {
        const Result r = cli("verilog " + net + " --out " + out.string() + " --top " + top);
        EXPECT_EQ(1, r.status) << top;
        EXPECT_EQ(verilog::fmt(text(why).c_str(), top.c_str(), clash.c_str()) + "\n", r.out);
        EXPECT_TRUE(fs::is_empty(out)) << top;
    };
    for (const std::string top :
         {"pipe", "transition", "delay", "trafunc", "pjoint", "muller_c", "cells", "kemmakixuhzi", "arbiter"})
        refused(top, msg::kVerilogTopFileClash, top + ".v");
    refused("trafunc_1", msg::kVerilogTopFileClash, "trafunc_1.vnet");  // made by the synthesis script
    for (const std::string top : {"tran_3", "pipe_12", "pipe_2_1_r", "pipe_1_3_s", "pjoint_5", "delay_6_2",
                                  "uhzi", "kemmakix", "muller_c_s", "DFNSR"})
        refused(top, msg::kVerilogTopModuleClash, top);
}

TEST(CliCosimTest, ComparesEveryWordAndEveryFunction) {
    // Saving numbers places first: the sink becomes object 5.
    const std::string net = saveNet(inverterWords, "words");
    Result r = cli("cosim " + net);
    EXPECT_EQ(0, r.status) << r.out;
    EXPECT_EQ(
        "sink 5 net 001011001 circuit 001011001 match (9 bits)\n"
        "function trafunc_1 ~i1 match (2 combinations)\n",
        r.out.substr(r.out.find("sink ")));

    // A relative folder: the logs land in it, where a failure message would point.
    const fs::path keep = vtest::freshDir("cli-keep");
    r = cli("cosim " + net + " --keep " + keep.filename().string() + " --top kept", keep.parent_path());
    EXPECT_EQ(0, r.status) << r.out;
    for (const char* f : {"kdata5.txt", "kept_sim.vcd", "iverilog.log", "vvp.log"})
        EXPECT_TRUE(fs::exists(keep / "kept" / f)) << f;
}

TEST(CliCosimTest, WhatTheCircuitCannotShowIsALimitNotAMatch) {
    Result r = cli("cosim " + saveNet(longStream, "long"));
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.out.find(" limit (120000 bits) テストベンチの実行時間"))
        << r.out.substr(0, 300);

    r = cli("cosim " + saveNet(sourceIntoSink, "quiet"));
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos,
              r.out.find("sink 3 net 1 circuit 1011001 limit (1 bits) ネットのシミュレーションでは"))
        << r.out;
}

}  // namespace
}  // namespace novra
