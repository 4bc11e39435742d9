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

// The incremental engine cannot tell what these phases changed, so its next sweep looks at everything.
// The records are the marking here: bring them up to date with what it did before.
void takeOver(CNet& net) {
    net.simIndex.fullSweep = true;
    net.simIndex.writeBack();
}

}  // namespace

void referenceEmitSources(CNet& net) {
    takeOver(net);
    for (auto& [id, u] : net.uhzis) blaming(net, id, [&] { emitToken(u, placeOf(net, u.placeId)); });
}

int referenceEvaluateEnabling(CNet& net) {
    takeOver(net);
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
    takeOver(net);
    for (auto& [id, t] : net.transitions) blaming(net, id, [&] { net.fire(t); });
}

void referenceAbsorbSinks(CNet& net) {
    takeOver(net);
    for (auto& [id, k] : net.kemmakixes) blaming(net, id, [&] { absorbToken(k, placeOf(net, k.placeId)); });
}

}  // namespace novra::sim
