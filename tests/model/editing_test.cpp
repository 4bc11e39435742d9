#include <gtest/gtest.h>

#include "model/net.h"
#include "support/net_builder.h"

using namespace novra;

namespace {

// place -> transition -> place with a labelled, bent arc pair and a black token on the first place.
struct SmallNet {
    CNet net;
    int p1, t, p2, outside;
    SmallNet() {
        p1 = net.addObject(10, 20, kPlace);
        t = net.addObject(50, 20, kTransition);
        p2 = net.addObject(90, 20, kPlace);
        outside = net.addObject(90, 80, kPlace);
        support::NetBuilder(net).setFunction(t, "o1=~x;");
        net.addArc(p1, t, {{30, 0}, {40, 5}}, "x");
        net.addArc(t, p2, {}, "o1");
        net.addArc(t, outside);
        net.setToken(p1, kBlack, 1);
        support::NetBuilder(net).fireStop(t);
    }
};

}  // namespace

TEST(Copy, GroupKeepsPositionsRecordsTokensAndInnerArcs) {
    SmallNet s;
    CNet clip;
    clip.addObject(0, 0, kPlace);  // the destination already has an object: new IDs continue its counter
    const std::set<int> ids = clip.copyObjects(s.net, {s.p1, s.t, s.p2});
    EXPECT_EQ(ids, (std::set<int>{2, 3, 4}));
    EXPECT_EQ(clip.objects().at(2), (VObject{kPlace, 10, 20}));
    EXPECT_EQ(clip.objects().at(3), (VObject{kTransition, 50, 20}));
    EXPECT_EQ(clip.transitions().at(3).functionText, "o1=~x;");
    EXPECT_EQ(clip.transitions().at(3).inputVarNames.at("x"), 1);
    EXPECT_EQ(clip.tokens().at(2), (Token{kBlack, 1}));
    // Only the two arcs inside the group come along, with their names and bend points.
    ASSERT_EQ(clip.arcs().size(), 2u);
    const int in = clip.findArc(2, 3);
    ASSERT_NE(in, 0);
    EXPECT_EQ(clip.arcs().at(in).varName, "x");
    EXPECT_EQ(clip.arcs().at(in).bendPoints, (std::vector<Point>{{30, 0}, {40, 5}}));
    EXPECT_EQ(clip.arcs().at(clip.findArc(3, 4)).varName, "o1");
    // The fire-stop mark is not copied; the source is unchanged.
    EXPECT_TRUE(clip.simTranOpt().empty());
    EXPECT_EQ(s.net.arcs().size(), 3u);
    EXPECT_EQ(s.net.objects().size(), 4u);
}

TEST(Copy, LoneTransitionAndDanglingIds) {
    SmallNet s;
    CNet clip;
    // A selection may hold IDs that no longer exist; they are skipped.
    const std::set<int> ids = clip.copyObjects(s.net, {s.t, 77});
    EXPECT_EQ(ids, (std::set<int>{1}));
    EXPECT_EQ(clip.transitions().at(1).functionText, "o1=~x;");
    EXPECT_TRUE(clip.arcs().empty());
}

TEST(Copy, SourcesAndSinksCarryTheirSettings) {
    CNet net;
    const int u = net.addObject(0, 0, kUhzi);
    const int k = net.addObject(0, 40, kKemmakix);
    support::NetBuilder b(net);
    b.setHold(u, 1);
    b.setWords(u, {"1011", "0"}, 1);
    b.setSink(k, 2, {"1101"});
    CNet copy;
    copy.copyAll(net);
    EXPECT_EQ(copy.uhzis().at(1).words, (std::vector<std::string>{"1011", "0"}));
    EXPECT_EQ(copy.uhzis().at(1).addp, 1);
    EXPECT_EQ(copy.uhzis().at(1).line, 1);
    EXPECT_EQ(copy.uhzis().at(1).holdValue, 1);
    EXPECT_EQ(copy.kemmakixes().at(2).line, 2);
    EXPECT_EQ(copy.kemmakixes().at(2).expected, (std::vector<std::string>{"1101"}));
    // The copy owns its lists.
    net.uhzis().at(u).words.push_back("1");
    EXPECT_EQ(copy.uhzis().at(1).words.size(), 2u);
}

TEST(Copy, CopyAllIntoEmptyNetMakesIdsDense) {
    CNet net;
    for (int i = 0; i < 12; ++i) net.addObject(i, i, kPlace);
    for (int id = 1; id <= 12; ++id)
        if (id != 4 && id != 9 && id != 12) {
            net.deleteObject(id);
        }
    net.addArc(4, 12);
    CNet undo;
    EXPECT_EQ(undo.copyAll(net), (std::set<int>{1, 2, 3}));
    EXPECT_EQ(undo.objects().at(1).x, 3);
    EXPECT_EQ(undo.objects().at(2).x, 8);
    EXPECT_EQ(undo.objects().at(3).x, 11);
    EXPECT_NE(undo.findArc(1, 3), 0);
    EXPECT_EQ(undo.nextId(), 4);
}

TEST(Editing, TokensMovesAndBendPoints) {
    SmallNet s;
    s.net.setToken(s.p1, kWhite, 0);
    EXPECT_EQ(s.net.tokens().at(s.p1), (Token{kWhite, 0}));
    EXPECT_EQ(s.net.tokens().size(), 1u);

    s.net.moveObject(s.t, -5, 300);
    EXPECT_EQ(s.net.objects().at(s.t), (VObject{kTransition, -5, 300}));
    const int arc = s.net.findArc(s.p1, s.t);
    s.net.moveBendPoint(arc, 1, 1, 2);
    EXPECT_EQ(s.net.arcs().at(arc).bendPoints[1], (Point{1, 2}));
    // Out-of-range indexes and unknown IDs change nothing.
    s.net.moveBendPoint(arc, 2, 9, 9);
    s.net.moveBendPoint(arc, -1, 9, 9);
    s.net.moveBendPoint(999, 0, 9, 9);
    s.net.moveObject(999, 1, 1);
    EXPECT_EQ(s.net.arcs().at(arc).bendPoints, (std::vector<Point>{{30, 0}, {1, 2}}));
    EXPECT_EQ(s.net.objects().count(999), 0u);
}
