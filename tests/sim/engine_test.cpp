#include <gtest/gtest.h>

#include "common/messages.h"
#include "net_builder.h"
#include "sim_helpers.h"

using namespace novra;
using namespace novra::testing;

namespace {

// p1 -> t1 -> p2 -> t2 -> p3, each stage copying its bit.
struct Pipeline {
    CNet net;
    CSimulation sim{net};
    int p1, t1, p2, t2, p3;
    Pipeline() {
        NetBuilder b(net);
        p1 = b.place();
        t1 = b.transition();
        p2 = b.place();
        t2 = b.transition();
        p3 = b.place();
        b.arc(p1, t1);
        b.arc(t1, p2);
        b.arc(p2, t2);
        b.arc(t2, p3);
    }
    CPlace& place(int id) { return net.places.at(id); }
    bool fired(int id) { return net.transitions.at(id).fired; }
};

}  // namespace

TEST(Firing, ABlackTokenWalksThePipelineOneStagePerSweep) {
    Pipeline s;
    s.net.setToken(s.p1, kBlack, 1);
    ASSERT_EQ(compileMessage(s.sim), "");
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
    EXPECT_EQ(s.sim.sweepEnabled(), 0);

    // prepare, three sweeps, then the end check: five phases. One fewer hits the limit.
    ASSERT_EQ(compileMessage(s.sim), "");
    EXPECT_EQ(runMessage(s.sim, 5), text(msg::kSimulationEnded));
    ASSERT_EQ(compileMessage(s.sim), "");
    EXPECT_EQ(runMessage(s.sim, 4), text(msg::kRunTooLong));
    EXPECT_EQ(s.net.stopObject, 0);
}

TEST(Firing, BlackAndWhiteAlternateOnEveryPlace) {
    Pipeline s;
    s.net.setToken(s.p1, kBlack, 1);
    s.net.setToken(s.p3, kBlack, 0);
    ASSERT_EQ(compileMessage(s.sim), "");
    EXPECT_EQ(s.place(s.p2).lastColor, kBlack);  // the black on p3 passed p2 last
    for (int i = 0; i < 3; ++i) sweep(s.sim);
    EXPECT_TRUE(s.place(s.p1).hasToken);
    EXPECT_FALSE(s.place(s.p2).hasToken);

    s.net.setToken(s.p3, kWhite, 0);
    ASSERT_EQ(compileMessage(s.sim), "");
    sweep(s.sim);
    EXPECT_TRUE(s.fired(s.t1));
    EXPECT_EQ(s.place(s.p2).color, kBlack);
    EXPECT_EQ(runMessage(s.sim), text(msg::kSimulationEnded));  // p3 stays full: the run goes quiet
}

TEST(Firing, OutputValuesOfLabelledUnlabelledAndEmptyFunctions) {
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const int in = b.markedPlace(kBlack, 1);
    const int copy = b.transition("o1=i1;");
    const int labelled = b.place(), extra = b.place();
    b.arc(in, copy);
    b.arc(copy, labelled, "o1");
    b.arc(copy, extra);
    // A function of comments only synchronises its inputs and puts undefined values out.
    const int a = b.markedPlace(kBlack, 0), c = b.markedPlace(kBlack, 1);
    const int sync = b.transition("// 同期のみ");
    const int out = b.place();
    b.arc(a, sync);
    b.arc(c, sync);
    b.arc(sync, out);
    ASSERT_EQ(compileMessage(sim), "");
    sweep(sim);
    EXPECT_EQ(net.places.at(labelled).value, 1);
    EXPECT_EQ(net.places.at(extra).value, kUndefinedValue);
    EXPECT_TRUE(net.places.at(extra).hasToken);
    EXPECT_EQ(net.places.at(out).value, kUndefinedValue);
    EXPECT_EQ(net.places.at(out).color, kBlack);
    EXPECT_FALSE(net.places.at(a).hasToken);
    EXPECT_FALSE(net.places.at(c).hasToken);
    // The undefined value stops at the next function that needs it.
    const int use = b.transition("o1=~i1;");
    b.arc(extra, use);
    b.arc(use, b.place());
    ASSERT_EQ(compileMessage(sim), "");
    sweep(sim);
    EXPECT_EQ(raisedBy([&] { sim.evaluateEnabling(); }), text(msg::kUndefinedInput));
    EXPECT_EQ(net.stopObject, use);
}

TEST(Firing, ConflictsAreSettledByTheLowerId) {
    // Two transitions drain one marked place; then two transitions fill one place.
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const int shared = b.markedPlace(kBlack, 1);
    const int low = b.transition(), high = b.transition();
    const int lowOut = b.place(), highOut = b.place();
    b.arc(shared, low);
    b.arc(shared, high);
    b.arc(low, lowOut);
    b.arc(high, highOut);
    const int x = b.markedPlace(kBlack, 0), y = b.markedPlace(kBlack, 1);
    const int fx = b.transition(), fy = b.transition();
    const int merged = b.place();
    b.arc(x, fx);
    b.arc(y, fy);
    b.arc(fx, merged);
    b.arc(fy, merged);
    ASSERT_EQ(compileMessage(sim), "");
    sim.evaluateEnabling();
    for (int t : {low, high, fx, fy}) EXPECT_TRUE(net.transitions.at(t).enabled) << t;
    sim.firePhase();
    EXPECT_TRUE(net.transitions.at(low).fired);
    EXPECT_FALSE(net.transitions.at(high).fired);
    EXPECT_FALSE(net.places.at(highOut).hasToken);
    EXPECT_TRUE(net.transitions.at(fx).fired);
    EXPECT_FALSE(net.transitions.at(fy).fired);
    EXPECT_EQ(net.places.at(merged).value, 0);
    EXPECT_TRUE(net.places.at(y).hasToken);
    // y's black is now blocked for good: merged has seen a black and must next take white.
    net.places.at(merged).take();
    sim.markingChanged();
    sweep(sim);
    EXPECT_FALSE(net.transitions.at(fy).fired);
}

TEST(Firing, GuardsTestTheKeptValuesOnWhiteWaves) {
    // A select: both transitions read s and d; the guard on s picks one.
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const int ps = b.place(), pd = b.place();
    const int onOne = b.transition("?s;q=d;"), onZero = b.transition("?~s;q=~d;");
    const int p1 = b.place(), p0 = b.place();
    for (int t : {onOne, onZero}) {
        b.arc(ps, t, "s");
        b.arc(pd, t, "d");
    }
    b.arc(onOne, p1);
    b.arc(onZero, p0);
    // Downstream of p0 a black token: p0 must next accept white.
    const int drain = b.transition();
    const int marked = b.markedPlace(kBlack, 0);
    b.arc(p0, drain);
    b.arc(drain, marked);
    ASSERT_EQ(compileMessage(sim), "");

    // A white wave before any black one: the guards see zeros.
    net.places.at(ps).put(kWhite, 1);
    net.places.at(pd).put(kWhite, 1);
    sim.markingChanged();  // the marking was set by hand
    sim.evaluateEnabling();
    EXPECT_FALSE(net.transitions.at(onOne).enabled);
    EXPECT_TRUE(net.transitions.at(onZero).enabled);
    sim.firePhase();
    EXPECT_EQ(net.places.at(p0).color, kWhite);
    net.places.at(p0).take();

    // A black wave with s = 1 goes to p1; its white wave follows it even though both branches are free.
    net.places.at(ps).put(kBlack, 1);
    net.places.at(pd).put(kBlack, 0);
    sim.markingChanged();
    sweep(sim);
    EXPECT_TRUE(net.transitions.at(onOne).fired);
    EXPECT_EQ(net.places.at(p1).value, 0);
    net.places.at(p1).take();
    net.places.at(ps).put(kWhite, 0);
    net.places.at(pd).put(kWhite, 0);
    net.places.at(p0).lastColor = kBlack;  // let the guard alone decide for the other branch
    sim.markingChanged();
    sim.evaluateEnabling();
    EXPECT_TRUE(net.transitions.at(onOne).enabled);
    EXPECT_FALSE(net.transitions.at(onZero).enabled);
}

TEST(Firing, FireStopTransitionsAreReportedButDoNotStopTheUnanimatedRun) {
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const int a = b.markedPlace(kBlack, 1);
    const int ta = b.transition();
    const int c = b.markedPlace(kBlack, 0);
    const int tc = b.transition();
    b.arc(a, ta);
    b.arc(ta, b.place());
    b.arc(c, tc);
    b.arc(tc, b.place());
    net.simTranOpt = {ta, tc};
    ASSERT_EQ(compileMessage(sim), "");
    EXPECT_EQ(sim.evaluateEnabling(), 2);
    EXPECT_EQ(net.stopObject, tc);  // every transition is evaluated: the highest hit is named
    EXPECT_EQ(sim.sweepEnabled(), 1);
    ASSERT_EQ(compileMessage(sim), "");
    EXPECT_EQ(runMessage(sim), text(msg::kSimulationEnded));
    EXPECT_EQ(net.stopObject, 0);
    EXPECT_FALSE(net.places.at(a).hasToken);
}

TEST(Firing, InternalFaultsNameTheTransition) {
    Pipeline s;
    s.net.setToken(s.p1, kBlack, 1);
    ASSERT_EQ(compileMessage(s.sim), "");
    s.place(s.p1).color = kNoColor;
    s.sim.markingChanged();
    EXPECT_EQ(raisedBy([&] { s.sim.evaluateEnabling(); }), text(msg::kFlagWithoutToken));
    EXPECT_EQ(s.net.stopObject, s.t1);
}

TEST(Firing, NothingRunsOnANetThatCompileDidNotPrepare) {
    Pipeline s;
    s.net.setToken(s.p1, kBlack, 1);
    const std::string notReady = text(msg::kNotCompiled);
    EXPECT_EQ(runMessage(s.sim), notReady);
    EXPECT_EQ(raisedBy([&] { s.sim.evaluateEnabling(); }), notReady);

    // Compiled, then a place removed: the transitions' references would dangle.
    ASSERT_EQ(compileMessage(s.sim), "");
    s.net.deleteObject(s.p2);
    EXPECT_EQ(runMessage(s.sim), notReady);
    EXPECT_EQ(raisedBy([&] { s.sim.firePhase(); }), notReady);
    EXPECT_EQ(raisedBy([&] { s.sim.emitSources(); }), notReady);

    // A failed compile leaves half-built connections behind.
    EXPECT_NE(compileMessage(s.sim), "");
    EXPECT_EQ(runMessage(s.sim), notReady);

    // A function changed after compile (the arrays no longer fit) never fires instead of overrunning them.
    Pipeline t;
    t.net.setToken(t.p1, kBlack, 1);
    ASSERT_EQ(compileMessage(t.sim), "");
    NetBuilder(t.net).setFunction(t.t1, "o1=a&b&c;o2=a;");
    t.sim.markingChanged();
    EXPECT_EQ(runMessage(t.sim), text(msg::kSimulationEnded));
    EXPECT_TRUE(t.place(t.p1).hasToken);
}
