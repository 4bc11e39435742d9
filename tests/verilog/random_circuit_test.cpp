// Random deterministic nets whose functions and guards are drawn from the whole language the net accepts
// (every operator, unbracketed mixes of "&", "|" and "^", "~~", "^~", "&~", "|~", an unclosed "(", named
// variables, several outputs), on pipelines, forks, joins, select branches that merge again and feedback
// loops, with several words per source: every circuit delivers exactly the net's bits at every sink, and
// every function module and guard computes what the net's evaluator computes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/error.h"
#include "random_net.h"
#include "support/support.h"
#include "verilog/cosim.h"

namespace novra {
namespace {

int envNumber(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v ? std::atoi(v) : fallback;
}

// NOVRA_RANDOM_NETS and NOVRA_RANDOM_SEED run more nets or others.
TEST(RandomCircuitTest, EveryDeterministicNetMatchesItsCircuit) {
    const int count = envNumber("NOVRA_RANDOM_NETS", 200);
    const unsigned seed = static_cast<unsigned>(envNumber("NOVRA_RANDOM_SEED", 1234));
    random_net::CRandomNet gen(seed);
    int bits = 0, checks = 0, failures = 0;
    for (int i = 0; i < count && failures < 5; ++i) {
        CNet net;
        gen.build(net);
        verilog::VerilogOptions o;
        o.outDir = support::freshDir("random-circuit-" + std::to_string(i)).string();
        o.moduleDir = NOVRA_BIN_DIR "/module";
        verilog::CosimReport report;
        try {
            report = verilog::cosimulate(net, o, [](const std::string&) {});
        } catch (const CError& e) {
            ADD_FAILURE() << "net " << i << ": " << e.message() << " (stop " << net.stopObject() << ") in "
                          << o.outDir;
            ++failures;
            continue;
        }
        for (const auto& r : report.sinks) {
            EXPECT_TRUE(r.match()) << "net " << i << " sink " << r.id << ": net " << r.net << " circuit "
                                   << r.circuit << " " << r.limit << " in " << o.outDir;
            bits += static_cast<int>(r.net.size());
        }
        for (const auto& f : report.functions) {
            EXPECT_TRUE(f.match()) << "net " << i << " " << f.module << " " << f.expression << ": "
                                   << f.difference << " in " << o.outDir;
            checks += f.combinations;
        }
        if (!report.match()) {
            ++failures;
            support::save(net, o.outDir + "/net.pol");  // for a look at what went wrong
        }
    }
    // The nets must really carry data and have functions to check, or the comparison proves nothing.
    EXPECT_GT(bits, count * 4);
    EXPECT_GT(checks, count * 8);
}

}  // namespace
}  // namespace novra
