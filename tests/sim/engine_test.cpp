// The compile shortcuts the incremental engine relies on, and its ordered set. (tests/data/sim/firing.txt
// drives the firing engine through the points where the incremental engine must forget what it knows.)
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/messages.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

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
