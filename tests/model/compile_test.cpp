#include <gtest/gtest.h>

#include <string>

#include "common/messages.h"
#include "model/net.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

// tests/data/sim/compile.txt has the faults compile finds in nets that can be drawn, with the object it
// blames; here arcs to nodes that do not exist.
TEST(Compile, ArcsToMissingNodesAreFound) {
    CNet net;
    const int p = net.addObject(0, 0, kPlace);
    net.addArc(p, 42);
    EXPECT_EQ(compile(net), text(msg::kArcDestMissing));
    net.removeArc(p, 42);
    net.addArc(42, p);
    EXPECT_EQ(compile(net), text(msg::kArcSourceMissing));
}

TEST(Compile, MarkingSlotsAndEndsAreLaidOut) {
    CNet net;
    NetBuilder b(net);
    auto n =
        b.build("p=B1 t q x y s t2 o e u a k ulone | p>t/stale>q/zz s>t2 y>t2/i2 x>t2/i1 t2>e t2>o/o1 u>a>k",
                {{"t2", "o1=i1&i2;"}});
    net.places().at(n["q"]).put(kBlack, 0);  // left over from an earlier run (tests/data/sim/compile.txt)
    ASSERT_EQ(compile(net), "");
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
