// The incremental engine. A transition's enabling depends only on the tokens of its own input and output
// places and on its own kept values, so a transition none of whose places changed since it was last
// evaluated would come out the same again: only the others are evaluated, in ascending ID. The firing
// phase walks the transitions that the evaluation enabled, in ascending ID. After a raised message, a
// compile, a phase of the reference engine or a restored marking, the next sweep looks at everything.
#include "common/error.h"
#include "sim/engines.h"
#include "sim/sources.h"

namespace novra::sim {

namespace {

// Marks the places a phase may have changed; any message raised on the way leaves the sets unknown.
template <typename Fn>
void tracking(CSimIndex& ix, Fn&& fn) {
    try {
        fn();
    } catch (...) {
        ix.fullSweep = true;
        throw;
    }
}

CPlace* placeAt(const CSimIndex& ix, int index) {
    return index < 0 ? nullptr : ix.placeRecs[static_cast<size_t>(index)];
}

// One transition of the enabling evaluation.
void evaluateOne(CNet& net, CSimIndex& ix, size_t i, int& result) {
    const int id = ix.transitionIds[i];
    bool on = false;
    blaming(net, id, [&] { on = net.evaluateEnabled(*ix.transitionRecs[i]); });
    if (!on) return;
    ix.enabled.push_back(static_cast<int>(i));
    net.sweepEnabled = 1;
    if (!net.simTranOpt.empty() && net.simTranOpt.count(id)) {
        result = 2;
        net.stopObject = id;
    }
}

}  // namespace

void incrementalEmitSources(CNet& net) {
    CSimIndex& ix = net.simIndex;
    tracking(ix, [&] {
        for (size_t i = 0; i < ix.uhziRecs.size(); ++i) {
            const int pi = ix.uhziPlace[i];
            CPlace* p = placeAt(ix, pi);
            const bool had = p != nullptr && p->hasToken;
            blaming(net, ix.uhziIds[i], [&] { emitToken(*ix.uhziRecs[i], p); });
            if (p != nullptr && p->hasToken != had) ix.placeChanged(pi);
        }
    });
}

void incrementalAbsorbSinks(CNet& net) {
    CSimIndex& ix = net.simIndex;
    tracking(ix, [&] {
        for (size_t i = 0; i < ix.kemmakixRecs.size(); ++i) {
            const int pi = ix.kemmakixPlace[i];
            CPlace* p = placeAt(ix, pi);
            const bool had = p != nullptr && p->hasToken;
            blaming(net, ix.kemmakixIds[i], [&] { absorbToken(*ix.kemmakixRecs[i], p); });
            if (p != nullptr && p->hasToken != had) ix.placeChanged(pi);
        }
    });
}

int incrementalEvaluateEnabling(CNet& net) {
    CSimIndex& ix = net.simIndex;
    net.sweepEnabled = 0;
    int result = 0;
    tracking(ix, [&] {
        if (ix.fullSweep) {
            ix.dirty.clear();
            ix.enabled.clear();
            for (size_t i = 0; i < ix.transitionRecs.size(); ++i) evaluateOne(net, ix, i, result);
            ix.fullSweep = false;
            return;
        }
        // Transitions enabled last time are looked at again too, so that two evaluations without a
        // firing phase between them (a paused run) agree.
        for (int i : ix.enabled) ix.dirty.insert(static_cast<size_t>(i));
        ix.enabled.clear();
        ix.dirty.drain([&](size_t i) { evaluateOne(net, ix, i, result); });
    });
    return result;
}

void incrementalFirePhase(CNet& net) {
    CSimIndex& ix = net.simIndex;
    tracking(ix, [&] {
        if (ix.fullSweep) {
            // The enabled list is not known: fire flags decide, as in the reference.
            for (size_t i = 0; i < ix.transitionRecs.size(); ++i)
                blaming(net, ix.transitionIds[i], [&] { net.fire(*ix.transitionRecs[i]); });
            return;
        }
        for (int i : ix.enabled) {
            const size_t k = static_cast<size_t>(i);
            CTransition& t = *ix.transitionRecs[k];
            blaming(net, ix.transitionIds[k], [&] { net.fire(t); });
            if (t.fired) {
                for (int s = ix.inputStart[k]; s < ix.inputStart[k + 1]; ++s)
                    ix.placeChanged(ix.inputSlots[static_cast<size_t>(s)]);
                for (int s = ix.outputStart[k]; s < ix.outputStart[k + 1]; ++s)
                    ix.placeChanged(ix.outputSlots[static_cast<size_t>(s)]);
            }
            // A transition that lost a conflict was just evaluated false by its re-check; it is looked at
            // again in the next sweep like the winners.
            ix.dirty.insert(k);
        }
        ix.enabled.clear();
    });
}

}  // namespace novra::sim

namespace novra {

void CNet::markingRestored() {
    CSimIndex& ix = simIndex;
    ix.fullSweep = true;
    ix.enabled.clear();
    if (!ix.valid || !compiledShape.valid) return;

    // The restored map may hold its records in other nodes than before: find them again, and give up the
    // compiled state if the net no longer has the compiled objects.
    bool same = places.size() == ix.placeRecs.size() && transitions.size() == ix.transitionRecs.size() &&
                uhzis.size() == ix.uhziRecs.size() && kemmakixes.size() == ix.kemmakixRecs.size();
    auto rebind = [&](auto& map, const std::vector<int>& ids, auto& recs) {
        size_t k = 0;
        for (auto& [id, r] : map) {
            if (k >= ids.size() || ids[k] != id) {
                same = false;
                return;
            }
            recs[k++] = &r;
        }
    };
    if (same) rebind(places, ix.placeIds, ix.placeRecs);
    if (same) rebind(transitions, ix.transitionIds, ix.transitionRecs);
    if (same) rebind(uhzis, ix.uhziIds, ix.uhziRecs);
    if (same) rebind(kemmakixes, ix.kemmakixIds, ix.kemmakixRecs);
    if (!same) {
        ix.valid = false;
        compiledShape = CompiledShape{};
        return;
    }
    for (size_t i = 0; i < ix.transitionRecs.size(); ++i) {
        CTransition& t = *ix.transitionRecs[i];
        auto bindSlots = [&](std::vector<CPlace*>& slots, const std::vector<int>& start,
                             const std::vector<int>& at) {
            const size_t n = static_cast<size_t>(start[i + 1] - start[i]);
            if (slots.size() != n) return;  // connection data changed since: the transition never enables
            for (size_t s = 0; s < n; ++s) slots[s] = sim::placeAt(ix, at[static_cast<size_t>(start[i]) + s]);
        };
        bindSlots(t.inputPlaces, ix.inputStart, ix.inputSlots);
        bindSlots(t.outputPlaces, ix.outputStart, ix.outputSlots);
    }
}

}  // namespace novra
