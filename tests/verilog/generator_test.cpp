// The generator's failures and the choices that the golden nets do not show.
#include "verilog/generator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/encoding.h"
#include "common/error.h"
#include "common/messages.h"
#include "support/net_builder.h"
#include "support/support.h"
#include "verilog/analysis.h"
#include "verilog/cosim.h"
#include "verilog/writers.h"

namespace novra {
namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& p) {
    return support::cp932File(p);
}

using support::freshDir;

// The message a generation raises, or "" when it succeeds.
std::string generateInto(CNet& net, const fs::path& dir, const std::string& top = "testmodule",
                         bool debug = false) {
    verilog::VerilogOptions o;
    o.outDir = dir.string();
    o.topName = top;
    o.debug = debug;
    o.moduleDir = NOVRA_SOURCE_DIR "/module";
    try {
        net.compileNet();
        verilog::generateVerilog(net, o, [](const std::string&) {});
    } catch (const CError& e) {
        return e.message();
    }
    return "";
}

void simpleNet(CNet& net) {
    support::NetBuilder b(net);
    b.pipe(b.uhzi({"10"}), {"o1=i1;"}, b.sink());
}

// The marker could be written but a later file cannot: the run stops with the file's name and the marker
// stays. (A folder that cannot be written at all is novra-cli's bad-input case.)
TEST(GeneratorFailureTest, AFileThatCannotBeWrittenIsNamed) {
    const fs::path dir = freshDir("blocked");
    fs::create_directories(dir / "transition.v");
    CNet net;
    simpleNet(net);
    const std::string message = generateInto(net, dir);
    EXPECT_NE(std::string::npos, message.find("transition.v")) << message;
    EXPECT_EQ("Verilog-HDLへの出力が失敗しました", read(dir / "out.txt"));
}

// A variable name that cannot be a Verilog name stops generation before any file, naming the stage. (Top
// module names are checked by TopNameTest and novra-cli's cases.)
TEST(GeneratorFailureTest, VariableNamesThatCannotBecomeVerilogStopBeforeAnyFile) {
    CNet net;
    support::NetBuilder b(net);
    const int t = b.transition("o1=12;");
    b.link(b.uhzi({"1"}), t);
    b.link(t, b.sink());
    const fs::path dir = freshDir("badvar");
    const std::string message = generateInto(net, dir);
    EXPECT_NE(std::string::npos, message.find("12")) << message;
    EXPECT_EQ(t, net.stopObject());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST(GeneratorFailureTest, UncompiledNetIsRefused) {
    CNet net;
    simpleNet(net);
    const fs::path dir = freshDir("uncompiled");
    verilog::VerilogOptions o;
    o.outDir = dir.string();
    try {
        verilog::generateVerilog(net, o, [](const std::string&) {});
        ADD_FAILURE() << "generated from a net that was never compiled";
    } catch (const CError& e) {
        EXPECT_EQ(text(msg::kVerilogNotCompiled), e.message());
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST(GeneratorTest, SharedFunctionsAndRenumbering) {
    std::map<int, int> map;
    EXPECT_EQ("i1&i2", verilog::renumberExpression("i3&i1", map));
    EXPECT_EQ((std::map<int, int>{{3, 1}, {1, 2}}), map);
    EXPECT_EQ("(i1|~i2)^i1", verilog::renumberExpression("(i12|~i4)^i12", map));
    EXPECT_EQ((std::map<int, int>{{12, 1}, {4, 2}}), map);

    CNet net;
    support::NetBuilder b(net);
    const int t1 = b.transition("o1=a&b;");
    const int t2 = b.transition("o1=x&y;");
    b.link(b.uhzi({"1"}), t1, {}, "a");
    b.link(b.uhzi({"1"}), t1, {}, "b");
    b.link(b.uhzi({"1"}), t2, {}, "x");
    b.link(b.uhzi({"1"}), t2, {}, "y");
    b.link(t1, b.sink());
    b.link(t2, b.sink());
    const fs::path dir = freshDir("shared");
    ASSERT_EQ("", generateInto(net, dir));
    const std::string trafunc = read(dir / "trafunc.v");
    EXPECT_NE(std::string::npos, trafunc.find("module trafunc_1("));
    EXPECT_EQ(std::string::npos, trafunc.find("module trafunc_2("));
    EXPECT_EQ("1,0.000000;\n", read(dir / "delay.data").substr(0, 12));
}

TEST(GeneratorTest, DelayMarginTruncatesTowardZero) {
    verilog::Stage stage;
    stage.delays = {555, 1000};
    const std::string minus = verilog::delayModules(7, stage, -0.5);
    EXPECT_NE(std::string::npos, minus.find("\tassign\t#277\treq_out = req_in;\n"));
    EXPECT_NE(std::string::npos, minus.find("\tassign\t#500\treq_out = req_in;\n"));
    const std::string plus = verilog::delayModules(7, stage, 0.5);
    EXPECT_NE(std::string::npos, plus.find("#1500\t"));
}

TEST(GeneratorTest, DebugSelectOnlyWithASelectBranch) {
    CNet net;
    simpleNet(net);
    const fs::path dir = freshDir("nodebug");
    ASSERT_EQ("", generateInto(net, dir, "testmodule", true));
    EXPECT_EQ(std::string::npos, read(dir / "testmodule.v").find("debug_select"));
    EXPECT_EQ(std::string::npos, read(dir / "testmodule_sim.v").find("debug_select"));

    CNet sel;
    support::NetBuilder b(sel);
    const int t = b.transition("o1=i1;");
    b.link(b.uhzi({"1"}), t);
    const int p = b.place();
    b.arc(t, p);
    for (const char* g : {"?v;o1=v;", "?~v;o1=v;"}) {
        const int r = b.transition(g);
        b.arc(p, r);
        b.link(r, b.sink());
    }
    setNmode(1);
    const fs::path dir2 = freshDir("debug");
    const std::string message = generateInto(sel, dir2, "testmodule", true);
    setNmode(0);
    ASSERT_EQ("", message);
    EXPECT_NE(std::string::npos,
              read(dir2 / "testmodule_sim.v").find("\" select ERROR !! ('_';\\n\\n\");\n"));
}

// A stage fed only by its own two loops; returns it. With a sink, the loops count through 00, 10, 01, 11
// and the sink sees b.
int selfFedStage(CNet& net, bool sink) {
    support::NetBuilder b(net);
    const int t0 = b.transition(sink ? "o1=~a;o2=a^b;o3=b;" : "o1=a;o2=b;");
    b.loop(t0, "o1", "a", 0);
    b.loop(t0, "o2", "b", 0);
    if (sink) b.link(t0, b.sink(), "o3");
    return t0;
}

TEST(GeneratorTest, StageFedOnlyByLoopsKeepsOneLoopAsARing) {
    for (const bool sink : {false, true}) {
        SCOPED_TRACE(sink ? "with a sink" : "without a sink");
        CNet net;
        const int t0 = selfFedStage(net, sink);
        const fs::path dir = freshDir(sink ? "selffed-sink" : "selffed");
        ASSERT_EQ("", generateInto(net, dir));

        verilog::Hardware hw;
        const auto quiet = [](const std::string&) {};
        verilog::registerObjects(net, hw, quiet);
        verilog::foldFeedbackLoops(net, hw, quiet);
        int absorbed = 0;
        for (const auto& [id, stage] : hw.stages) absorbed += stage.owner != id;
        EXPECT_EQ(1, hw.stages.at(t0).loopCount);
        EXPECT_EQ(2, absorbed);

        const std::string cmd = "cd " + dir.string() +
                                " && iverilog -o x.vvp testmodule_sim.v testmodule.v transition.v pipe.v "
                                "pjoint.v arbiter.v delay.v trafunc.v muller_c.v kemmakixuhzi.v cells.v "
                                "> iverilog.log 2>&1";
        ASSERT_EQ(0, std::system(cmd.c_str())) << "see " << dir / "iverilog.log";
        if (!sink) continue;

        // The ring never stops: compare what the circuit delivered with the net's first phases.
        const int k = net.kemmakixes().begin()->first;
        CSimulation sim(net);
        ASSERT_EQ("", support::compile(sim));
        EXPECT_EQ(text(msg::kRunTooLong), support::run(sim, 200));
        support::phase(sim, support::kFlush);
        std::string expected;
        for (const std::string& w : net.kemmakixes().at(k).received) expected += w;
        ASSERT_GE(expected.size(), 8u);
        EXPECT_EQ("00110011", expected.substr(0, 8));
        verilog::runTestBench(dir.string(), "testmodule", NOVRA_BIN_DIR "/module");
        const std::string circuit = verilog::circuitSinkBits(dir.string(), k);
        ASSERT_GE(circuit.size(), expected.size());
        EXPECT_EQ(expected, circuit.substr(0, expected.size()));
    }
}

TEST(GeneratorTest, StageAfterALoopStageKeepsItsRegister) {
    // The loop stage's output changes when its loop-back register takes the next value; a stage without
    // register after it would hand the change to the stage after next.
    CNet net;
    support::NetBuilder b(net);
    const int t0 = b.transition("o1=i1^i2;o2=i1^i2;");
    b.link(b.uhzi({"11010011101"}), t0, {}, "i1");
    b.loop(t0, "o1", "i2", 1);
    const int next = b.pipe(t0, {"o1=i1;", "o1=i1;"}, b.sink()).front();
    b.label(t0, "o2");

    verilog::VerilogOptions o;
    o.outDir = freshDir("after-loop").string();
    o.moduleDir = NOVRA_BIN_DIR "/module";
    const auto results = verilog::cosimulate(net, o, [](const std::string&) {}).sinks;
    EXPECT_FALSE(net.transitions().at(next).gen.registerReduced);
    ASSERT_EQ(1u, results.size());
    EXPECT_EQ("01100010110", results[0].net);
    EXPECT_EQ(results[0].net, results[0].circuit);
}

}  // namespace
}  // namespace novra
