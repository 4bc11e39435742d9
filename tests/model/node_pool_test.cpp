#include "model/node_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "model/net.h"

using novra::CNodePool;

namespace {

std::vector<char*> take(CNodePool& pool, size_t n) {
    std::vector<char*> out;
    for (size_t k = 0; k < n; ++k) out.push_back(static_cast<char*>(pool.allocate()));
    return out;
}

}  // namespace

TEST(NodePool, SlotsNeverOverlapAndKeepTheirContentThroughRandomUse) {
    // Slots big enough that the pool grows past its small slabs into huge ones and back.
    constexpr size_t kSlot = 1000;
    CNodePool pool(kSlot, 8, 0);  // gives back every slab that falls empty
    EXPECT_EQ(pool.slotSize(), kSlot);
    size_t mostSlots = 0;
    std::mt19937 rng(7);
    std::vector<std::pair<char*, uint32_t>> live;  // slot and the stamp written into it
    uint32_t stamp = 0;
    for (int op = 0; op < 60000; ++op) {
        // Phases of growth and of shrinking, so that slabs fill, empty and come back.
        const int phase = op / 10000;
        const bool growing = phase == 0 || phase == 1 || phase == 3;
        const bool grow = growing ? rng() % 4 != 0 : rng() % 4 == 0;
        if (grow || live.empty()) {
            char* p = static_cast<char*>(pool.allocate());
            ASSERT_EQ(reinterpret_cast<uintptr_t>(p) % 8, 0u);
            ++stamp;
            std::memset(p, static_cast<int>(stamp & 0xff), kSlot);
            live.emplace_back(p, stamp);
            mostSlots = std::max(mostSlots, pool.slotCount());
        } else {
            const size_t k = rng() % live.size();
            pool.deallocate(live[k].first);
            live[k] = live.back();
            live.pop_back();
        }
    }
    std::vector<char*> addrs;
    for (const auto& [p, s] : live) {
        for (size_t b = 0; b < kSlot; ++b) ASSERT_EQ(static_cast<unsigned char>(p[b]), s & 0xff);
        addrs.push_back(p);
    }
    std::sort(addrs.begin(), addrs.end());
    for (size_t k = 1; k < addrs.size(); ++k) ASSERT_GE(static_cast<size_t>(addrs[k] - addrs[k - 1]), kSlot);
    EXPECT_GT(mostSlots * kSlot, size_t{8} << 20);
    for (const auto& [p, s] : live) pool.deallocate(p);
    EXPECT_EQ(pool.slabCount(), 0u);
}

TEST(NodePool, HandsOutTheLowestFreeSlotsFirstAndKeepsEmptySlabsUpToItsLimit) {
    CNodePool probe(100, 4);
    // Room for one empty slab and a half: the first slab to fall empty is kept, the next ones go.
    CNodePool pool(100, 4, probe.slotsPerSmallSlab() * 100 * 3 / 2);
    const size_t perSlab = pool.slotsPerSmallSlab();
    std::vector<char*> all = take(pool, perSlab * 3);  // three full slabs
    EXPECT_EQ(pool.slabCount(), 3u);

    // Free a scattered tenth in random order; the next allocations refill exactly those, lowest first.
    std::mt19937 rng(3);
    std::vector<char*> freed;
    for (size_t k = 0; k < all.size(); k += 10) freed.push_back(all[k]);
    std::shuffle(freed.begin(), freed.end(), rng);
    for (char* p : freed) pool.deallocate(p);
    std::sort(freed.begin(), freed.end());
    EXPECT_EQ(take(pool, freed.size()), freed);
    EXPECT_EQ(pool.slabCount(), 3u);

    // Emptied slabs go back to the heap but one, which serves the next allocation.
    EXPECT_EQ(pool.slotSize(), 100u);
    for (char* p : all) pool.deallocate(p);
    EXPECT_EQ(pool.slabCount(), 1u);
    char* again = static_cast<char*>(pool.allocate());
    EXPECT_EQ(pool.slabCount(), 1u);
    pool.deallocate(again);

    // Within its limit a pool keeps them all: a net closed and another as big opened costs no new slab.
    std::vector<char*> first = take(probe, perSlab * 3);
    for (char* p : first) probe.deallocate(p);
    EXPECT_EQ(probe.slabCount(), 3u);
    std::vector<char*> second = take(probe, perSlab * 3);
    EXPECT_EQ(probe.slabCount(), 3u);
    std::sort(first.begin(), first.end());
    EXPECT_EQ(second, first);  // the same slots, lowest first
    for (char* p : second) probe.deallocate(p);
}

TEST(NodePool, AMapBuiltInKeyOrderLiesInKeyOrderWhateverWasFreedBefore) {
    // The net's place map type, so that this is the pool the nets use.
    novra::PlaceMap first;
    for (int k = 1; k <= 6000; ++k) first[k].value = k;
    std::vector<int> keys;
    for (int k = 1; k <= 6000; ++k) keys.push_back(k);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(11));
    for (size_t k = 0; k < keys.size() / 2; ++k) first.erase(keys[k]);  // holes all over

    // In key order the nodes go down in memory only where the pool moves on to a slab that lies lower,
    // a handful of times; reusing freed nodes last-freed-first would jump back and forth thousands of times.
    novra::PlaceMap second;
    for (int k = 1; k <= 5000; ++k) second[k].value = -k;
    const novra::CPlace* prev = nullptr;
    int descents = 0;
    for (const auto& [id, place] : second) {
        ASSERT_EQ(place.value, -id);
        if (prev != nullptr && &place < prev) ++descents;
        prev = &place;
    }
    EXPECT_LE(descents, 8);
    for (const auto& [id, place] : first) ASSERT_EQ(place.value, id);
}
