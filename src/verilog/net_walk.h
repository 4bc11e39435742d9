#pragma once
// Small walks over a net's arcs shared by the analysis phases.
#include <algorithm>
#include <map>
#include <vector>

#include "model/net.h"
#include "verilog/hardware.h"

namespace novra::verilog {

// The arcs of a node in ascending arc ID.
inline std::vector<int> arcsOf(const ArcIndex& arcs, int id) {
    std::vector<int> out;
    auto [b, e] = arcs.equal_range(id);
    for (auto it = b; it != e; ++it) out.push_back(it->second);
    std::sort(out.begin(), out.end());
    return out;
}

// The first arc of a node; callers have checked that there is exactly one.
inline int onlyArc(const ArcIndex& arcs, int id) {
    auto it = arcs.find(id);
    return it == arcs.end() ? 0 : it->second;
}

// A place with one arc in, one arc out, that is neither a place joint nor folded into a loop.
inline bool isPlainPlace(const CNet& net, const Hardware& hw, int id) {
    return net.kindOf(id) == kPlace && hw.joint(id) == 0 && net.inArcs().count(id) == 1 &&
           net.outArcs().count(id) == 1;
}

}  // namespace novra::verilog
