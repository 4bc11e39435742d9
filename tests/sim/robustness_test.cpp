// Whatever a net holds, compile and the run end with a message and touch no memory they do not own.
#include <gtest/gtest.h>

#include <random>

#include "common/messages.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

const char* const kFunctions[] = {"o1=i1;",   "o1=~i1;",        "o1=i1&i2;",   "s=a^b^c;co=(a&b)|(c&(a^b));",
                                  "?g;o1=d;", "?~g;o1=~d;q=d;", "// 同期のみ", "o1=i1;o2=i1;o3=i1;"};
const char* const kBadFunctions[] = {"o1=i1", "o1=o1;", "o1=;", "x=y;y=z;", "o1=i1+i2;"};

// A net of random nodes, arcs (of any kinds, including ends that do not exist), tokens, functions, source
// and sink settings.
void randomNet(CNet& net, std::mt19937& rng) {
    NetBuilder b(net);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int nodes = 2 + pick(14);
    for (int i = 0; i < nodes; ++i) {
        const int kind = 1 + pick(4);
        const int id = net.addObject(20 * i, 0, kind);
        if (kind == kTransition)
            b.setFunction(id, pick(30) ? kFunctions[pick(std::size(kFunctions))]
                                       : kBadFunctions[pick(std::size(kBadFunctions))]);
        if (kind == kUhzi) {
            const int addp = pick(40) == 0 ? 2 : pick(2), hold = pick(40) == 0 ? 3 : pick(2), line = pick(2);
            std::vector<std::string> words;
            for (int w = pick(4); w > 0; --w)
                words.push_back(pick(60) == 0 ? "1a0" : std::string(pick(5), '1'));
            b.setHold(id, hold);
            b.setWords(id, std::move(words), line);
            b.setAddp(id, addp);
        }
        if (kind == kKemmakix) b.setSink(id, pick(6));
    }
    // Mostly legal wiring, so that many nets get as far as the simulation, plus a few arcs of any kind.
    std::vector<int> places;
    for (const auto& kv : net.places()) places.push_back(kv.first);
    const std::string names[] = {"", "", "", "", "", "i1", "i2", "o1", "o2", "a", "s", "g", "d", "zz"};
    auto anyPlace = [&] { return places.empty() ? 0 : places[static_cast<size_t>(pick(places.size()))]; };
    auto label = [&] { return names[pick(std::size(names))]; };
    for (const auto& kv : net.transitions()) {
        for (int n = 1 + pick(3); n > 0; --n) net.addArc(anyPlace(), kv.first, {}, label());
        for (int n = 1 + pick(2); n > 0; --n) net.addArc(kv.first, anyPlace(), {}, label());
    }
    for (const auto& kv : net.uhzis())
        for (int n = pick(5) == 0 ? 2 : 1; n > 0; --n) net.addArc(kv.first, anyPlace());
    for (const auto& kv : net.kemmakixes())
        for (int n = pick(5) == 0 ? 2 : 1; n > 0; --n) net.addArc(anyPlace(), kv.first);
    for (int a = pick(8) == 0 ? 1 + pick(3) : 0; a > 0; --a)
        net.addArc(1 + pick(nodes + 1), 1 + pick(nodes + 1), {}, label());
    for (const auto& [id, p] : net.places())
        if (pick(3) == 0) net.setToken(id, pick(2) ? kBlack : kWhite, pick(3));
    if (!net.transitions().empty() && pick(2)) b.fireStop(net.transitions().begin()->first);
}

}  // namespace

TEST(Robustness, RandomNetsAlwaysEndWithAMessage) {
    std::mt19937 rng(20240607);
    int compiled = 0, ended = 0;
    for (int i = 0; i < 3000; ++i) {
        CNet net;
        CSimulation sim{net};
        randomNet(net, rng);
        const std::string compileResult = compile(sim);
        const std::string ran = run(sim, 3000);
        EXPECT_NE(ran, "");  // a run always raises something
        if (!compileResult.empty()) {
            EXPECT_EQ(ran, text(msg::kNotCompiled));
            continue;
        }
        ++compiled;
        ended += ran == text(msg::kSimulationEnded);
        // Deleting a node afterwards leaves references that must not be followed.
        net.deleteObject(net.objects().rbegin()->first);
        net.deleteObject(net.objects().empty() ? 0 : net.objects().begin()->first);
        if (net.simulationReady()) {
            EXPECT_NE(run(sim, 3000), "");  // only a token went: every reference still holds
        } else {
            EXPECT_EQ(run(sim), text(msg::kNotCompiled));
            EXPECT_EQ(errorOf([&] { phase(sim, kFire); }), text(msg::kNotCompiled));
        }
        phase(sim, kFlush);  // Abort flushes whatever state the net is in
    }
    // The generator must reach the simulation often enough for this to mean something.
    EXPECT_GT(compiled, 200);
    EXPECT_GT(ended, 100);
}
