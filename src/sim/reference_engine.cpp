// The straightforward engine: every phase walks all objects of its kind in ascending ID.
#include "common/error.h"
#include "sim/engines.h"
#include "sim/sources.h"

namespace novra::sim {

namespace {

CPlace* placeOf(CNet& net, int placeId) {
    if (placeId == 0) return nullptr;
    auto p = net.places().find(placeId);
    return p == net.places().end() ? nullptr : &p->second;
}

// The incremental engine cannot tell what these phases changed, so its next sweep looks at everything.
// The records are the marking here: bring them up to date with what it did before.
void takeOver(CSimulation& sim) {
    sim.index().fullSweep = true;
    if (sim.indexCurrent()) sim.index().writeBack();
}

}  // namespace

void referenceEmitSources(CSimulation& sim) {
    CNet& net = sim.net();
    takeOver(sim);
    for (auto& [id, u] : net.uhzis()) blaming(net, id, [&] { emitToken(u, placeOf(net, u.placeId)); });
}

int referenceEvaluateEnabling(CSimulation& sim) {
    CNet& net = sim.net();
    takeOver(sim);
    sim.setSweepEnabled(0);
    int result = 0;
    for (auto& [id, t] : net.transitions()) {
        bool on = false;
        blaming(net, id, [&] { on = evaluateEnabled(t); });
        if (!on) continue;
        sim.setSweepEnabled(1);
        if (!net.simTranOpt().empty() && net.simTranOpt().count(id)) {
            result = 2;
            net.setStopObject(id);
        }
    }
    return result;
}

void referenceFirePhase(CSimulation& sim) {
    CNet& net = sim.net();
    takeOver(sim);
    for (auto& [id, t] : net.transitions()) blaming(net, id, [&] { fire(t); });
}

void referenceAbsorbSinks(CSimulation& sim) {
    CNet& net = sim.net();
    takeOver(sim);
    for (auto& [id, k] : net.kemmakixes()) blaming(net, id, [&] { absorbToken(k, placeOf(net, k.placeId)); });
}

}  // namespace novra::sim
