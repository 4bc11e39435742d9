#pragma once
// Compile and the start of a simulation make passes over the place and transition records, which lie all over
// the heap together with the small blocks they own. Waiting for each record in turn leaves the memory idle;
// touching the records a few places ahead, and the blocks they own a little later (once the record is
// there to say where they are), keeps several fetches in flight.
#include <vector>

#include "model/records.h"

namespace novra {

inline void prefetchRecord(const CTransition* t) {
    __builtin_prefetch(&t->functionText);
    __builtin_prefetch(&t->inputCount);
    __builtin_prefetch(&t->inputValues);
    __builtin_prefetch(&t->inputArcCount);
    __builtin_prefetch(&t->outputPlaces);
    __builtin_prefetch(&t->outputArcSlots);
    __builtin_prefetch(&t->preparedFrom);
    __builtin_prefetch(&t->enabled);
}

inline void prefetchBlocks(const CTransition* t) {
    __builtin_prefetch(t->inputPlaces.data());
    __builtin_prefetch(t->outputPlaces.data());
    __builtin_prefetch(t->inputArcSlots.data());
    __builtin_prefetch(t->outputArcSlots.data());
    __builtin_prefetch(t->inputValues.data());
    __builtin_prefetch(t->outputValues.data());
}

// To be called at the top of step i of a pass over recs.
inline void prefetchAhead(const std::vector<CTransition*>& recs, size_t i) {
    constexpr size_t kRecordAhead = 12, kBlocksAhead = 4;
    if (i + kRecordAhead < recs.size()) prefetchRecord(recs[i + kRecordAhead]);
    if (i + kBlocksAhead < recs.size()) prefetchBlocks(recs[i + kBlocksAhead]);
}

// Places are small: one line each.
inline void prefetchAhead(const std::vector<CPlace*>& recs, size_t i) {
    constexpr size_t kAhead = 8;
    if (i + kAhead < recs.size()) __builtin_prefetch(recs[i + kAhead]);
}

}  // namespace novra
