#include <gtest/gtest.h>

#include <string>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

TEST(Compile, MarkingIsLaidFromTokensAndBadTokensStopFirst) {
    CNet empty;
    EXPECT_EQ(compile(empty), "");
    EXPECT_TRUE(empty.simulationReady());

    CNet net;
    NetBuilder b(net);
    const int p1 = b.marked(kBlack, 1);
    const int t = b.transition();
    const int p2 = b.place();
    b.arc(p1, t);
    b.arc(t, p2);
    net.places().at(p2).put(kBlack, 0);  // left over from an earlier run
    ASSERT_EQ(compile(net), "");
    EXPECT_TRUE(net.places().at(p1).hasToken);
    EXPECT_EQ(net.places().at(p1).value, 1);
    EXPECT_EQ(net.places().at(p1).lastColor, kBlack);
    EXPECT_FALSE(net.places().at(p2).hasToken);
    EXPECT_EQ(net.tokens().size(), 1u);  // the initial marking itself is untouched

    // A token under an ID that is no place fails before any arc is looked at.
    net.setToken(t, kBlack, 0);
    net.addArc(p1, p2);
    EXPECT_EQ(compile(net), text(msg::kTokenOnNonPlace));
    EXPECT_EQ(net.stopObject(), 0);
    EXPECT_FALSE(net.simulationReady());
}

// A black token carries 0, 1 or 2 (undefined); a file may hold any other value, which compile refuses at
// its place. A white token's value carries nothing and is let be.
TEST(Compile, ABlackTokenMustCarryABitOrUndefined) {
    const struct {
        int color, value;
        bool ok;
    } cases[] = {{kBlack, 0, true},   {kBlack, 2, true}, {kBlack, 3, false},
                 {kBlack, -1, false}, {kWhite, 7, true}, {kWhite, -5, true}};
    for (const auto& c : cases) {
        CNet net;
        NetBuilder b(net);
        const int p = b.place();
        const int t = b.transition();
        b.arc(p, t);
        const int marked = b.marked(c.color, c.value);
        b.arc(t, marked);
        const std::string expected = c.ok ? "" : format(msg::kBadTokenValue, marked, c.value);
        EXPECT_EQ(compile(net), expected) << c.color << " " << c.value;
        EXPECT_EQ(net.stopObject(), c.ok ? 0 : marked);
    }
}

TEST(Compile, ArcKindsAndTheObjectBlamed) {
    struct Case {
        int fromKind, toKind;
        const MsgText& message;
        bool blameSource;
    };
    const Case cases[] = {
        {kPlace, kPlace, msg::kArcFromPlace, false},
        {kPlace, kUhzi, msg::kArcFromPlace, false},
        {kTransition, kTransition, msg::kArcFromTransition, false},
        {kTransition, kKemmakix, msg::kArcFromTransition, false},
        {kUhzi, kTransition, msg::kArcFromUhzi, false},
        {kKemmakix, kPlace, msg::kArcFromOther, true},
    };
    for (const Case& c : cases) {
        CNet net;
        const int from = net.addObject(0, 0, c.fromKind);
        const int to = net.addObject(60, 0, c.toKind);
        net.addArc(from, to);
        EXPECT_EQ(compile(net), text(c.message)) << c.fromKind << "->" << c.toKind;
        EXPECT_EQ(net.stopObject(), c.blameSource ? from : to) << c.fromKind << "->" << c.toKind;
    }

    CNet net;
    const int p = net.addObject(0, 0, kPlace);
    net.addArc(p, 42);
    EXPECT_EQ(compile(net), text(msg::kArcDestMissing));
    net.removeArc(p, 42);
    net.addArc(42, p);
    EXPECT_EQ(compile(net), text(msg::kArcSourceMissing));
    EXPECT_EQ(net.stopObject(), 0);
}

TEST(Compile, ArcsBindToVariableSlots) {
    CNet net;
    NetBuilder b(net);
    // Single arcs bind to slot 0 whatever their label says.
    const int a = b.marked(kBlack, 1);
    const int t1 = b.transition("o1=i1;");
    const int out1 = b.place();
    b.arc(a, t1, "stale");
    b.arc(t1, out1, "zz");
    // Labelled arcs take their variable's slot; unlabelled ones fill the slots after them.
    const int x = b.place(), y = b.place(), sync = b.place();
    const int t2 = b.transition("o1=i1&i2;");
    const int out2 = b.place(), extra = b.place();
    b.arc(sync, t2);
    b.arc(y, t2, "i2");
    b.arc(x, t2, "i1");
    b.arc(t2, extra);
    b.arc(t2, out2, "o1");
    ASSERT_EQ(compile(net), "");
    const CTransition& first = net.transitions().at(t1);
    EXPECT_EQ(first.inputPlaces, (std::vector<CPlace*>{&net.places().at(a)}));
    EXPECT_EQ(first.outputPlaces, (std::vector<CPlace*>{&net.places().at(out1)}));
    const CTransition& second = net.transitions().at(t2);
    EXPECT_EQ(second.inputArcCount, 3);
    EXPECT_EQ(second.inputPlaces,
              (std::vector<CPlace*>{&net.places().at(x), &net.places().at(y), &net.places().at(sync)}));
    EXPECT_EQ(second.outputPlaces, (std::vector<CPlace*>{&net.places().at(out2), &net.places().at(extra)}));
    EXPECT_EQ(second.inputArcSlots.at(net.findArc(sync, t2)), 2);
    EXPECT_EQ(second.outputArcSlots.at(net.findArc(t2, extra)), 1);

    // A missing variable, a name that is no variable, a label beyond the slots left by earlier unlabelled
    // arcs, and unlabelled arcs standing in for a variable.
    net.removeArc(y, t2);
    EXPECT_EQ(compile(net), text(msg::kUnboundInputVar));
    EXPECT_EQ(net.stopObject(), 0);
    net.addArc(y, t2, {}, "i9");
    EXPECT_EQ(compile(net), text(msg::kConnectInputVar));
    net.addArc(y, t2, {}, "i2");  // now the newest arc: two unlabelled arcs before it leave it no slot
    net.addArc(x, t2, {}, "");
    EXPECT_EQ(compile(net), text(msg::kConnectInputVar));
    net.addArc(x, t2, {}, "i1");
    net.addArc(t2, extra, {}, "o7");
    EXPECT_EQ(compile(net), text(msg::kConnectOutputVar));
    net.addArc(t2, extra, {}, "");
    net.addArc(t2, out2, {}, "");
    EXPECT_EQ(compile(net), text(msg::kUnboundOutputVar));
    net.addArc(t2, out2, {}, "o1");
    EXPECT_EQ(compile(net), "");
}

TEST(Compile, SourcesAndSinksTakeTheirOnePlace) {
    CNet net;
    NetBuilder b(net);
    const int u = b.uhzi({"1"});
    const int p = b.place();
    const int k = b.sink();
    const int lone = b.uhzi({"1"});
    b.arc(u, p);
    b.arc(p, k);
    ASSERT_EQ(compile(net), "");
    EXPECT_EQ(net.uhzis().at(u).placeId, p);
    EXPECT_EQ(net.kemmakixes().at(k).placeId, p);
    EXPECT_EQ(net.uhzis().at(lone).placeId, 0);

    const int q = b.place();
    b.arc(q, k);
    EXPECT_EQ(compile(net), text(msg::kKemmakixOneInput));
    b.arc(u, q);
    EXPECT_EQ(compile(net), text(msg::kUhziOneOutput));
    EXPECT_EQ(net.stopObject(), 0);
}

TEST(Compile, MarkingNextToSourcesAndSinks) {
    CNet net;
    NetBuilder b(net);
    const int u = b.uhzi({"1"});
    const int p = b.place();
    const int t = b.transition();
    const int q = b.place();
    const int k = b.sink();
    b.arc(u, p);
    b.arc(p, t);
    b.arc(t, q);
    b.arc(q, k);
    net.setToken(p, kWhite, 0);
    net.setToken(q, kBlack, 1);
    EXPECT_EQ(compile(net), "");
    net.setToken(p, kBlack, 1);
    EXPECT_EQ(compile(net), text(msg::kBlackNextToUhzi));
    EXPECT_EQ(net.stopObject(), p);
    net.setToken(p, kWhite, 0);
    net.setToken(q, kWhite, 0);
    EXPECT_EQ(compile(net), text(msg::kWhiteNextToKemmakix));
    EXPECT_EQ(net.stopObject(), q);

    // After an event file the marking rules and the function preparation are skipped.
    net.setHasEvents();
    net.setToken(p, kBlack, 1);
    net.setToken(q, kBlack, 1);
    b.setFunction(t, "o1=~i1;");
    EXPECT_EQ(compile(net), "");
    EXPECT_FALSE(net.simulationReady());
}

TEST(Compile, FaultsOfFunctionsSourcesAndSinksNameTheirObject) {
    CNet net;
    NetBuilder b(net);
    const int p = b.place();
    const int t = b.transition("o1=i1");  // no semicolon
    const int q = b.place();
    b.arc(p, t);
    b.arc(t, q);
    EXPECT_EQ(compile(net), text(msg::kNormLastNoSemicolon));
    EXPECT_EQ(net.stopObject(), t);

    b.setFunction(t, "o1=i1;");
    const int u = b.uhzi({"10", "1x"});
    EXPECT_EQ(compile(net), text(msg::kUhziBadWord));
    EXPECT_EQ(net.stopObject(), u);
    b.setHold(u, 2);
    EXPECT_EQ(compile(net), text(msg::kUhziBadHoldValue));
    b.setAddp(u, 3);
    EXPECT_EQ(compile(net), text(msg::kUhziBadAddp));
    EXPECT_EQ(net.stopObject(), u);
    b.setWords(u, {"10"});

    // Preparation (step 11): a black token on a computed output.
    b.setFunction(t, "o1=~i1;");
    net.setToken(q, kBlack, 0);
    EXPECT_EQ(compile(net), text(msg::kBlackOnFunctionOutput));
    EXPECT_EQ(net.stopObject(), t);
    b.removeToken(q);
    const int orphan = b.transition("// 同期のみ");
    EXPECT_EQ(compile(net), text(msg::kNoInputPlace));
    EXPECT_EQ(net.stopObject(), orphan);
}

TEST(Compile, EmptyPlacesTakeTheLastColourOfTheNearestMarkedPlaceDownstream) {
    // Ring p1 -> t1 -> p2 -> t2 -> p3 -> t3 -> p1.
    for (int colour : {kBlack, kWhite}) {
        CNet net;
        NetBuilder b(net);
        const int p1 = b.place(), t1 = b.transition(), p2 = b.place(), t2 = b.transition(), p3 = b.place(),
                  t3 = b.transition();
        b.arc(p1, t1);
        b.arc(t1, p2);
        b.arc(p2, t2);
        b.arc(t2, p3);
        b.arc(p3, t3);
        b.arc(t3, p1);
        net.setToken(p1, colour, 0);
        ASSERT_EQ(compile(net), "");
        for (int p : {p1, p2, p3}) EXPECT_EQ(net.places().at(p).lastColor, colour) << p;
    }

    // Two marked places reach one empty place: the nearer one (fewer steps back) wins, and a place no
    // marked place reaches stays white.
    CNet net;
    NetBuilder b(net);
    const int e = b.place(), ta = b.transition(), near = b.place();  // e -> ta -> near (black)
    const int tb = b.transition(), mid = b.place(), tc = b.transition(), far = b.place();
    const int lone = b.place(), td = b.transition(), sink = b.place();
    b.arc(e, ta);
    b.arc(ta, near);
    b.arc(e, tb);
    b.arc(tb, mid);
    b.arc(mid, tc);
    b.arc(tc, far);
    b.arc(lone, td);
    b.arc(td, sink);
    net.setToken(near, kBlack, 0);
    net.setToken(far, kWhite, 0);
    ASSERT_EQ(compile(net), "");
    EXPECT_EQ(net.places().at(e).lastColor, kBlack);
    EXPECT_EQ(net.places().at(mid).lastColor, kWhite);
    EXPECT_EQ(net.places().at(lone).lastColor, kWhite);
}

TEST(Compile, ReadinessFollowsTheShapeOfTheNet) {
    CNet net;
    NetBuilder b(net);
    const int p = b.marked(kBlack, 1);
    const int t = b.transition();
    const int q = b.place();
    b.arc(p, t);
    b.arc(t, q);
    ASSERT_EQ(compile(net), "");
    EXPECT_TRUE(net.simulationReady());
    net.setToken(p, kWhite, 0);  // changing the initial marking keeps every reference valid
    EXPECT_TRUE(net.simulationReady());
    net.deleteObject(q);
    EXPECT_FALSE(net.simulationReady());
    b.place();
    EXPECT_FALSE(net.simulationReady());
    EXPECT_NE(compile(net), "");  // t lost its output place
    EXPECT_FALSE(net.simulationReady());
}
