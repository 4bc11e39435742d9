#pragma once
// Reads the entries of the net's ID maps into flat lists of pointers, fast.
//
// The nodes of a big map lie all over the heap, and a walk through the tree waits for each node before it
// can find the next one. CMapLanes cuts a map's key range into stretches that are walked side by side, and
// several CMapLanes are stepped together, so that many fetches are in flight instead of one.
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace novra {

template <typename Map>
class CMapLanes {
  public:
    using It = decltype(std::declval<Map&>().begin());
    using Entry = std::remove_reference_t<decltype(*std::declval<It>())>;

    explicit CMapLanes(Map& m, int lanes = 8) {
        if (m.empty()) return;
        const long long lo = m.begin()->first, hi = m.rbegin()->first;
        It at = m.begin();
        for (int k = 1; k <= lanes; ++k) {
            const It next = k == lanes ? m.end() : m.lower_bound(static_cast<int>(lo + (hi - lo) * k / lanes));
            if (next != at) lanes_.push_back({at, next, {}});
            at = next;
        }
        for (Lane& lane : lanes_) lane.entries.reserve(m.size() / lanes_.size() + 16);
    }

    // Takes one more entry of every lane not yet at its end; false when all are.
    bool step() {
        bool any = false;
        for (Lane& lane : lanes_) {
            if (lane.it == lane.end) continue;
            lane.entries.push_back(&*lane.it);
            ++lane.it;
            any = true;
        }
        return any;
    }

    // Every entry in key order (after step() has returned false).
    void collect(std::vector<Entry*>& out) const {
        out.clear();
        size_t total = 0;
        for (const Lane& lane : lanes_) total += lane.entries.size();
        out.reserve(total);
        for (const Lane& lane : lanes_) out.insert(out.end(), lane.entries.begin(), lane.entries.end());
    }

  private:
    struct Lane {
        It it, end;
        std::vector<Entry*> entries;
    };
    std::vector<Lane> lanes_;
};

}  // namespace novra
