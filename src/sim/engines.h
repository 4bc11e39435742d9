#pragma once
// The two implementations behind the net's sweep phases. The reference walks every transition, source
// and sink in every phase; the incremental one looks only at the transitions next to places that changed
// and fires only the enabled ones. Both run the same per-object rules (engine.cpp, sources.cpp) in the
// same ID order, so every observable result is the same.
#include "model/net.h"
#include "sim/simulation.h"

namespace novra::sim {

// Connection data and value arrays as compile leaves them; anything else is never enabled.
bool wired(const CTransition& t);

// The firing rule of one transition on its records (engine.cpp). inputColor: the colour all input places
// agree on, or kNoColor. checkEnabled: the colour it would fire with, kNoColor when it cannot; sets
// `enabled` by the marking alone. evaluateEnabled: the full enabling rule (alternation, inputs, guard).
// fire: fires it if it is still enabled.
int inputColor(const CTransition& t);
int checkEnabled(CTransition& t);
bool evaluateEnabled(CTransition& t);
void fire(CTransition& t);

void referenceEmitSources(CSimulation& sim);
int referenceEvaluateEnabling(CSimulation& sim);
void referenceFirePhase(CSimulation& sim);
void referenceAbsorbSinks(CSimulation& sim);

void incrementalEmitSources(CSimulation& sim);
int incrementalEvaluateEnabling(CSimulation& sim);
void incrementalFirePhase(CSimulation& sim);
void incrementalAbsorbSinks(CSimulation& sim);

// Runs fn for one object; a message raised there names that object in the stop-object field.
template <typename Fn>
void blaming(CNet& net, int id, Fn&& fn) {
    try {
        fn();
    } catch (const CError&) {
        net.setStopObject(id);
        throw;
    }
}

}  // namespace novra::sim
