// The firing engine, and the points where the incremental engine must forget what it knows: a restored
// marking, a paused run, a new compile, a cleared net; and the compile shortcuts it relies on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/messages.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// p1 -> t1 -> p2 -> t2 -> p3, each stage copying its bit, a black 1 on p1.
struct Pipeline {
    CNet net;
    CSimulation sim{net};
    int p1, t1, p2, t2, p3;
    Pipeline() {
        const auto n = NetBuilder(net).build("p1=B1 t1 p2 t2 p3 | p1>t1>p2>t2>p3");
        p1 = n["p1"], t1 = n["t1"], p2 = n["p2"], t2 = n["t2"], p3 = n["p3"];
    }
    CPlace& place(int id) { return net.places().at(id); }
    bool fired(int id) { return net.transitions().at(id).fired; }
};

}  // namespace

TEST(Firing, ABlackTokenWalksThePipelineOneStagePerSweep) {
    Pipeline s;
    ASSERT_EQ(compile(s.sim), "");
    const PlaceMap start = s.net.places();
    EXPECT_EQ(s.place(s.p2).lastColor, kWhite);
    EXPECT_EQ(s.place(s.p3).lastColor, kWhite);
    sweep(s.sim);
    EXPECT_TRUE(s.fired(s.t1));
    EXPECT_FALSE(s.fired(s.t2));
    EXPECT_TRUE(s.place(s.p2).hasToken);
    EXPECT_EQ(s.place(s.p1).color, kBlack);  // an emptied place keeps showing the last colour
    sweep(s.sim);
    EXPECT_TRUE(s.fired(s.t2));
    EXPECT_EQ(s.place(s.p3).value, 1);
    sweep(s.sim);
    EXPECT_EQ(s.sim.sweepEnabled(), 0);  // quiet: nothing is left to look at

    // The rewind history puts a saved map back. The transitions must read the records now in the map, and
    // the quiet net must be looked at again.
    restore(s.sim, start);
    EXPECT_EQ(s.net.transitions().at(s.t1).inputPlaces[0], &s.place(s.p1));
    EXPECT_EQ(s.net.transitions().at(s.t2).outputPlaces[0], &s.place(s.p3));
    sweep(s.sim);
    EXPECT_TRUE(s.place(s.p2).hasToken);
    // prepare, three sweeps, then the end check: five phases. One fewer hits the limit.
    ASSERT_EQ(compile(s.sim), "");
    EXPECT_EQ(run(s.sim, 5), text(msg::kSimulationEnded));
    ASSERT_EQ(compile(s.sim), "");
    EXPECT_EQ(run(s.sim, 4), text(msg::kRunTooLong));
    EXPECT_EQ(s.net.stopObject(), 0);

}

TEST(Firing, BlackAndWhiteAlternateOnEveryPlace) {
    Pipeline s;
    s.net.setToken(s.p3, kBlack, 0);
    ASSERT_EQ(compile(s.sim), "");
    EXPECT_EQ(s.place(s.p2).lastColor, kBlack);  // the black on p3 passed p2 last
    for (int i = 0; i < 3; ++i) sweep(s.sim);
    EXPECT_TRUE(s.place(s.p1).hasToken);
    EXPECT_FALSE(s.place(s.p2).hasToken);

    s.net.setToken(s.p3, kWhite, 0);
    ASSERT_EQ(compile(s.sim), "");
    sweep(s.sim);
    EXPECT_TRUE(s.fired(s.t1));
    EXPECT_EQ(s.place(s.p2).color, kBlack);
    EXPECT_EQ(run(s.sim), text(msg::kSimulationEnded));  // p3 stays full: the run goes quiet
}

TEST(Firing, OutputValuesOfLabelledUnlabelledAndEmptyFunctions) {
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    // A function of comments only synchronises its inputs and puts undefined values out.
    const auto n = b.build(
        "in=B1 tcopy labelled extra a=B0 c=B1 tsync out | in>tcopy>labelled/o1 tcopy>extra a>tsync "
        "c>tsync>out",
        {{"tsync", "// 同期のみ"}});
    const int labelled = n["labelled"], extra = n["extra"], out = n["out"], a = n["a"], c = n["c"];
    ASSERT_EQ(compile(sim), "");
    sweep(sim);
    EXPECT_EQ(net.places().at(labelled).value, 1);
    EXPECT_EQ(net.places().at(extra).value, kUndefinedValue);
    EXPECT_TRUE(net.places().at(extra).hasToken);
    EXPECT_EQ(net.places().at(out).value, kUndefinedValue);
    EXPECT_EQ(net.places().at(out).color, kBlack);
    EXPECT_FALSE(net.places().at(a).hasToken);
    EXPECT_FALSE(net.places().at(c).hasToken);
    // The undefined value stops at the next function that needs it.
    const int use = b.transition("o1=~i1;");
    b.arc(extra, use);
    b.arc(use, b.place());
    ASSERT_EQ(compile(sim), "");
    sweep(sim);
    EXPECT_EQ(errorOf([&] { phase(sim, kEnable); }), text(msg::kUndefinedInput));
    EXPECT_EQ(net.stopObject(), use);
}

TEST(Firing, ConflictsAreSettledByTheLowerId) {
    // Two transitions drain one marked place; then two transitions fill one place.
    CNet net;
    CSimulation sim{net};
    const auto n = NetBuilder(net).build(
        "shared=B1 tlow thigh lowOut highOut x=B0 y=B1 tx ty merged | shared>tlow>lowOut "
        "shared>thigh>highOut "
        "x>tx>merged y>ty>merged");
    const int low = n["tlow"], high = n["thigh"], highOut = n["highOut"], fx = n["tx"], fy = n["ty"];
    const int merged = n["merged"], y = n["y"];
    ASSERT_EQ(compile(sim), "");
    phase(sim, kEnable);
    for (int t : {low, high, fx, fy}) EXPECT_TRUE(net.transitions().at(t).enabled) << t;
    phase(sim, kFire);
    EXPECT_TRUE(net.transitions().at(low).fired);
    EXPECT_FALSE(net.transitions().at(high).fired);
    EXPECT_FALSE(net.places().at(highOut).hasToken);
    EXPECT_TRUE(net.transitions().at(fx).fired);
    EXPECT_FALSE(net.transitions().at(fy).fired);
    EXPECT_EQ(net.places().at(merged).value, 0);
    EXPECT_TRUE(net.places().at(y).hasToken);
    // y's black is now blocked for good: merged has seen a black and must next take white.
    net.places().at(merged).take();
    phase(sim, kRestored);
    sweep(sim);
    EXPECT_FALSE(net.transitions().at(fy).fired);
}

TEST(Firing, GuardsTestTheKeptValuesOnWhiteWaves) {
    // A select: both transitions read s and d; the guard on s picks one.
    CNet net;
    CSimulation sim{net};
    // Downstream of p0 a black token: p0 must next accept white.
    const auto n = NetBuilder(net).build(
        "ps pd tone tzero p1 p0 tdrain marked=B0 | ps>tone/s pd>tone/d ps>tzero/s pd>tzero/d tone>p1 "
        "tzero>p0>tdrain>marked",
        {{"tone", "?s;q=d;"}, {"tzero", "?~s;q=~d;"}});
    const int ps = n["ps"], pd = n["pd"], onOne = n["tone"], onZero = n["tzero"], p1 = n["p1"], p0 = n["p0"];
    ASSERT_EQ(compile(sim), "");

    // A white wave before any black one: the guards see zeros.
    net.places().at(ps).put(kWhite, 1);
    net.places().at(pd).put(kWhite, 1);
    phase(sim, kRestored);  // the marking was set by hand
    phase(sim, kEnable);
    EXPECT_FALSE(net.transitions().at(onOne).enabled);
    EXPECT_TRUE(net.transitions().at(onZero).enabled);
    phase(sim, kFire);
    EXPECT_EQ(net.places().at(p0).color, kWhite);
    net.places().at(p0).take();

    // A black wave with s = 1 goes to p1; its white wave follows it even though both branches are free.
    net.places().at(ps).put(kBlack, 1);
    net.places().at(pd).put(kBlack, 0);
    phase(sim, kRestored);
    sweep(sim);
    EXPECT_TRUE(net.transitions().at(onOne).fired);
    EXPECT_EQ(net.places().at(p1).value, 0);
    net.places().at(p1).take();
    net.places().at(ps).put(kWhite, 0);
    net.places().at(pd).put(kWhite, 0);
    net.places().at(p0).lastColor = kBlack;  // let the guard alone decide for the other branch
    phase(sim, kRestored);
    phase(sim, kEnable);
    EXPECT_TRUE(net.transitions().at(onOne).enabled);
    EXPECT_FALSE(net.transitions().at(onZero).enabled);
}

TEST(Firing, FireStopTransitionsAreReportedButDoNotStopTheUnanimatedRun) {
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const auto n = b.build("a=B1 ta c=B0 tc pa pc | a>ta>pa c>tc>pc");
    const int a = n["a"], tc = n["tc"];
    b.fireStop(n["ta"]);
    b.fireStop(tc);
    ASSERT_EQ(compile(sim), "");
    EXPECT_EQ(phase(sim, kEnable), 2);
    EXPECT_EQ(net.stopObject(), tc);  // every transition is evaluated: the highest hit is named
    EXPECT_EQ(sim.sweepEnabled(), 1);
    ASSERT_EQ(compile(sim), "");
    EXPECT_EQ(run(sim), text(msg::kSimulationEnded));
    EXPECT_EQ(net.stopObject(), 0);
    EXPECT_FALSE(net.places().at(a).hasToken);
}

TEST(Firing, InternalFaultsNameTheTransition) {
    Pipeline s;
    ASSERT_EQ(compile(s.sim), "");
    s.place(s.p1).color = kNoColor;
    phase(s.sim, kRestored);
    EXPECT_EQ(errorOf([&] { phase(s.sim, kEnable); }), text(msg::kFlagWithoutToken));
    EXPECT_EQ(s.net.stopObject(), s.t1);
}

TEST(Firing, NothingRunsOnANetThatCompileDidNotPrepare) {
    Pipeline s;
    const std::string notReady = text(msg::kNotCompiled);
    EXPECT_EQ(run(s.sim), notReady);
    EXPECT_EQ(errorOf([&] { phase(s.sim, kEnable); }), notReady);

    // Compiled, then a place removed: the transitions' references would dangle.
    ASSERT_EQ(compile(s.sim), "");
    s.net.deleteObject(s.p2);
    EXPECT_EQ(run(s.sim), notReady);
    EXPECT_EQ(errorOf([&] { phase(s.sim, kFire); }), notReady);
    EXPECT_EQ(errorOf([&] { phase(s.sim, kEmit); }), notReady);

    // A failed compile leaves half-built connections behind.
    EXPECT_NE(compile(s.sim), "");
    EXPECT_EQ(run(s.sim), notReady);

    // A function changed after compile (the arrays no longer fit) never fires instead of overrunning them.
    Pipeline t;
    ASSERT_EQ(compile(t.sim), "");
    NetBuilder(t.net).setFunction(t.t1, "o1=a&b&c;o2=a;");
    phase(t.sim, kRestored);
    EXPECT_EQ(run(t.sim), text(msg::kSimulationEnded));
    EXPECT_TRUE(t.place(t.p1).hasToken);
}

TEST(Incremental, ClearedNetMustBeCompiledAgain) {
    // Rebuilt to the very same shape, the net holds new records; the old compile must not be used.
    CNet net;
    CSimulation sim{net};
    auto build = [&] { NetBuilder(net).build("p=B1 t q | p>t>q"); };
    build();
    ASSERT_EQ(compile(sim), "");
    net.clear();
    build();
    EXPECT_FALSE(net.simulationReady());
    EXPECT_EQ(run(sim), text(msg::kNotCompiled));
    ASSERT_EQ(compile(sim), "");
    EXPECT_EQ(run(sim), text(msg::kSimulationEnded));
}

TEST(Incremental, TransitionsSharingAFunctionTextAreCheckedOneByOne) {
    // Compile prepares a text once for all transitions that carry it; each still gets its own checks and
    // its own fields.
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const auto n = b.build("p1=B1 t1 p2 t2 p3=B0 | p1>t1>p2>t2>p3",
                           {{"t1", "o1=~i1; // 反転"}, {"t2", "o1=~i1; // 反転"}});
    const int t1 = n["t1"], t2 = n["t2"], p3 = n["p3"];
    EXPECT_EQ(compile(sim), text(msg::kBlackOnFunctionOutput));
    EXPECT_EQ(net.stopObject(), t2);

    net.setToken(p3, kWhite, 0);
    ASSERT_EQ(compile(sim), "");
    // Fields made from another text are made again when the text returns, though another transition
    // kept it all along.
    const std::string inverter = net.transitions().at(t2).functionText;
    b.setFunction(t2, "o1=i1;o2=i1;");
    EXPECT_EQ(compile(sim), text(msg::kUnboundOutputVar));
    b.setFunction(t2, "?i1;o1=i1;");
    ASSERT_EQ(compile(sim), "");
    EXPECT_NE(net.transitions().at(t2).compiledFunction, net.transitions().at(t1).compiledFunction);
    b.setFunction(t2, inverter);
    ASSERT_EQ(compile(sim), "");
    EXPECT_EQ(net.transitions().at(t2).normalizedText, net.transitions().at(t1).normalizedText);
    EXPECT_EQ(net.transitions().at(t2).inputVarNames, net.transitions().at(t1).inputVarNames);
    EXPECT_EQ(net.transitions().at(t2).outputVarNames, net.transitions().at(t1).outputVarNames);
    EXPECT_EQ(net.transitions().at(t2).compiledFunction, net.transitions().at(t1).compiledFunction);
    EXPECT_EQ(net.transitions().at(t2).compiledGuard, net.transitions().at(t1).compiledGuard);
    EXPECT_EQ(net.transitions().at(t2).inputValues.size(), 1u);
    // A record whose names were copied from elsewhere is refreshed, not trusted.
    CNet copy;
    CSimulation copySim{copy};
    copy.copyAll(net);
    for (auto& [id, t] : copy.transitions()) t.inputVarNames = {{"x", 1}};
    ASSERT_EQ(compile(copySim), "");
    for (const auto& [id, t] : copy.transitions())
        EXPECT_EQ(t.inputVarNames, net.transitions().at(t1).inputVarNames);

    // A text that fails is not taken for one that was prepared before.
    b.setFunction(t2, "o1=i1");
    EXPECT_NE(compile(sim), "");
    EXPECT_EQ(net.stopObject(), t2);
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
