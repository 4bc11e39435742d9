// Whole-net phases of a simulation and the unanimated run that loops over them.
#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "sim/engines.h"
#include "sim/sources.h"

namespace novra {

namespace {

void requireReady(const CNet& net) {
    if (!net.simulationReady()) raise(text(msg::kNotCompiled));
}

bool reference(const CNet& net) {
    return net.simEngine == CNet::SimEngine::Reference || !net.simIndex.valid;
}

}  // namespace

void CNet::prepareSources() {
    requireReady(*this);
    for (auto& [id, u] : uhzis) sim::blaming(*this, id, [&] { loadNextWord(u); });
}

void CNet::emitSources() {
    requireReady(*this);
    reference(*this) ? sim::referenceEmitSources(*this) : sim::incrementalEmitSources(*this);
}

int CNet::evaluateEnabling() {
    requireReady(*this);
    return reference(*this) ? sim::referenceEvaluateEnabling(*this) : sim::incrementalEvaluateEnabling(*this);
}

void CNet::firePhase() {
    requireReady(*this);
    reference(*this) ? sim::referenceFirePhase(*this) : sim::incrementalFirePhase(*this);
}

void CNet::absorbSinks() {
    requireReady(*this);
    reference(*this) ? sim::referenceAbsorbSinks(*this) : sim::incrementalAbsorbSinks(*this);
}

void CNet::flushSinks() {
    // Reads no place, so Abort may flush whatever state the net is in.
    for (auto& [id, k] : kemmakixes) sim::blaming(*this, id, [&] { flushRecord(k); });
}

void CNet::endCheck() {
    for (const auto& [id, u] : uhzis)
        if (u.addp == 1 && !u.finished) return;
    raise(text(msg::kSimulationEnded));
}

void CNet::runUnanimated(long maxPhases) {
    requireReady(*this);
    // Nothing reads the records between the phases of this loop: they are written once, when it ends.
    struct Deferred {
        CSimIndex& ix;
        explicit Deferred(CSimIndex& i) : ix(i) { ix.deferWrites = true; }
        ~Deferred() {
            ix.deferWrites = false;
            ix.writeBack();
        }
    } deferred(simIndex);
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
