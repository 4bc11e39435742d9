// The generated circuits, simulated under Icarus Verilog, deliver to every sink exactly the bits the net
// delivers for the same input words, and every function computes what the net's evaluator computes: for
// each net of examples/ and of tests/data/verilog/circuits (see the README there).
#include <gtest/gtest.h>

#include <algorithm>

#include "common/error.h"
#include "support/support.h"
#include "verilog/cosim.h"

namespace novra {
namespace {

using support::fs::path;

// The shipped examples and the circuit test's own nets.
std::vector<path> nets() { return support::netFiles({"examples", "tests/data/verilog/circuits"}); }

class CircuitTest : public ::testing::TestWithParam<path> {};

TEST_P(CircuitTest, CircuitDeliversWhatTheNetDelivers) {
    const bool example = GetParam().parent_path().filename() == "examples";
    CNet net;
    verilog::VerilogOptions o;
    o.outDir = support::freshDir((example ? "example-" : "circuit-") + GetParam().stem().string()).string();
    o.moduleDir = NOVRA_BIN_DIR "/module";
    verilog::CosimReport report;
    try {
        support::load(net, GetParam());
        report = verilog::cosimulate(net, o, [](const std::string&) {});
    } catch (const CError& e) {
        FAIL() << e.message() << " (stop " << net.stopObject() << ")";
    }
    ASSERT_FALSE(report.sinks.empty());
    bool anyBits = false;
    for (const auto& r : report.sinks) {
        EXPECT_EQ(r.net, r.circuit) << "sink " << r.id << " in " << o.outDir;
        EXPECT_TRUE(r.limit.empty()) << r.limit;
        EXPECT_FALSE(example && r.net.empty()) << "sink " << r.id;
        anyBits = anyBits || !r.net.empty();
    }
    for (const auto& f : report.functions) EXPECT_TRUE(f.match()) << f.module << ": " << f.difference;
    EXPECT_TRUE(report.match());
    EXPECT_TRUE(anyBits) << "the net delivered nothing, so the comparison proves nothing";
}

INSTANTIATE_TEST_SUITE_P(Nets, CircuitTest, ::testing::ValuesIn(nets()), [](const auto& info) {
    const bool example = info.param.parent_path().filename() == "examples";
    return (example ? "example_" : "") + info.param.stem().string();
});

}  // namespace
}  // namespace novra
