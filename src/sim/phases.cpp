// Whole-net phases of a simulation and the unanimated run that loops over them.
#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "sim/sources.h"

namespace novra {

namespace {

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

void requireReady(const CNet& net) {
    if (!net.simulationReady()) raise(text(msg::kNotCompiled));
}

CPlace* placeOf(CNet& net, int placeId) {
    if (placeId == 0) return nullptr;
    auto p = net.places.find(placeId);
    return p == net.places.end() ? nullptr : &p->second;
}

}  // namespace

void CNet::prepareSources() {
    requireReady(*this);
    for (auto& [id, u] : uhzis) blaming(*this, id, [&] { loadNextWord(u); });
}

void CNet::emitSources() {
    requireReady(*this);
    for (auto& [id, u] : uhzis) blaming(*this, id, [&] { emitToken(u, placeOf(*this, u.placeId)); });
}

int CNet::evaluateEnabling() {
    requireReady(*this);
    sweepEnabled = 0;
    int result = 0;
    for (auto& [id, t] : transitions) {
        bool on = false;
        blaming(*this, id, [&] { on = evaluateEnabled(t); });
        if (!on) continue;
        sweepEnabled = 1;
        if (!simTranOpt.empty() && simTranOpt.count(id)) {
            result = 2;
            stopObject = id;
        }
    }
    return result;
}

void CNet::firePhase() {
    requireReady(*this);
    for (auto& [id, t] : transitions) blaming(*this, id, [&] { fire(t); });
}

void CNet::absorbSinks() {
    requireReady(*this);
    for (auto& [id, k] : kemmakixes) blaming(*this, id, [&] { absorbToken(k, placeOf(*this, k.placeId)); });
}

void CNet::flushSinks() {
    // Reads no place, so Abort may flush whatever state the net is in.
    for (auto& [id, k] : kemmakixes) blaming(*this, id, [&] { flushRecord(k); });
}

void CNet::endCheck() {
    for (const auto& [id, u] : uhzis)
        if (u.addp == 1 && !u.finished) return;
    raise(text(msg::kSimulationEnded));
}

void CNet::runUnanimated(long maxPhases) {
    requireReady(*this);
    int phase = 0;
    for (long n = 0; n < maxPhases; ++n) {
        switch (phase) {
            case 0:
                prepareSources();
                phase = 1;
                break;
            case 1:
                emitSources();
                // The fire-stop option only pauses the animated run.
                if (evaluateEnabling() == 2) stopObject = 0;
                firePhase();
                absorbSinks();
                phase = sweepEnabled == 1 ? 1 : 3;
                break;
            default:
                flushSinks();
                endCheck();
                phase = 0;
                break;
        }
    }
    raise(text(msg::kRunTooLong));
}

}  // namespace novra
