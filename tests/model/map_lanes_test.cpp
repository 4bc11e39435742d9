#include "model/map_lanes.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <utility>
#include <vector>

using novra::CMapLanes;

namespace {

// The entries CMapLanes hands out, as keys.
std::vector<int> keysThroughLanes(const std::map<int, std::string>& m, int lanes) {
    CMapLanes walk(m, lanes);
    while (walk.step()) {
    }
    std::vector<const std::pair<const int, std::string>*> entries;
    walk.collect(entries);
    std::vector<int> keys;
    for (const auto* e : entries) {
        EXPECT_EQ(&m.at(e->first), &e->second);  // the map's own entry, not a copy
        keys.push_back(e->first);
    }
    return keys;
}

std::vector<int> keysOf(const std::map<int, std::string>& m) {
    std::vector<int> keys;
    for (const auto& kv : m) keys.push_back(kv.first);
    return keys;
}

}  // namespace

TEST(MapLanes, EveryEntryOnceInKeyOrderWhateverTheKeys) {
    std::vector<std::map<int, std::string>> maps(6);
    maps[1] = {{7, "a"}};
    maps[2] = {{INT_MIN, "low"}, {-5, "b"}, {0, "c"}, {INT_MAX, "high"}};
    for (int k = 1; k <= 1000; ++k) maps[3][k] = std::to_string(k);
    for (int k = 0; k < 50; ++k) maps[4][k * k * k - 20000] = "cubic";  // dense at the middle, sparse outside
    for (int k = 0; k < 30; ++k) maps[5][1000000 + k] = "bunched";
    maps[5][1] = "alone";
    for (const auto& m : maps)
        for (int lanes : {1, 3, 8, 64}) EXPECT_EQ(keysThroughLanes(m, lanes), keysOf(m)) << lanes << " lanes";
}

TEST(MapLanes, LanesOfDifferentMapsStepTogether) {
    const std::map<int, std::string> small{{1, "x"}, {2, "y"}};
    std::map<int, std::string> large;
    for (int k = 0; k < 100; ++k) large[k] = "z";
    CMapLanes a(small);
    CMapLanes b(std::as_const(large));
    int steps = 0;
    while (a.step() | b.step()) ++steps;
    std::vector<const std::pair<const int, std::string>*> ea, eb;
    a.collect(ea);
    b.collect(eb);
    EXPECT_EQ(ea.size(), 2u);
    EXPECT_EQ(eb.size(), 100u);
    EXPECT_LT(steps, 100);  // the large map is walked in several stretches at once
}
