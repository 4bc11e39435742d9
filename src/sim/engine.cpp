// The firing rule of one transition: black and white waves alternate on every place, black waves carry
// the bits through the transition function, white waves follow the route the black one took.
#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "sim/engines.h"
#include "trafunc/evaluator.h"

namespace novra {

namespace sim {

bool wired(const CTransition& t) {
    return connectionsIntact(t);
}

int inputColor(const CTransition& t) {
    if (t.inputPlaces.empty()) return kNoColor;
    const CPlace* first = t.inputPlaces.front();
    if (first == nullptr || !first->hasToken) return kNoColor;
    const int col = first->color;
    if (col == kNoColor) raise(text(msg::kFlagWithoutToken));
    for (size_t k = 1; k < t.inputPlaces.size(); ++k) {
        const CPlace* p = t.inputPlaces[k];
        if (p == nullptr || !p->hasToken || p->color != col) return kNoColor;
    }
    return col;
}

int checkEnabled(CTransition& t) {
    t.enabled = false;
    t.fired = false;
    if (!wired(t)) return kNoColor;
    for (const CPlace* p : t.outputPlaces)
        if (p == nullptr || p->hasToken) return kNoColor;
    const int col = inputColor(t);
    if (col == kNoColor) return kNoColor;
    t.enabled = true;
    return col;
}

bool evaluateEnabled(CTransition& t) {
    const int col = checkEnabled(t);
    if (!t.enabled) return false;
    t.enabled = false;
    for (const CPlace* p : t.outputPlaces)
        if (p->lastColor == col) return false;
    if (col == kBlack) {
        for (int k = 0; k < t.inputCount; ++k) {
            const int v = t.inputPlaces[static_cast<size_t>(k)]->value;
            if (v == kUndefinedValue) raise(text(msg::kUndefinedInput));
            t.inputValues[static_cast<size_t>(k)] = v;
        }
    }
    // White waves test the guard on the values of the black wave before them and so take its branch.
    if (t.compiledGuard) {
        int result = 0;
        CEvaluator ev;
        ev.run(*t.compiledGuard, t.inputValues.data(), &result, t.inputCount, 1);
        if (result == 0) return false;
    }
    t.enabled = true;
    return true;
}

void fire(CTransition& t) {
    if (!t.enabled) return;
    // A lower ID may have taken a shared input or filled a shared output in this firing phase.
    const int col = checkEnabled(t);
    if (!t.enabled) return;
    if (col == kBlack && t.outputCount > 0) {
        CEvaluator ev;
        ev.run(t.compiledFunction, t.inputValues.data(), t.outputValues.data(), t.inputCount, t.outputCount);
    }
    for (CPlace* p : t.inputPlaces) p->take();
    t.enabled = false;
    t.fired = true;
    const size_t labelled = static_cast<size_t>(t.outputCount);
    for (size_t k = 0; k < t.outputPlaces.size(); ++k)
        t.outputPlaces[k]->put(col, k < labelled ? t.outputValues[k] : kUndefinedValue);
}

}  // namespace sim

}  // namespace novra
