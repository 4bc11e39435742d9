// The Yosys flow on every net of examples/ and tests/data/verilog/circuits: <top>.ys synthesises the
// generated circuit into Yosys's own cells, keeping the matched delays and the C-elements as instances, and
// the synthesised netlist, simulated under Icarus Verilog with Yosys's cell models, delivers to every sink
// exactly the bits the net delivers; every function module and guard, as synthesised, computes what the
// net's evaluator computes. The Makefile's yosys target runs the same script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "common/error.h"
#include "random_net.h"
#include "support/net_builder.h"
#include "support/support.h"
#include "verilog/cosim.h"

namespace novra {
namespace {

using support::fs::path;

// The shipped examples and the circuit test's own nets.
std::vector<path> nets() { return support::netFiles({"examples", "tests/data/verilog/circuits"}); }

bool isExample(const path& p) {
    return p.parent_path().filename() == "examples";
}

#define SKIP_WITHOUT_YOSYS()                                                                           \
    do {                                                                                               \
        if (verilog::yosysCellModels().empty()) {                                                      \
            GTEST_SKIP() << "yosys is not installed (scripts/install-deps.sh installs it): the Yosys " \
                            "flow is not checked";                                                     \
        }                                                                                              \
    } while (false)

long count(const std::string& text, const std::regex& re) {
    return std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator());
}

// Synthesises the net's circuit and compares its sinks and functions with the net; "" when all is well,
// else what differed. Also checks that synthesis mapped all behaviour to cells and kept every delay,
// function, C-element and arbiter instance.
std::string synthesisedDifference(CNet& net, const std::string& name) {
    verilog::VerilogOptions o;
    o.outDir = support::freshDir("yosys-" + name).string();
    o.moduleDir = NOVRA_BIN_DIR "/module";
    verilog::CosimReport report;
    try {
        report = verilog::cosimulateSynthesised(net, o, [](const std::string&) {});
    } catch (const CError& e) {
        return e.message() + " (stop " + std::to_string(net.stopObject()) + ")";
    }
    std::string out;
    for (const auto& r : report.sinks)
        if (!r.match())
            out += "sink " + std::to_string(r.id) + ": net " + r.net + " circuit " + r.circuit + " " +
                   r.limit + "\n";
    for (const auto& f : report.functions)
        if (!f.match()) out += f.module + " " + f.expression + ": " + f.difference + "\n";

    const path dir = o.outDir;
    const std::string syn = support::readBytes(dir / (o.topName + "_syn.v"));
    if (count(syn, std::regex(R"(\b(always|initial|reg)\b|#\s*[0-9])")) != 0) out += "behaviour left\n";
    // Every instance the .dc script keeps is still there, in the same number; no delay line became logic.
    std::string rtl;
    for (const char* file : {"transition.v", "pipe.v", "pjoint.v"}) rtl += support::readBytes(dir / file);
    for (const char* cell : {"delay_\\d+_\\d+", "trafunc_\\d+", "muller_c_[rs]", "arbiter"}) {
        const std::regex instance(std::string(R"(\n\s*)") + cell + R"(\s+\w+\s*\()");
        if (count(rtl, instance) != count(syn, instance)) out += std::string(cell) + " instances lost\n";
    }
    if (count(syn, std::regex(R"(\bmodule\s+delay_)")) != 0) out += "a delay line was synthesised\n";
    if (support::readBytes(dir / (o.topName + "_stat.txt")).find("Number of cells") == std::string::npos)
        out += "no cell report\n";
    if (report.sinks.empty()) out += "no sink\n";
    return out.empty() ? out : out + "in " + o.outDir;
}

class YosysTest : public ::testing::TestWithParam<path> {};

TEST_P(YosysTest, SynthesisedNetlistDeliversWhatTheNetDelivers) {
    SKIP_WITHOUT_YOSYS();
    CNet net;
    support::load(net, GetParam());
    EXPECT_EQ("", synthesisedDifference(net, GetParam().stem().string()));
    // The net must deliver, or the comparison proves nothing.
    const auto sinks = verilog::netSinkBits(net);
    EXPECT_TRUE(std::any_of(sinks.begin(), sinks.end(), [](const auto& r) { return !r.net.empty(); }));
    for (const auto& r : sinks) EXPECT_FALSE(isExample(GetParam()) && r.net.empty()) << "sink " << r.id;
}

INSTANTIATE_TEST_SUITE_P(Nets, YosysTest, ::testing::ValuesIn(nets()), [](const auto& info) {
    return (isExample(info.param) ? "example_" : "") + info.param.stem().string();
});

// make yosys in a generated folder leaves the netlist, the cell report and the log, under the top's name.
TEST(YosysMakefileTest, YosysTargetWritesNetlistAndReport) {
    SKIP_WITHOUT_YOSYS();
    CNet net;
    verilog::VerilogOptions o;
    o.outDir = support::freshDir("yosys-make").string();
    o.moduleDir = NOVRA_SOURCE_DIR "/module";
    o.topName = "ring";
    support::load(net, support::sourcePath("examples/inverter_ring.pol"));
    net.compileNet();
    verilog::generateVerilog(net, o, [](const std::string&) {});
    const path dir = o.outDir;
    ASSERT_EQ(0, std::system(("make -s -C '" + o.outDir + "' yosys > /dev/null 2>&1").c_str()))
        << "see " << o.outDir << "/ring.ys.log";
    EXPECT_NE(std::string::npos, support::readBytes(dir / "ring_syn.v").find("module ring("));
    EXPECT_NE(std::string::npos, support::readBytes(dir / "ring_stat.txt").find("=== ring ==="));
    EXPECT_NE(std::string::npos, support::readBytes(dir / "ring.ys.log").find("End of script"));
}

// A folder without the script, and a machine without Yosys, end in a message that says what to do.
TEST(YosysErrorTest, MissingScriptOrToolIsAMessage) {
    SKIP_WITHOUT_YOSYS();
    const std::string dir = support::freshDir("yosys-no-script").string();
    EXPECT_NE(std::string::npos,
              support::errorOf([&] { verilog::synthesise(dir, "absent"); }).find("yosys.log"));
    const std::string path = std::getenv("PATH");
    setenv("PATH", dir.c_str(), 1);
    const std::string missing = support::errorOf([&] { verilog::synthesise(dir, "absent"); });
    const std::string cells = verilog::yosysCellModels();
    setenv("PATH", path.c_str(), 1);
    EXPECT_NE(std::string::npos, missing.find("Yosys をインストール")) << missing;
    EXPECT_EQ("", cells);
}

// A loop register whose value no output reads is dead logic, but its next-state function stays an
// instance, as the .dc script keeps it, and still computes what the net computes.
TEST(YosysKeepTest, FunctionOfAnUnreadLoopStays) {
    SKIP_WITHOUT_YOSYS();
    CNet net;
    support::NetBuilder b(net);
    const int t = b.transition("nx=d^fb;o1=~d;");
    b.link(b.uhzi({"1011", "0110"}), t, "", "d");
    b.loop(t, "nx", "fb", 1);
    b.link(t, b.sink(), "o1");
    EXPECT_EQ("", synthesisedDifference(net, "unread-loop"));
}

// Every 25th of the random circuit test's nets (same seed, same order); NOVRA_YOSYS_RANDOM_STEP=1 takes
// them all.
TEST(YosysRandomTest, SampledRandomNetsMatchTheirSynthesisedCircuits) {
    SKIP_WITHOUT_YOSYS();
    const char* step = std::getenv("NOVRA_YOSYS_RANDOM_STEP");
    const int every = step && std::atoi(step) > 0 ? std::atoi(step) : 25;
    random_net::CRandomNet gen(1234);
    int failures = 0;
    for (int i = 0; i < 200 && failures < 3; ++i) {
        CNet net;
        gen.build(net);
        if (i % every != 0) continue;
        const std::string difference = synthesisedDifference(net, "random-" + std::to_string(i));
        EXPECT_EQ("", difference) << "net " << i;
        failures += !difference.empty();
    }
}

}  // namespace
}  // namespace novra
