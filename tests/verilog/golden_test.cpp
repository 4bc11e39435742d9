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
#include "support/net_builder.h"

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

Output generate(CNet& net, const std::string& caseName, const std::string& top, bool debug = false,
                double delayOverPlus = 0.0) {
    Output run;
    run.dir = support::freshDir("golden-" + caseName);
    verilog::VerilogOptions o;
    o.outDir = run.dir.string();
    o.topName = top;
    o.debug = debug;
    o.delayOverPlus = delayOverPlus;
    o.moduleDir = NOVRA_SOURCE_DIR "/module";
    support::phase(net, support::kCompile);
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

// uhzi -> X -> Y -> Z -> kemmakix: single-input trees, Y loses its register, matched delays towards a
// register-reduced stage, from it, and towards a sink.
TEST(GoldenTest, ChainWithRegisterReduction) {
    CNet net;
    support::NetBuilder b(net);
    const int u = b.uhzi({"101", "11"});
    const int p2 = b.place();
    const int x = b.transition("o1=i1;");
    const int p4 = b.place();
    const int y = b.transition("o1=~i1;");
    const int p6 = b.place();
    const int z = b.transition("o1=i1;");
    const int p8 = b.place();
    const int k = b.sink();
    for (auto [from, to] : {std::pair{u, p2}, {p2, x}, {x, p4}, {p4, y}, {y, p6}, {p6, z}, {z, p8}, {p8, k}})
        b.arc(from, to);
    const Output run = generate(net, "chain", "chain");
    expectGolden(run, "chain");
    EXPECT_FALSE(fs::exists(run.dir / "out.txt"));
    EXPECT_TRUE(net.transitions.at(y).gen.registerReduced);
    EXPECT_FALSE(net.transitions.at(x).gen.registerReduced);
}

// Two requests joined by one C-element; two sources, one of them emitting its word last character first.
TEST(GoldenTest, TwoInputJoin) {
    CNet net;
    support::NetBuilder b(net);
    const int u1 = b.uhzi({"11", "0"});
    const int u2 = b.uhzi({"0"}, 1);
    const int p3 = b.place();
    const int p4 = b.place();
    const int t = b.transition("o1=a|b;");
    b.arc(u1, p3);
    b.arc(p3, t, "a");
    b.arc(u2, p4);
    b.arc(p4, t, "b");
    const int p6 = b.place();
    b.arc(t, p6);
    b.arc(p6, b.sink());
    expectGolden(generate(net, "join2", "testmodule"), "join2");
}

// Competing merges of three and four inputs, a select branch of three guarded outputs with its debug
// wire, a holding source, and sinks in every mode.
TEST(GoldenTest, PlaceJointsSinkModesAndDebugSelect) {
    CNet net;
    support::NetBuilder b(net);
    const int u1 = b.uhzi({"10"});
    const int u2 = b.uhzi({"01"});
    const int u3 = b.uhzi({"11"});
    const int merge3 = b.place();
    const int t5 = b.transition("o1=i1;");
    const int select = b.place();
    const int t7 = b.transition("?a;o1=a;");
    const int t8 = b.transition("?~a;o1=a;");
    const int t9 = b.transition("?a&~a;o1=a;");
    const int u10 = b.hold(1);
    const int merge4 = b.place();
    const int t12 = b.transition("a=i1;b=i1;c=i1;");
    const int p13 = b.place();
    const int p14 = b.place();
    const int p15 = b.place();
    const int k16 = b.sink(0);
    const int k17 = b.sink(2);
    const int k18 = b.sink(3);
    for (auto [from, to] : {std::pair{u1, merge3},
                            {u2, merge3},
                            {u3, merge3},
                            {merge3, t5},
                            {t5, select},
                            {select, t7},
                            {select, t8},
                            {select, t9},
                            {t7, merge4},
                            {t8, merge4},
                            {t9, merge4},
                            {u10, merge4},
                            {merge4, t12}})
        b.arc(from, to);
    b.arc(t12, p13, "a");
    b.arc(t12, p14, "b");
    b.arc(t12, p15, "c");
    b.arc(p13, k16);
    b.arc(p14, k17);
    b.arc(p15, k18);
    const Output run = generate(net, "joints", "joints", true);
    expectGolden(run, "joints");
}

// Request trees of three and four inputs, acknowledge trees of two and three, request-only ports, a
// guarded stage, and a stage that starts as having fired with a feedback loop folded into it; matched
// delays with a margin of 0.5.
TEST(GoldenTest, StageShapesLoopAndInitialMarking) {
    CNet net;
    support::NetBuilder b(net);
    const int u1 = b.uhzi({"1"});
    const int u2 = b.uhzi({"0"});
    const int u3 = b.uhzi({"1"});
    const int u4 = b.uhzi({"1"});
    const int t5 = b.transition("o1=a&b&c;");
    b.link(u1, t5, {}, "a");
    b.link(u2, t5, {}, "b");
    b.link(u3, t5, {}, "c");
    const int t9 = b.transition("x=i1;y=~i1;");
    b.link(u4, t9);
    const int t11 = b.transition("o1=a^b^c;");
    b.link(t5, t11, {}, "a");
    b.link(t9, t11, "x", "b");
    b.link(t9, t11, "y", "c");
    b.link(t9, t11);  // a request without data
    const int p16 = b.place();
    b.arc(t11, p16);
    b.arc(p16, b.sink());

    const int u18 = b.uhzi({"10"});
    const int p19 = b.place();
    const int g = b.transition("?i1;o1=i1;");
    b.arc(u18, p19);
    b.arc(p19, g);
    const int p21 = b.place();
    const int loop = b.transition("o1=i1;o2=i1^i2;");
    b.arc(g, p21);
    b.arc(p21, loop, "i1");
    const int out = b.marked(kBlack, 1);
    b.arc(loop, out, "o1");
    b.arc(out, b.sink());
    const int p25 = b.place();
    const int i26 = b.transition("o1=i1;");
    b.arc(loop, p25, "o2");
    b.arc(p25, i26);
    const int i28 = b.transition("o1=i1;");
    b.link(i26, i28);
    const int p29 = b.marked(kBlack, 1);
    b.arc(i28, p29);
    b.arc(p29, loop, "i2");
    ASSERT_EQ(29, p29);

    const Output run = generate(net, "stages", "testmodule", false, 0.5);
    expectGolden(run, "stages");
    EXPECT_NE(std::string::npos, run.log.find("\t22: 25->26->28->27->29\n")) << run.log;
    EXPECT_NE(std::string::npos, run.log.find("\tDFNSR : 1 個\n\tDFR : 8 個\n\tDFSR : 1 個\n"));
    EXPECT_NE(std::string::npos, run.log.find("使用しているC素子の数 : 13\n使用しているレジスタ数 : 10\n"));
}

}  // namespace
}  // namespace novra
