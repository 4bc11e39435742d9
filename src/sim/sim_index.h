#pragma once
// Dense copies of a compiled net's connections, built at the end of every successful compile, and the
// working sets of the incremental firing engine. The std::map records stay the authority on the marking
// and the transitions' state; these arrays only say where to look, so that a sweep touches the
// transitions next to the places that changed instead of walking every record.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/compiled_tables.h"
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
        uint64_t& w = levels_[0][i >> 6];
        const uint64_t old = w;
        w = old | uint64_t{1} << (i & 63);
        if (old == 0) insertAbove(i >> 6);
    }

    // Calls fn(member) for every member in ascending order and empties the set. fn must not insert.
    // Should fn throw, the members not yet visited stay in the set.
    template <typename Fn>
    void drain(Fn&& fn) {
        if (!empty()) drainWord(levels_.size() - 1, 0, fn);
    }

  private:
    void insertAbove(size_t word);

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

// Connection data and value arrays as compile leaves them. A transition whose function was changed after
// the last compile, or that compile never reached, is never enabled instead of reading past its arrays.
inline bool connectionsIntact(const CTransition& t) {
    return t.inputPlaces.size() == static_cast<size_t>(t.inputArcCount) &&
           t.outputPlaces.size() == static_cast<size_t>(t.outputArcCount) && t.inputCount >= 0 &&
           t.outputCount >= 0 && t.inputCount <= t.inputArcCount && t.outputCount <= t.outputArcCount &&
           t.inputValues.size() == static_cast<size_t>(t.inputCount) &&
           t.outputValues.size() == static_cast<size_t>(t.outputCount);
}

// The token fields of a place, as the incremental engine last wrote or read them in its record.
struct PlaceMark {
    int hasToken = 0;
    int color = 0;
    int value = 0;
    int lastColor = 0;
};

// What the incremental engine reads of a transition in every sweep, kept beside the others so that
// deciding that a transition stays off touches no record. enabled and fired mirror the record's flags.
struct TransitionHot {
    int inputCount = 0;
    int outputCount = 0;
    uint32_t functionAt = 0, functionLength = 0;  // compiled function and guard in CSimIndex::code
    uint32_t guardAt = 0, guardLength = 0;
    bool wired = false;
    bool hasGuard = false;
    bool enabled = false;
    bool fired = false;
    bool flagsPending = false;    // enabled and fired still to be written to the record
    bool valuesPending = false;   // inputValues likewise
    bool outputsPending = false;  // outputValues likewise
    bool queued() const { return flagsPending || valuesPending || outputsPending; }
};

// The simulation's index of a compiled net: compile's dense tables (the records in ascending ID, the slots
// as dense place indices) and what the incremental engine builds on them. It follows the compile it is
// given to; `serial` names that compile (CNet::compileSerial), and the index is only used while the net's
// last compile is that one.
struct CSimIndex : CCompiledTables, CCompileObserver {
    bool valid = false;
    unsigned long long serial = 0;

    std::vector<int> uhziPlace;  // dense place index, -1 when unconnected
    std::vector<int> kemmakixPlace;

    // The transitions that take from each place and those that put into it, ascending.
    std::vector<int> consumerStart, consumers;
    std::vector<int> producerStart, producers;

    // Working sets of the incremental engine. marks and hot mirror the records; they are loaded from them
    // whenever a full sweep starts. The engine changes the mirrors and notes which records they are ahead
    // of; writeBack() brings those records up to date.
    std::vector<PlaceMark> marks;
    std::vector<TransitionHot> hot;
    std::vector<int> inputValues;     // per transition from inputStart: its inputValues
    std::vector<int> outputValues;    // per transition from outputStart: its outputValues
    std::string code;                 // every transition's compiled function and guard
    std::vector<int> pending;         // transitions whose record still waits for the engine's writes
    std::vector<uint8_t> placeStale;  // per place: listed in stalePlaces
    std::vector<int> stalePlaces;     // places whose record may be behind marks
    // Set for the length of an unanimated run: the records are written once when it ends instead of at
    // the end of every phase, as nothing reads them in between.
    bool deferWrites = false;

    bool fullSweep = true;     // the next enabling evaluation looks at every transition
    COrderedBitSet dirty;      // transitions next to a place that changed since they were evaluated
    std::vector<int> enabled;  // transitions the last enabling evaluation enabled, ascending

    // The compile it follows.
    void compileStarted() override { valid = false; }
    CCompiledTables& tables() override { return *this; }
    void tablesReady() override { beginStart(); }
    void transitionReady(size_t i) override { loadTransitionMirror(i); }
    void compiled() override { finishStart(); }

    // Everything the compile found, ready for a fresh simulation: the mirrors loaded and the first sweep
    // pointed at the transitions that read a marked place (all others are off, as compile left them).
    void startSimulation();
    // startSimulation in three steps, for a compile that loads each transition's mirror in its own last
    // pass over the transitions: beginStart, then loadTransitionMirror for every transition in ascending
    // order once its record is final, then finishStart once the places are.
    void beginStart();
    void loadTransitionMirror(size_t i);
    void finishStart();
    // Loads the mirrors from the records (anything the records are behind on is lost: write it back first).
    void loadMirrors();
    // Writes every mirror the records are behind on to its record.
    void writeBack();
    // Forgets what the records are behind on (they were replaced).
    void discardWrites();
    // Writes one place's mirror to its record if the record may be behind.
    void writePlace(int placeIndex) {
        if (placeStale[static_cast<size_t>(placeIndex)] != 0)
            writePlaceRecord(static_cast<size_t>(placeIndex));
    }
    // The place's mirror changed.
    void placeChanged(int placeIndex) {
        uint8_t& s = placeStale[static_cast<size_t>(placeIndex)];
        if (s == 0) {
            s = 1;
            stalePlaces.push_back(placeIndex);
        }
    }
    // The transition's record waits for a write.
    void queue(size_t i) {
        if (!hot[i].queued()) pending.push_back(static_cast<int>(i));
    }
    // A place got a token: its consumers may now be enabled. Its producers cannot be (their output is
    // full); the one among them that was enabled is looked at again anyway, as every enabled one is.
    void placeFilled(int placeIndex) { wake(consumerStart, consumers, placeIndex); }
    // A place lost its token: its producers may now be enabled, its consumers cannot be.
    void placeEmptied(int placeIndex) { wake(producerStart, producers, placeIndex); }

  private:
    std::vector<int> rowFill_;  // scratch of startSimulation, kept for the next
    void loadPlaceMirrors();
    void beginTransitionMirrors();
    void writePlaceRecord(size_t p);
    void wake(const std::vector<int>& start, const std::vector<int>& list, int placeIndex) {
        const size_t p = static_cast<size_t>(placeIndex);
        for (int k = start[p]; k < start[p + 1]; ++k)
            dirty.insert(static_cast<size_t>(list[static_cast<size_t>(k)]));
    }
};

}  // namespace novra
