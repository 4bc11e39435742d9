// The points where the incremental engine must forget what it knows: a restored marking, a paused run, a
// new compile, a cleared net; and the compile shortcuts it relies on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/messages.h"
#include "net_builder.h"
#include "sim_helpers.h"

using namespace novra;
using namespace novra::testing;

namespace {

// p1 -> t1 -> p2 -> t2 -> p3 with a black token on p1.
struct Pipeline {
    CNet net;
    CSimulation sim{net};
    int p1, t1, p2, t2, p3;
    Pipeline() {
        NetBuilder b(net);
        p1 = b.markedPlace(kBlack, 1);
        t1 = b.transition();
        p2 = b.place();
        t2 = b.transition("o1=~i1;");
        p3 = b.place();
        b.arc(p1, t1);
        b.arc(t1, p2);
        b.arc(p2, t2);
        b.arc(t2, p3);
    }
    bool fired(int id) { return net.transitions.at(id).fired; }
};

}  // namespace

TEST(Incremental, RestoredMarkingIsSweptAgain) {
    Pipeline s;
    ASSERT_EQ(compileMessage(s.sim), "");
    const PlaceMap start = s.net.places;
    sweep(s.sim);
    sweep(s.sim);
    EXPECT_TRUE(s.fired(s.t2));
    sweep(s.sim);
    EXPECT_EQ(s.sim.sweepEnabled(), 0);  // quiet: nothing is left to look at

    // The rewind history copies a saved map back. The transitions must read the records now in the map,
    // and the quiet net must be looked at again.
    s.net.places = start;
    s.sim.markingChanged();
    EXPECT_EQ(s.net.transitions.at(s.t1).inputPlaces[0], &s.net.places.at(s.p1));
    EXPECT_EQ(s.net.transitions.at(s.t2).outputPlaces[0], &s.net.places.at(s.p3));
    sweep(s.sim);
    EXPECT_TRUE(s.fired(s.t1));
    EXPECT_TRUE(s.net.places.at(s.p2).hasToken);
    sweep(s.sim);
    EXPECT_EQ(s.net.places.at(s.p3).value, 0);

    // A map with other places than the compiled ones cannot be simulated until the next compile.
    PlaceMap other = start;
    other.erase(s.p3);
    other.emplace(s.p3 + 100, CPlace{});
    s.net.places = other;
    s.sim.markingChanged();
    EXPECT_EQ(raisedBy([&] { s.sim.evaluateEnabling(); }), text(msg::kNotCompiled));
}

TEST(Incremental, PausedRunAndNewCompile) {
    Pipeline s;
    s.net.simTranOpt.insert(s.t1);
    ASSERT_EQ(compileMessage(s.sim), "");
    EXPECT_EQ(s.sim.evaluateEnabling(), 2);
    EXPECT_EQ(s.net.stopObject, s.t1);
    // Resuming a paused run may evaluate again before firing; nothing changed, so the same comes out.
    s.net.stopObject = 0;
    EXPECT_EQ(s.sim.evaluateEnabling(), 2);
    EXPECT_EQ(s.net.stopObject, s.t1);
    EXPECT_TRUE(s.net.transitions.at(s.t1).enabled);
    s.sim.firePhase();
    EXPECT_TRUE(s.fired(s.t1));
    EXPECT_EQ(s.sim.evaluateEnabling(), 0);
    EXPECT_FALSE(s.fired(s.t1));  // evaluated again since it fired
    EXPECT_TRUE(s.net.transitions.at(s.t2).enabled);

    // A compile in the middle of a run starts from the initial marking, and the first sweep sees it all.
    ASSERT_EQ(compileMessage(s.sim), "");
    EXPECT_FALSE(s.net.transitions.at(s.t2).enabled);
    EXPECT_EQ(sweep(s.sim), 2);
    EXPECT_TRUE(s.fired(s.t1));
    EXPECT_FALSE(s.fired(s.t2));
}

TEST(Incremental, ClearedNetMustBeCompiledAgain) {
    // Rebuilt to the very same shape, the net holds new records; the old compile must not be used.
    CNet net;
    CSimulation sim{net};
    auto build = [&] {
        NetBuilder b(net);
        const int p = b.markedPlace(kBlack, 1);
        const int t = b.transition();
        const int q = b.place();
        b.arc(p, t);
        b.arc(t, q);
    };
    build();
    ASSERT_EQ(compileMessage(sim), "");
    net.clear();
    build();
    EXPECT_FALSE(net.simulationReady());
    EXPECT_EQ(runMessage(sim), text(msg::kNotCompiled));
    ASSERT_EQ(compileMessage(sim), "");
    EXPECT_EQ(runMessage(sim), text(msg::kSimulationEnded));
}

TEST(Incremental, TransitionsSharingAFunctionTextAreCheckedOneByOne) {
    // Compile prepares a text once for all transitions that carry it; each still gets its own checks and
    // its own fields.
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const int p1 = b.markedPlace(kBlack, 1);
    const int t1 = b.transition("o1=~i1; // 反転");
    const int p2 = b.place();
    const int t2 = b.transition("o1=~i1; // 反転");
    const int p3 = b.markedPlace(kBlack, 0);
    b.arc(p1, t1);
    b.arc(t1, p2);
    b.arc(p2, t2);
    b.arc(t2, p3);
    EXPECT_EQ(compileMessage(sim), text(msg::kBlackOnFunctionOutput));
    EXPECT_EQ(net.stopObject, t2);

    net.setToken(p3, kWhite, 0);
    ASSERT_EQ(compileMessage(sim), "");
    // Fields made from another text are made again when the text returns, though another transition
    // kept it all along.
    const std::string inverter = net.transitions.at(t2).functionText;
    net.transitions.at(t2).functionText = "o1=i1;o2=i1;";
    EXPECT_EQ(compileMessage(sim), text(msg::kUnboundOutputVar));
    net.transitions.at(t2).functionText = "?i1;o1=i1;";
    ASSERT_EQ(compileMessage(sim), "");
    EXPECT_NE(net.transitions.at(t2).compiledFunction, net.transitions.at(t1).compiledFunction);
    net.transitions.at(t2).functionText = inverter;
    ASSERT_EQ(compileMessage(sim), "");
    EXPECT_EQ(net.transitions.at(t2).normalizedText, net.transitions.at(t1).normalizedText);
    EXPECT_EQ(net.transitions.at(t2).inputVarNames, net.transitions.at(t1).inputVarNames);
    EXPECT_EQ(net.transitions.at(t2).outputVarNames, net.transitions.at(t1).outputVarNames);
    EXPECT_EQ(net.transitions.at(t2).compiledFunction, net.transitions.at(t1).compiledFunction);
    EXPECT_EQ(net.transitions.at(t2).compiledGuard, net.transitions.at(t1).compiledGuard);
    EXPECT_EQ(net.transitions.at(t2).inputValues.size(), 1u);
    // A record whose names were copied from elsewhere is refreshed, not trusted.
    CNet copy;
    CSimulation copySim{copy};
    copy.copyAll(net);
    for (auto& [id, t] : copy.transitions) t.inputVarNames = {{"x", 1}};
    ASSERT_EQ(compileMessage(copySim), "");
    for (const auto& [id, t] : copy.transitions)
        EXPECT_EQ(t.inputVarNames, net.transitions.at(t1).inputVarNames);

    // A text that fails is not taken for one that was prepared before.
    net.transitions.at(t2).functionText = "o1=i1";
    EXPECT_NE(compileMessage(sim), "");
    EXPECT_EQ(net.stopObject, t2);
}

TEST(Incremental, OrderedBitSetVisitsMembersInOrder) {
    COrderedBitSet set;
    set.resize(300000);
    EXPECT_TRUE(set.empty());
    const std::vector<size_t> members = {0, 63, 64, 4095, 4096, 4097, 262143, 262144, 299999};
    for (auto it = members.rbegin(); it != members.rend(); ++it) set.insert(*it);
    set.insert(4096);  // twice
    std::vector<size_t> seen;
    set.drain([&](size_t m) { seen.push_back(m); });
    EXPECT_EQ(seen, members);
    EXPECT_TRUE(set.empty());

    // A visit that throws leaves the members not yet visited for later.
    for (size_t m : members) set.insert(m);
    seen.clear();
    EXPECT_THROW(set.drain([&](size_t m) {
        if (m == 4096) throw std::runtime_error("stop");
        seen.push_back(m);
    }),
                 std::runtime_error);
    set.drain([&](size_t m) { seen.push_back(m); });
    EXPECT_EQ(seen.size(), members.size());
    EXPECT_EQ(seen[4], 4096u);
}
