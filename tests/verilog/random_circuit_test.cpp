// Random nets built from the deterministic constructs (joins, forks, chains that lose registers, functions
// of up to three inputs, select branches with complementary guards that merge again): each circuit delivers
// exactly what its net delivers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "common/error.h"
#include "temp_root.h"
#include "verilog/cosim.h"
#include "verilog_nets.h"

namespace novra {
namespace {

struct Channel {
    int from;
    std::string var;  // output variable of a stage; empty for a source
};

std::string randomExpression(std::mt19937& rng, int inputs) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::string e = "i1";
    for (int k = 2; k <= inputs; ++k) {
        const char* ops[] = {"&", "|", "^"};
        e = "(" + e + ")" + ops[pick(3)] + (pick(3) == 0 ? "~" : "") + "i" + std::to_string(k);
    }
    return pick(3) == 0 ? "~(" + e + ")" : e;
}

void randomDeterministicNet(CNet& net, std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    vtest::Builder b(net);
    std::vector<Channel> open;
    const int length = 3 + pick(6);
    for (int s = 1 + pick(3); s > 0; --s) {
        std::string word;
        for (int i = 0; i < length; ++i) word += pick(2) ? '1' : '0';
        open.push_back({b.uhzi({word}, pick(2)), ""});
    }
    for (int n = 2 + pick(8); n > 0 && !open.empty(); --n) {
        if (pick(4) == 0) {
            // A select branch whose two guarded stages (complementary guards) merge again.
            const size_t at = static_cast<size_t>(pick(static_cast<int>(open.size())));
            const int select = b.place();
            b.arc(open[at].from, select, open[at].var);
            open.erase(open.begin() + static_cast<long>(at));
            const int merge = b.place();
            for (const char* guard : {"?i1;", "?~i1;"}) {
                const int t = b.transition(std::string(guard) + "o1=" + (pick(2) ? "~i1;" : "i1;"));
                b.arc(select, t);
                b.arc(t, merge);
            }
            const int after = b.transition("o1=i1;");
            b.arc(merge, after);
            open.push_back({after, "o1"});
            continue;
        }
        const int inputs = std::min<int>(1 + pick(3), static_cast<int>(open.size()));
        const int outputs = 1 + (pick(3) == 0);
        std::string f;
        for (int o = 1; o <= outputs; ++o)
            f += "o" + std::to_string(o) + "=" + randomExpression(rng, inputs) + ";";
        const int t = b.transition(f);
        for (int k = 1; k <= inputs; ++k) {
            const size_t at = static_cast<size_t>(pick(static_cast<int>(open.size())));
            b.link(open[at].from, t, open[at].var, "i" + std::to_string(k));
            open.erase(open.begin() + static_cast<long>(at));
        }
        for (int o = 1; o <= outputs; ++o) open.push_back({t, "o" + std::to_string(o)});
    }
    for (const Channel& c : open) b.link(c.from, b.sink(pick(2)), c.var);
}

TEST(RandomCircuitTest, DeterministicNetsMatchTheirCircuits) {
    std::mt19937 rng(1234);
    const int count = std::getenv("NOVRA_RANDOM_NETS") ? std::atoi(std::getenv("NOVRA_RANDOM_NETS")) : 20;
    for (int i = 0; i < count; ++i) {
        CNet net;
        randomDeterministicNet(net, rng);
        verilog::VerilogOptions o;
        o.outDir = vtest::freshDir("random-circuit-" + std::to_string(i)).string();
        o.moduleDir = NOVRA_BIN_DIR "/module";
        std::vector<verilog::SinkResult> results;
        try {
            results = verilog::cosimulate(net, o, [](const std::string&) {});
        } catch (const CError& e) {
            ADD_FAILURE() << "net " << i << ": " << e.message() << " (stop " << net.stopObject << ")";
            continue;
        }
        for (const auto& r : results)
            EXPECT_EQ(r.net, r.circuit) << "net " << i << " sink " << r.id << " in " << o.outDir;
    }
}

}  // namespace
}  // namespace novra
