#include "model/records.h"

#include "model/net.h"

namespace novra {

void prepareFunction(CTransition& t) {
    t.enabled = false;
    t.fired = false;
    FunctionPorts ports;
    ports.inputArcCount = t.inputArcCount;
    ports.outputArcCount = t.outputArcCount;
    for (const CPlace* p : t.inputPlaces) ports.inputBound.push_back(p != nullptr);
    for (const CPlace* p : t.outputPlaces) {
        ports.outputBound.push_back(p != nullptr);
        ports.outputBlack.push_back(p != nullptr && p->hasToken && p->color == kBlack);
    }
    prepareFunction(static_cast<CTransitionFunction&>(t), ports);
}

}  // namespace novra
