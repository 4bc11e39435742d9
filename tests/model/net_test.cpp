#include "model/net.h"
#include "model/net_builder.h"

#include <gtest/gtest.h>

#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using novra::support::expectConsistent;

TEST(NetIdentifiers, SharedCounterNeverReusesIds) {
    CNet net;
    EXPECT_EQ(net.addObject(0, 0, kPlace), 1);
    EXPECT_EQ(net.addObject(40, 0, kTransition), 2);
    EXPECT_EQ(net.addObject(80, 0, kPlace), 3);
    net.deleteObject(2);
    EXPECT_EQ(net.addObject(0, 80, kUhzi), 4);
    EXPECT_EQ(net.kindOf(4), kUhzi);
    EXPECT_EQ(net.kindOf(2), 0);

    // A bad kind is refused and costs no ID.
    EXPECT_EQ(net.addObject(0, 0, 5), 0);
    EXPECT_EQ(net.addObject(0, 0, 0), 0);
    EXPECT_EQ(net.nextId(), 5);
    expectConsistent(net);

    net.addArc(1, 3);
    net.clear();
    EXPECT_TRUE(net.objects().empty());
    EXPECT_TRUE(net.arcs().empty());
    EXPECT_TRUE(net.bounds().empty);
    EXPECT_EQ(net.addObject(0, 0, kKemmakix), 1);
    EXPECT_EQ(net.addArc(1, 1), 1);
}

TEST(NetArcs, OneArcPerOrderedPair) {
    CNet net;
    for (int i = 0; i < 5; ++i) net.addObject(i * 40, 0, i % 2 ? kTransition : kPlace);
    const int a = net.addArc(3, 5, {{1, 1}}, "i1");
    EXPECT_EQ(a, 1);
    // The same pair again keeps the arc and its ID; name and bend points are replaced.
    EXPECT_EQ(net.addArc(3, 5, {{7, 8}, {9, 10}}, "i2"), a);
    EXPECT_EQ(net.arcs().size(), 1u);
    EXPECT_EQ(net.arcs().at(a).varName, "i2");
    EXPECT_EQ(net.arcs().at(a).bendPoints, (std::vector<Point>{{7, 8}, {9, 10}}));
    EXPECT_EQ(net.arcCounter(), 2);
    // The reverse direction is a different arc.
    EXPECT_EQ(net.addArc(5, 3), 2);
    // An end of 0 is refused without touching the counter.
    EXPECT_EQ(net.addArc(0, 3), 0);
    EXPECT_EQ(net.addArc(3, 0), 0);
    EXPECT_EQ(net.arcCounter(), 3);
    expectConsistent(net);
}

TEST(NetArcs, RemoveArcReportsMissingArcs) {
    CNet net;
    net.addObject(0, 0, kPlace);
    net.addObject(0, 0, kTransition);
    net.addArc(1, 2);
    EXPECT_EQ(net.removeArc(2, 1), 1);
    EXPECT_EQ(net.arcs().size(), 1u);
    EXPECT_EQ(net.removeArc(1, 2), 0);
    EXPECT_TRUE(net.arcs().empty());
    EXPECT_TRUE(net.inArcs().empty());
    EXPECT_TRUE(net.outArcs().empty());
    EXPECT_EQ(net.removeArc(1, 2), 1);
}

TEST(NetDelete, MarkedPlaceLosesItsTokenFirst) {
    CNet net;
    const int p1 = net.addObject(0, 0, kPlace);
    const int t = net.addObject(40, 0, kTransition);
    const int p2 = net.addObject(80, 0, kPlace);
    net.addArc(p1, t, {}, "i1");
    net.addArc(t, p2, {}, "o1");
    net.setToken(p1, kBlack, 1);
    support::NetBuilder(net).fireStop(t);

    net.deleteObject(p1);
    EXPECT_EQ(net.tokens().count(p1), 0u);
    EXPECT_EQ(net.kindOf(p1), kPlace);
    EXPECT_EQ(net.arcs().size(), 2u);

    net.deleteObject(p1);
    EXPECT_EQ(net.kindOf(p1), 0);
    EXPECT_EQ(net.arcs().size(), 1u);
    EXPECT_EQ(net.transitions().count(t), 1u);
    expectConsistent(net);

    // Deleting a transition takes its arcs and its fire-stop mark; the other ends stay.
    net.deleteObject(t);
    EXPECT_TRUE(net.arcs().empty());
    EXPECT_TRUE(net.simTranOpt().empty());
    EXPECT_EQ(net.kindOf(p2), kPlace);
    expectConsistent(net);

    // Unknown IDs are harmless.
    net.deleteObject(999);
    expectConsistent(net);
}

TEST(NetLabels, PruneEmptiesNamesThatAreNoVariables) {
    CNet net;
    const int p1 = net.addObject(0, 0, kPlace);
    const int p2 = net.addObject(0, 40, kPlace);
    const int t = net.addObject(40, 0, kTransition);
    const int p3 = net.addObject(80, 0, kPlace);
    const int p4 = net.addObject(80, 40, kPlace);
    CTransition& tr = net.transitions().at(t);
    tr.inputVarNames = {{"a", 1}, {"b", 2}};
    tr.outputVarNames = {{"o1", 1}};
    const int a1 = net.addArc(p1, t, {}, "a");
    const int a2 = net.addArc(p2, t, {}, "i2");
    const int a3 = net.addArc(t, p3, {}, "o1");
    const int a4 = net.addArc(t, p4, {}, "a");  // an input name on an output arc
    net.pruneArcLabels(t);
    EXPECT_EQ(net.arcs().at(a1).varName, "a");
    EXPECT_EQ(net.arcs().at(a2).varName, "");
    EXPECT_EQ(net.arcs().at(a3).varName, "o1");
    EXPECT_EQ(net.arcs().at(a4).varName, "");
    net.pruneArcLabels(p1);  // not a transition: nothing happens
    EXPECT_EQ(net.arcs().at(a1).varName, "a");
}

TEST(NetPurge, DropsViewEntriesOfUnknownKinds) {
    // Only a builder can enter a view entry of a kind that does not exist.
    CNet net;
    CNetBuilder build(net);
    build.add(1, CPlace{});
    build.setView(1, VObject{kPlace, 0, 0});
    build.setView(7, VObject{9, 0, 0});
    build.finish();
    net.purgeObjects();
    EXPECT_EQ(net.objects().size(), 1u);
    EXPECT_EQ(net.objects().count(1), 1u);
}
