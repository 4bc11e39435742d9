#include "sim/sim_index.h"

#include "model/prefetch.h"

#include <algorithm>

namespace novra {

void COrderedBitSet::resize(size_t n) {
    // The levels keep their storage: a set resized for every compile of a big net is not reallocated.
    size_t level = 0;
    size_t words = std::max<size_t>(1, (n + 63) / 64);
    for (;; ++level) {
        if (level == levels_.size()) levels_.emplace_back();
        levels_[level].assign(words, 0);
        if (words == 1) break;
        words = (words + 63) / 64;
    }
    levels_.resize(level + 1);
}

void COrderedBitSet::insertAbove(size_t word) {
    for (size_t l = 1; l < levels_.size(); ++l) {
        uint64_t& w = levels_[l][word >> 6];
        const uint64_t old = w;
        w = old | uint64_t{1} << (word & 63);
        if (old != 0) return;
        word >>= 6;
    }
}

void COrderedBitSet::clear() {
    for (auto& level : levels_) std::fill(level.begin(), level.end(), 0);
}

void CSimIndex::beginStart() {
    const size_t np = placeRecs.size();
    const size_t nt = transitionRecs.size();

    // Consumers and producers of every place, as compressed rows filled transition by transition so that
    // each row comes out ascending.
    auto rows = [&](const std::vector<int>& slotStart, const std::vector<int>& slots, std::vector<int>& start,
                    std::vector<int>& list) {
        start.assign(np + 1, 0);
        for (int p : slots)
            if (p >= 0) ++start[static_cast<size_t>(p) + 1];
        for (size_t p = 0; p < np; ++p) start[p + 1] += start[p];
        list.assign(static_cast<size_t>(start[np]), 0);
        std::vector<int>& fill = rowFill_;
        fill.assign(start.begin(), start.end() - 1);
        for (size_t i = 0; i < nt; ++i)
            for (int k = slotStart[i]; k < slotStart[i + 1]; ++k) {
                const int p = slots[static_cast<size_t>(k)];
                if (p >= 0) list[static_cast<size_t>(fill[static_cast<size_t>(p)]++)] = static_cast<int>(i);
            }
    };
    rows(inputStart, inputSlots, consumerStart, consumers);
    rows(outputStart, outputSlots, producerStart, producers);

    auto placeOf = [&](int id) {
        auto it = std::lower_bound(placeIds.begin(), placeIds.end(), id);
        return (id == 0 || it == placeIds.end() || *it != id) ? -1 : static_cast<int>(it - placeIds.begin());
    };
    uhziPlace.clear();
    for (const CUhzi* u : uhziRecs) uhziPlace.push_back(placeOf(u->placeId));
    kemmakixPlace.clear();
    for (const CKemmakix* k : kemmakixRecs) kemmakixPlace.push_back(placeOf(k->placeId));

    dirty.resize(nt);
    marks.assign(np, PlaceMark{});
    // Compile has just reset the records: whatever an earlier run left unwritten is void.
    pending.clear();
    placeStale.assign(np, 0);
    stalePlaces.clear();
    hot.assign(nt, TransitionHot{});
    enabled.clear();
    beginTransitionMirrors();
}

void CSimIndex::finishStart() {
    loadPlaceMirrors();
    for (size_t p = 0; p < marks.size(); ++p)
        if (marks[p].hasToken) placeFilled(static_cast<int>(p));
    fullSweep = false;
    valid = true;
}

void CSimIndex::startSimulation() {
    beginStart();
    for (size_t i = 0; i < transitionRecs.size(); ++i) {
        prefetchAhead(transitionRecs, i);
        loadTransitionMirror(i);
    }
    finishStart();
}

void CSimIndex::loadPlaceMirrors() {
    for (size_t p = 0; p < placeRecs.size(); ++p) {
        prefetchAhead(placeRecs, p);
        const CPlace& r = *placeRecs[p];
        marks[p] = PlaceMark{r.hasToken, r.color, r.value, r.lastColor};
    }
}

void CSimIndex::beginTransitionMirrors() {
    inputValues.assign(inputSlots.size(), 0);
    outputValues.assign(outputSlots.size(), 0);
    code.clear();
    discardWrites();
}

void CSimIndex::loadTransitionMirror(size_t i) {
    const CTransition& t = *transitionRecs[i];
    TransitionHot& h = hot[i];
    h.inputCount = t.inputCount;
    h.outputCount = t.outputCount;
    h.wired = connectionsIntact(t);
    h.enabled = t.enabled;
    h.fired = t.fired;
    h.hasGuard = t.compiledGuard.has_value();
    h.flagsPending = h.valuesPending = h.outputsPending = false;
    if (!h.wired) return;  // never enabled: its values and code are never read
    std::copy(t.inputValues.begin(), t.inputValues.end(), inputValues.begin() + inputStart[i]);
    std::copy(t.outputValues.begin(), t.outputValues.end(), outputValues.begin() + outputStart[i]);
    h.functionAt = static_cast<uint32_t>(code.size());
    h.functionLength = static_cast<uint32_t>(t.compiledFunction.size());
    code += t.compiledFunction;
    h.guardAt = static_cast<uint32_t>(code.size());
    h.guardLength = h.hasGuard ? static_cast<uint32_t>(t.compiledGuard->size()) : 0;
    if (h.hasGuard) code += *t.compiledGuard;
}

void CSimIndex::loadMirrors() {
    loadPlaceMirrors();
    beginTransitionMirrors();
    for (size_t i = 0; i < transitionRecs.size(); ++i) {
        prefetchAhead(transitionRecs, i);
        loadTransitionMirror(i);
    }
}

void CSimIndex::writePlaceRecord(size_t p) {
    const PlaceMark& m = marks[p];
    CPlace& r = *placeRecs[p];
    r.hasToken = m.hasToken != 0;
    r.color = m.color;
    r.value = m.value;
    r.lastColor = m.lastColor;
}

void CSimIndex::discardWrites() {
    for (int i : pending)
        hot[static_cast<size_t>(i)].flagsPending = hot[static_cast<size_t>(i)].valuesPending =
            hot[static_cast<size_t>(i)].outputsPending = false;
    pending.clear();
    for (int p : stalePlaces) placeStale[static_cast<size_t>(p)] = 0;
    stalePlaces.clear();
}

void CSimIndex::writeBack() {
    // The records lie in map nodes all over the heap: fetch a few ahead.
    constexpr size_t kAhead = 8;
    const size_t n = pending.size();
    for (size_t j = 0; j < n; ++j) {
        if (j + kAhead < n) __builtin_prefetch(transitionRecs[static_cast<size_t>(pending[j + kAhead])], 1);
        const size_t i = static_cast<size_t>(pending[j]);
        TransitionHot& h = hot[i];
        CTransition& t = *transitionRecs[i];
        t.enabled = h.enabled;
        t.fired = h.fired;
        if (h.valuesPending)
            std::copy_n(inputValues.data() + inputStart[i],
                        std::min<size_t>(static_cast<size_t>(h.inputCount), t.inputValues.size()),
                        t.inputValues.data());
        if (h.outputsPending)
            std::copy_n(outputValues.data() + outputStart[i],
                        std::min<size_t>(static_cast<size_t>(h.outputCount), t.outputValues.size()),
                        t.outputValues.data());
        h.flagsPending = h.valuesPending = h.outputsPending = false;
    }
    pending.clear();
    const size_t m = stalePlaces.size();
    for (size_t j = 0; j < m; ++j) {
        if (j + kAhead < m) __builtin_prefetch(placeRecs[static_cast<size_t>(stalePlaces[j + kAhead])], 1);
        const size_t p = static_cast<size_t>(stalePlaces[j]);
        writePlaceRecord(p);
        placeStale[p] = 0;
    }
    stalePlaces.clear();
}

}  // namespace novra
