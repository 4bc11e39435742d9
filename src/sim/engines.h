#pragma once
// The two implementations behind the net's sweep phases. The reference walks every transition, source
// and sink in every phase; the incremental one looks only at the transitions next to places that changed
// and fires only the enabled ones. Both run the same per-object rules (engine.cpp, sources.cpp) in the
// same ID order, so every observable result is the same.
#include "model/net.h"

namespace novra::sim {

// Connection data and value arrays as compile leaves them; anything else is never enabled.
bool wired(const CTransition& t);

void referenceEmitSources(CNet& net);
int referenceEvaluateEnabling(CNet& net);
void referenceFirePhase(CNet& net);
void referenceAbsorbSinks(CNet& net);

void incrementalEmitSources(CNet& net);
int incrementalEvaluateEnabling(CNet& net);
void incrementalFirePhase(CNet& net);
void incrementalAbsorbSinks(CNet& net);

// Runs fn for one object; a message raised there names that object in the stop-object field.
template <typename Fn>
void blaming(CNet& net, int id, Fn&& fn) {
    try {
        fn();
    } catch (const CError&) {
        net.stopObject = id;
        throw;
    }
}

}  // namespace novra::sim
