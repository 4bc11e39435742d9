// The straightforward engine: every phase walks all objects of its kind in ascending ID.
#include "common/error.h"
#include "sim/engines.h"
#include "sim/sources.h"

namespace novra::sim {

namespace {

CPlace* placeOf(CNet& net, int placeId) {
    if (placeId == 0) return nullptr;
    auto p = net.places.find(placeId);
    return p == net.places.end() ? nullptr : &p->second;
}

}  // namespace

// The incremental engine cannot tell what these phases changed, so its next sweep looks at everything.

void referenceEmitSources(CNet& net) {
    net.simIndex.fullSweep = true;
    for (auto& [id, u] : net.uhzis) blaming(net, id, [&] { emitToken(u, placeOf(net, u.placeId)); });
}

int referenceEvaluateEnabling(CNet& net) {
    net.simIndex.fullSweep = true;
    net.sweepEnabled = 0;
    int result = 0;
    for (auto& [id, t] : net.transitions) {
        bool on = false;
        blaming(net, id, [&] { on = net.evaluateEnabled(t); });
        if (!on) continue;
        net.sweepEnabled = 1;
        if (!net.simTranOpt.empty() && net.simTranOpt.count(id)) {
            result = 2;
            net.stopObject = id;
        }
    }
    return result;
}

void referenceFirePhase(CNet& net) {
    net.simIndex.fullSweep = true;
    for (auto& [id, t] : net.transitions) blaming(net, id, [&] { net.fire(t); });
}

void referenceAbsorbSinks(CNet& net) {
    net.simIndex.fullSweep = true;
    for (auto& [id, k] : net.kemmakixes) blaming(net, id, [&] { absorbToken(k, placeOf(net, k.placeId)); });
}

}  // namespace novra::sim
