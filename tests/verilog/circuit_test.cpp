// The generated circuits, simulated under Icarus Verilog, deliver to every sink exactly the bits the net
// delivers for the same input words.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "support/support.h"
#include "verilog/cosim.h"
#include "verilog_nets.h"

namespace novra {
namespace {

namespace fs = std::filesystem;

class CircuitTest : public ::testing::TestWithParam<vtest::NamedNet> {};

TEST_P(CircuitTest, CircuitDeliversWhatTheNetDelivers) {
    CNet net;
    GetParam().build(net);
    verilog::VerilogOptions o;
    o.outDir = support::freshDir(std::string("circuit-") + GetParam().name).string();
    o.moduleDir = NOVRA_BIN_DIR "/module";
    verilog::CosimReport report;
    try {
        report = verilog::cosimulate(net, o, [](const std::string&) {});
    } catch (const CError& e) {
        FAIL() << e.message() << " (stop " << net.stopObject << ")";
    }
    ASSERT_FALSE(report.sinks.empty());
    bool anyBits = false;
    for (const auto& r : report.sinks) {
        EXPECT_EQ(r.net, r.circuit) << "sink " << r.id << " in " << o.outDir;
        EXPECT_TRUE(r.limit.empty()) << r.limit;
        anyBits = anyBits || !r.net.empty();
    }
    for (const auto& f : report.functions) EXPECT_TRUE(f.match()) << f.module << ": " << f.difference;
    EXPECT_TRUE(anyBits) << "the net delivered nothing, so the comparison proves nothing";
}

INSTANTIATE_TEST_SUITE_P(Nets, CircuitTest, ::testing::ValuesIn(vtest::circuitNets()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace novra
