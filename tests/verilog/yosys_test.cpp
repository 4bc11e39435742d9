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
#include "support/support.h"
#include "verilog/cosim.h"

namespace novra {
namespace {

using support::fs::path;

std::vector<path> nets() {
    std::vector<path> files;
    for (const char* folder : {"examples", "tests/data/verilog/circuits"})
        for (const auto& e : support::fs::directory_iterator(support::sourcePath(folder)))
            if (e.path().extension() == ".pol") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool isExample(const path& p) {
    return p.parent_path().filename() == "examples";
}

#define SKIP_WITHOUT_YOSYS()                                                                   \
    if (verilog::yosysCellModels().empty())                                                    \
    GTEST_SKIP() << "yosys is not installed (scripts/install-deps.sh installs it): the Yosys " \
                    "flow is not checked"

long count(const std::string& text, const std::regex& re) {
    return std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator());
}

class YosysTest : public ::testing::TestWithParam<path> {};

TEST_P(YosysTest, SynthesisedNetlistDeliversWhatTheNetDelivers) {
    SKIP_WITHOUT_YOSYS();
    CNet net;
    verilog::VerilogOptions o;
    o.outDir = support::freshDir("yosys-" + GetParam().stem().string()).string();
    o.moduleDir = NOVRA_BIN_DIR "/module";
    verilog::CosimReport report;
    try {
        support::load(net, GetParam());
        report = verilog::cosimulateSynthesised(net, o, [](const std::string&) {});
    } catch (const CError& e) {
        FAIL() << e.message() << " (stop " << net.stopObject() << ")";
    }
    ASSERT_FALSE(report.sinks.empty());
    bool anyBits = false;
    for (const auto& r : report.sinks) {
        EXPECT_EQ(r.net, r.circuit) << "sink " << r.id << " in " << o.outDir;
        EXPECT_TRUE(r.limit.empty()) << r.limit;
        EXPECT_FALSE(isExample(GetParam()) && r.net.empty()) << "sink " << r.id;
        anyBits = anyBits || !r.net.empty();
    }
    for (const auto& f : report.functions) EXPECT_TRUE(f.match()) << f.module << ": " << f.difference;
    EXPECT_TRUE(anyBits) << "the net delivered nothing, so the comparison proves nothing";

    // Everything but the kept instances is mapped to cells: no behaviour is left, every matched delay and
    // every C-element of the generated modules is still an instance.
    const path dir = o.outDir;
    const std::string syn = support::readBytes(dir / (o.topName + "_syn.v"));
    EXPECT_EQ(0, count(syn, std::regex(R"(\b(always|initial|reg)\b|#\s*[0-9])"))) << "in " << o.outDir;
    const std::regex delayModule(R"(\bmodule\s+delay_\d+_\d+\b)"), delayInstance(R"(\n\s*delay_\d+_\d+\s)");
    EXPECT_EQ(count(support::readBytes(dir / "delay.v"), delayModule), count(syn, delayInstance));
    EXPECT_EQ(0, count(syn, delayModule)) << "a delay line was synthesised";
    const std::regex cElement(R"(\n\s*muller_c_[rs]\s)");
    EXPECT_EQ(count(support::readBytes(dir / "pipe.v"), cElement), count(syn, cElement));
    EXPECT_NE(std::string::npos, support::readBytes(dir / (o.topName + "_stat.txt")).find("Number of cells"));
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

}  // namespace
}  // namespace novra
