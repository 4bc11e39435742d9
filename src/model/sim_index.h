#pragma once
// Dense copies of a compiled net's connections, built at the end of every successful compile, and the
// working sets of the incremental firing engine. The std::map records stay the authority on the marking
// and the transitions' state; these arrays only say where to look, so that a sweep touches the
// transitions next to the places that changed instead of walking every record.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/records.h"

namespace novra {

// A set of small non-negative ints that is visited in ascending order. A summary bit per word on every
// level above the first keeps both inserting and draining proportional to the members, not to the range.
class COrderedBitSet {
  public:
    // Empties the set and makes room for members 0 .. n-1.
    void resize(size_t n);
    void clear();
    bool empty() const { return levels_.empty() || levels_.back()[0] == 0; }
    bool contains(size_t i) const { return (levels_[0][i >> 6] >> (i & 63)) & 1u; }

    void insert(size_t i) {
        for (auto& level : levels_) {
            uint64_t& w = level[i >> 6];
            const uint64_t bit = uint64_t{1} << (i & 63);
            const bool wasEmpty = w == 0;
            w |= bit;
            if (!wasEmpty) return;
            i >>= 6;
        }
    }

    // Calls fn(member) for every member in ascending order and empties the set. fn must not insert.
    // Should fn throw, the members not yet visited stay in the set.
    template <typename Fn>
    void drain(Fn&& fn) {
        if (!empty()) drainWord(levels_.size() - 1, 0, fn);
    }

  private:
    template <typename Fn>
    void drainWord(size_t level, size_t word, Fn& fn) {
        uint64_t& w = levels_[level][word];
        while (w != 0) {
            const int bit = __builtin_ctzll(w);
            const size_t member = word * 64 + static_cast<size_t>(bit);
            if (level == 0)
                fn(member);
            else
                drainWord(level - 1, member, fn);
            w &= w - 1;
        }
    }

    std::vector<std::vector<uint64_t>> levels_;  // levels_[0] holds the members; the last has one word
};

struct CSimIndex {
    bool valid = false;

    // Records in ascending ID, one dense index per kind.
    std::vector<int> placeIds;
    std::vector<CPlace*> placeRecs;
    std::vector<int> transitionIds;
    std::vector<CTransition*> transitionRecs;
    std::vector<int> uhziIds;
    std::vector<CUhzi*> uhziRecs;
    std::vector<int> uhziPlace;  // dense place index, -1 when unconnected
    std::vector<int> kemmakixIds;
    std::vector<CKemmakix*> kemmakixRecs;
    std::vector<int> kemmakixPlace;

    // Transition slots as dense place indices (compressed rows: slots of transition i run from
    // start[i] to start[i + 1]).
    std::vector<int> inputStart, inputSlots;
    std::vector<int> outputStart, outputSlots;
    // The transitions that read each place, as input or as output, ascending and without repeats.
    std::vector<int> readerStart, readers;

    // Working sets of the incremental engine.
    bool fullSweep = true;     // the next enabling evaluation looks at every transition
    COrderedBitSet dirty;      // transitions next to a place that changed since they were evaluated
    std::vector<int> enabled;  // transitions the last enabling evaluation enabled, ascending

    // Everything the compile found, ready for a fresh simulation.
    void startSimulation();
    // A place's token changed: every transition reading it is evaluated again in the next sweep.
    void placeChanged(int placeIndex) {
        for (int k = readerStart[static_cast<size_t>(placeIndex)];
             k < readerStart[static_cast<size_t>(placeIndex) + 1]; ++k)
            dirty.insert(static_cast<size_t>(readers[static_cast<size_t>(k)]));
    }
};

}  // namespace novra
