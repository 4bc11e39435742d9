// The generated files, word for word, against texts written out by hand from the file formats. Only the
// time stamp of the headers is masked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "common/encoding.h"
#include "common/error.h"
#include "support/support.h"
#include "verilog/generator.h"

namespace novra {
namespace {

namespace fs = std::filesystem;

// Generated text in UTF-8 with the header time masked.
std::string generated(const fs::path& p) {
    // Only a time in asctime's form is masked, so a malformed stamp fails the comparison.
    static const std::regex time(
        "//\tupdate   : [A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\n");
    return std::regex_replace(support::cp932File(p), time, "//\tupdate   : @TIME@\n");
}

struct Output {
    fs::path dir;
    std::string log;
};

// Generates the case's net, tests/data/verilog/golden/<case>.pol; its objects keep the IDs they were
// built with (one section per record, in ID order).
Output generate(CNet& net, const std::string& caseName, const std::string& top, bool debug = false,
                double delayOverPlus = 0.0) {
    support::load(net, support::sourcePath("tests/data/verilog/golden/" + caseName + ".pol"));
    Output run;
    run.dir = support::freshDir("golden-" + caseName);
    verilog::VerilogOptions o;
    o.outDir = run.dir.string();
    o.topName = top;
    o.debug = debug;
    o.delayOverPlus = delayOverPlus;
    o.moduleDir = NOVRA_SOURCE_DIR "/module";
    net.compileNet();
    verilog::generateVerilog(net, o, [&](const std::string& s) { run.log += s; });
    return run;
}

// Every expected file of the case, compared with the generated one.
void expectGolden(const Output& run, const std::string& caseName) {
    const fs::path golden = fs::path(NOVRA_SOURCE_DIR) / "tests/data/verilog/golden" / caseName;
    for (const auto& entry : fs::directory_iterator(golden)) {
        const std::string name = entry.path().filename().string();
        const std::string expected = support::readBytes(entry.path());
        if (name == "log.txt") {
            EXPECT_EQ(std::regex_replace(expected, std::regex("@DIR@"), run.dir.string()), run.log);
            continue;
        }
        ASSERT_TRUE(fs::exists(run.dir / name)) << name;
        EXPECT_EQ(expected, generated(run.dir / name)) << "in " << name;
    }
}

// uhzi 1 -> X 3 -> Y 5 -> Z 7 -> kemmakix 9: single-input trees, Y loses its register, matched delays towards
// a register-reduced stage, from it, and towards a sink.
TEST(GoldenTest, ChainWithRegisterReduction) {
    CNet net;
    const Output run = generate(net, "chain", "chain");
    expectGolden(run, "chain");
    EXPECT_FALSE(fs::exists(run.dir / "out.txt"));
    EXPECT_TRUE(net.transitions().at(5).gen.registerReduced);
    EXPECT_FALSE(net.transitions().at(3).gen.registerReduced);
}

// Two requests joined by one C-element; two sources, one of them emitting its word last character first.
TEST(GoldenTest, TwoInputJoin) {
    CNet net;
    expectGolden(generate(net, "join2", "testmodule"), "join2");
}

// Competing merges of three and four inputs, a select branch of three guarded outputs with its debug
// wire, a holding source, and sinks in every mode.
TEST(GoldenTest, PlaceJointsSinkModesAndDebugSelect) {
    CNet net;
    expectGolden(generate(net, "joints", "joints", true), "joints");
}

// Request trees of three and four inputs, acknowledge trees of two and three, request-only ports, a
// guarded stage, and a stage that starts as having fired with a feedback loop folded into it; matched
// delays with a margin of 0.5.
TEST(GoldenTest, StageShapesLoopAndInitialMarking) {
    CNet net;
    const Output run = generate(net, "stages", "testmodule", false, 0.5);
    expectGolden(run, "stages");
    EXPECT_NE(std::string::npos, run.log.find("\t22: 25->26->28->27->29\n")) << run.log;
    EXPECT_NE(std::string::npos, run.log.find("\tDFNSR : 1 個\n\tDFR : 8 個\n\tDFSR : 1 個\n"));
    EXPECT_NE(std::string::npos, run.log.find("使用しているC素子の数 : 13\n使用しているレジスタ数 : 10\n"));
}

}  // namespace
}  // namespace novra
