#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/messages.h"
#include "model/net.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

// Each net, in NetBuilder::build's line, against the message compile gives and the object it blames.
TEST(Compile, FaultsAreFoundInOrderAndBlameTheirObject) {
    using Tweak = std::function<void(NetBuilder&, const NetBuilder::Ids&)>;
    const struct Case {
        const char* net;
        const MsgText* message;  // nullptr: compiles
        const char* blamed;      // "" blames nothing
        std::map<std::string, std::string> functions = {};
        Tweak tweak = {};
    } cases[] = {
        // A token under an ID that is no place fails before any arc is looked at.
        {"p=B1 t=B0 q | p>t>q p>q", &msg::kTokenOnNonPlace, ""},
        {"a b | a>b", &msg::kArcFromPlace, "b"},
        {"p u | p>u", &msg::kArcFromPlace, "u"},
        {"t t2 | t>t2", &msg::kArcFromTransition, "t2"},
        {"t k | t>k", &msg::kArcFromTransition, "k"},
        {"u t | u>t", &msg::kArcFromUhzi, "t"},
        {"k p | k>p", &msg::kArcFromOther, "k"},
        {"u p k q | u>p>k q>k", &msg::kKemmakixOneInput, ""},
        {"u p k q | u>p>k u>q", &msg::kUhziOneOutput, ""},
        {"u p=W0 t q=B1 k | u>p>t>q>k", nullptr, ""},
        {"u p=B1 t q=B1 k | u>p>t>q>k", &msg::kBlackNextToUhzi, "p"},
        {"u p=W0 t q=W0 k | u>p>t>q>k", &msg::kWhiteNextToKemmakix, "q"},
        {"p t q | p>t>q", &msg::kNormLastNoSemicolon, "t", {{"t", "o1=i1"}}},
        {"u p t q | u>p>t>q",
         &msg::kUhziBadWord,
         "u",
         {},
         [](NetBuilder& b, auto& n) {
             b.setWords(n["u"], {"10", "1x"});
         }},
        {"u p t q | u>p>t>q",
         &msg::kUhziBadHoldValue,
         "u",
         {},
         [](NetBuilder& b, auto& n) { b.setHold(n["u"], 2); }},
        {"u p t q | u>p>t>q",
         &msg::kUhziBadAddp,
         "u",
         {},
         [](NetBuilder& b, auto& n) { b.setAddp(n["u"], 3); }},
        {"p t q=B0 | p>t>q", &msg::kBlackOnFunctionOutput, "t", {{"t", "o1=~i1;"}}},
        {"p t q t2 | p>t>q", &msg::kNoInputPlace, "t2", {{"t2", "// 同期のみ"}}},
        // Labelled arcs take their variable's slot, unlabelled ones fill the slots after them.
        {"x y s t o e | s>t y>t/i2 x>t/i1 t>e t>o/o1", nullptr, "", {{"t", "o1=i1&i2;"}}},
        {"x y s t o e | s>t x>t/i1 t>e t>o/o1", &msg::kUnboundInputVar, "", {{"t", "o1=i1&i2;"}}},
        {"x y s t o e | s>t y>t/i9 x>t/i1 t>e t>o/o1", &msg::kConnectInputVar, "", {{"t", "o1=i1&i2;"}}},
        {"x y s t o e | s>t x>t y>t/i2 t>e t>o/o1", &msg::kConnectInputVar, "", {{"t", "o1=i1&i2;"}}},
        {"x y s t o e | s>t y>t/i2 x>t/i1 t>e/o7 t>o/o1", &msg::kConnectOutputVar, "", {{"t", "o1=i1&i2;"}}},
        {"x y s t o e | s>t y>t/i2 x>t/i1 t>e t>o", &msg::kUnboundOutputVar, "", {{"t", "o1=i1&i2;"}}},
    };
    for (const Case& c : cases) {
        CNet net;
        NetBuilder b(net);
        const NetBuilder::Ids n = b.build(c.net, c.functions);
        if (c.tweak) c.tweak(b, n);
        EXPECT_EQ(compile(net), c.message ? text(*c.message) : "") << c.net;
        EXPECT_EQ(net.stopObject(), *c.blamed ? n[c.blamed] : 0) << c.net;
        EXPECT_EQ(net.simulationReady(), c.message == nullptr) << c.net;
    }

    CNet net;
    const int p = net.addObject(0, 0, kPlace);
    net.addArc(p, 42);
    EXPECT_EQ(compile(net), text(msg::kArcDestMissing));
    net.removeArc(p, 42);
    net.addArc(42, p);
    EXPECT_EQ(compile(net), text(msg::kArcSourceMissing));
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
        const auto n = NetBuilder(net).build("p t q | p>t>q");
        net.setToken(n["q"], c.color, c.value);
        EXPECT_EQ(compile(net), c.ok ? "" : format(msg::kBadTokenValue, n["q"], c.value)) << c.value;
        EXPECT_EQ(net.stopObject(), c.ok ? 0 : n["q"]);
    }
}

TEST(Compile, MarkingSlotsAndEndsAreLaidOut) {
    CNet net;
    NetBuilder b(net);
    auto n =
        b.build("p=B1 t q x y s t2 o e u a k ulone | p>t/stale>q/zz s>t2 y>t2/i2 x>t2/i1 t2>e t2>o/o1 u>a>k",
                {{"t2", "o1=i1&i2;"}});
    net.places().at(n["q"]).put(kBlack, 0);  // left over from an earlier run
    ASSERT_EQ(compile(net), "");
    EXPECT_TRUE(net.places().at(n["p"]).hasToken);
    EXPECT_EQ(net.places().at(n["p"]).value, 1);
    EXPECT_EQ(net.places().at(n["p"]).lastColor, kBlack);
    EXPECT_FALSE(net.places().at(n["q"]).hasToken);
    EXPECT_EQ(net.tokens().size(), 1u);  // the initial marking itself is untouched
    auto places = [&](std::initializer_list<const char*> names) {
        std::vector<CPlace*> v;
        for (const char* name : names) v.push_back(&net.places().at(n[name]));
        return v;
    };
    // Single arcs bind to slot 0 whatever their label says.
    EXPECT_EQ(net.transitions().at(n["t"]).inputPlaces, places({"p"}));
    EXPECT_EQ(net.transitions().at(n["t"]).outputPlaces, places({"q"}));
    const CTransition& t2 = net.transitions().at(n["t2"]);
    EXPECT_EQ(t2.inputArcCount, 3);
    EXPECT_EQ(t2.inputPlaces, places({"x", "y", "s"}));
    EXPECT_EQ(t2.outputPlaces, places({"o", "e"}));
    EXPECT_EQ(t2.inputArcSlots.at(net.findArc(n["s"], n["t2"])), 2);
    EXPECT_EQ(t2.outputArcSlots.at(net.findArc(n["t2"], n["e"])), 1);
    EXPECT_EQ(net.uhzis().at(n["u"]).placeId, n["a"]);
    EXPECT_EQ(net.kemmakixes().at(n["k"]).placeId, n["a"]);
    EXPECT_EQ(net.uhzis().at(n["ulone"]).placeId, 0);

    // Changing the initial marking keeps every reference valid; removing a place does not.
    net.setToken(n["p"], kWhite, 0);
    EXPECT_TRUE(net.simulationReady());
    net.deleteObject(n["q"]);
    EXPECT_FALSE(net.simulationReady());
    b.place();
    EXPECT_NE(compile(net), "");  // t lost its output place
    EXPECT_FALSE(net.simulationReady());

    // After an event file the marking rules and the function preparation are skipped.
    CNet events;
    n = NetBuilder(events).build("u p=B1 t q=B1 k | u>p>t>q>k", {{"t", "o1=~i1;"}});
    events.setHasEvents();
    EXPECT_EQ(compile(events), "");
    EXPECT_FALSE(events.simulationReady());
}

TEST(Compile, EmptyPlacesTakeTheLastColourOfTheNearestMarkedPlaceDownstream) {
    for (const char* ring :
         {"p1=B0 t1 p2 t2 p3 t3 | p1>t1>p2>t2>p3>t3>p1", "p1=W0 t1 p2 t2 p3 t3 | p1>t1>p2>t2>p3>t3>p1"}) {
        CNet net;
        const auto n = NetBuilder(net).build(ring);
        ASSERT_EQ(compile(net), "");
        for (const char* p : {"p1", "p2", "p3"})
            EXPECT_EQ(net.places().at(n[p]).lastColor, ring[3] == 'B' ? kBlack : kWhite);
    }
    // Two marked places reach one empty place: the nearer one (fewer steps back) wins, and a place no
    // marked place reaches stays white.
    CNet net;
    const auto n = NetBuilder(net).build(
        "e ta near=B0 tb mid tc far=W0 lone td end | e>ta>near e>tb>mid>tc>far lone>td>end");
    ASSERT_EQ(compile(net), "");
    EXPECT_EQ(net.places().at(n["e"]).lastColor, kBlack);
    EXPECT_EQ(net.places().at(n["mid"]).lastColor, kWhite);
    EXPECT_EQ(net.places().at(n["lone"]).lastColor, kWhite);
}
