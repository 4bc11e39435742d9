#include "model/sim_index.h"

#include <algorithm>

namespace novra {

void COrderedBitSet::resize(size_t n) {
    levels_.clear();
    size_t words = std::max<size_t>(1, (n + 63) / 64);
    for (;;) {
        levels_.emplace_back(words, 0);
        if (words == 1) break;
        words = (words + 63) / 64;
    }
}

void COrderedBitSet::clear() {
    for (auto& level : levels_) std::fill(level.begin(), level.end(), 0);
}

void CSimIndex::startSimulation() {
    const size_t np = placeRecs.size();
    const size_t nt = transitionRecs.size();

    // Readers of every place: counted, then filled transition by transition, so each row comes out
    // ascending; a place that is both input and output of one transition lists it once.
    readerStart.assign(np + 1, 0);
    std::vector<int> last(np, -1);
    auto eachRead = [&](auto&& fn) {
        for (size_t i = 0; i < nt; ++i) {
            for (int k = inputStart[i]; k < inputStart[i + 1]; ++k) fn(inputSlots[static_cast<size_t>(k)], i);
            for (int k = outputStart[i]; k < outputStart[i + 1]; ++k)
                fn(outputSlots[static_cast<size_t>(k)], i);
        }
    };
    eachRead([&](int p, size_t i) {
        if (p < 0 || last[static_cast<size_t>(p)] == static_cast<int>(i)) return;
        last[static_cast<size_t>(p)] = static_cast<int>(i);
        ++readerStart[static_cast<size_t>(p) + 1];
    });
    for (size_t p = 0; p < np; ++p) readerStart[p + 1] += readerStart[p];
    readers.assign(static_cast<size_t>(readerStart[np]), 0);
    std::fill(last.begin(), last.end(), -1);
    std::vector<int> fill(readerStart.begin(), readerStart.end() - 1);
    eachRead([&](int p, size_t i) {
        if (p < 0 || last[static_cast<size_t>(p)] == static_cast<int>(i)) return;
        last[static_cast<size_t>(p)] = static_cast<int>(i);
        readers[static_cast<size_t>(fill[static_cast<size_t>(p)]++)] = static_cast<int>(i);
    });

    auto placeOf = [&](int id) {
        auto it = std::lower_bound(placeIds.begin(), placeIds.end(), id);
        return (id == 0 || it == placeIds.end() || *it != id) ? -1 : static_cast<int>(it - placeIds.begin());
    };
    uhziPlace.clear();
    for (const CUhzi* u : uhziRecs) uhziPlace.push_back(placeOf(u->placeId));
    kemmakixPlace.clear();
    for (const CKemmakix* k : kemmakixRecs) kemmakixPlace.push_back(placeOf(k->placeId));

    dirty.resize(nt);
    enabled.clear();
    fullSweep = true;
    valid = true;
}

}  // namespace novra
