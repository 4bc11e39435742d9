#pragma once
// Simulates an example net and checks every recording sink against its expected words.
#include <gtest/gtest.h>

#include <string>

#include "common/messages.h"
#include "sim_helpers.h"

namespace novra::testing {

// The kemmakix dialog's verdict: received and expected words agree pairwise over their common length,
// and at least one pair was compared.
inline bool verdict(const CKemmakix& k) {
    const size_t n = std::min(k.received.size(), k.expected.size());
    if (n == 0) return false;
    for (size_t i = 0; i < n; ++i)
        if (k.received[i] != k.expected[i]) return false;
    return true;
}

inline void expectRunsToItsExpectedWords(CNet& net, const std::string& name) {
    CSimulation sim(net);
    ASSERT_EQ(compileMessage(sim), "") << name;
    EXPECT_EQ(runMessage(sim), text(msg::kSimulationEnded)) << name;
    ASSERT_FALSE(net.kemmakixes.empty()) << name;
    for (const auto& [id, k] : net.kemmakixes) {
        if (k.line != 0 && k.line != 1) continue;
        EXPECT_TRUE(verdict(k)) << name << " sink " << id;
    }
}

}  // namespace novra::testing
