// The simulation's sequences: both orders of the phases, written once here, the phases themselves (each
// handed to the engine in use), the rewind history and the rebinding after a marking changed by hand.
#include "sim/simulation.h"

#include <optional>

#include "common/error.h"
#include "common/messages.h"
#include "sim/engines.h"
#include "sim/sources.h"

namespace novra {

namespace {

void requireReady(const CNet& net) {
    if (!net.simulationReady()) raise(text(msg::kNotCompiled));
}

}  // namespace

void CSimulation::compile() {
    index_.valid = false;
    net_.compileNet(&index_);
    index_.serial = net_.compileSerial();
    phase_ = 0;
    history_.clear();
}

// --- the two orders ---

void CSimulation::run(long maxPhases) {
    requireReady(net_);
    // Nothing reads the records between the phases of this loop: they are written once, when it ends.
    struct Deferred {
        CSimIndex& ix;
        explicit Deferred(CSimIndex& i) : ix(i) { ix.deferWrites = true; }
        ~Deferred() {
            ix.deferWrites = false;
            ix.writeBack();
        }
    };
    std::optional<Deferred> deferred;
    if (indexCurrent()) deferred.emplace(index_);
    int phase = 0;
    for (long n = 0; n < maxPhases; ++n) {
        switch (phase) {
            case 0:
                prepareSources();
                phase = 1;
                break;
            case 1:
                emitSources();
                // The fire-stop option only pauses the editor's step cycle.
                if (evaluateEnabling() == 2) net_.setStopObject(0);
                firePhase();
                absorbSinks();
                phase = sweepEnabled_ == 1 ? 1 : 3;
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

CSimulation::Step CSimulation::step() {
    if (net_.hasEvents()) return Step{};
    Step done{phase_, false};
    switch (phase_) {
        case 0:
            prepareSources();
            phase_ = 1;
            break;
        case 1:
            emitSources();
            absorbSinks();
            done.fireStop = evaluateEnabling() == 2;
            phase_ = 2;
            break;
        case 2:
            pushRewind();
            firePhase();
            phase_ = sweepEnabled_ == 1 ? 1 : 3;
            break;
        default:
            flushSinks();
            endCheck();
            phase_ = 0;
            break;
    }
    return done;
}

// --- the phases ---

void CSimulation::prepareSources() {
    requireReady(net_);
    for (auto& [id, u] : net_.uhzis()) sim::blaming(net_, id, [&] { loadNextWord(u); });
}

void CSimulation::emitSources() {
    requireReady(net_);
    incremental() ? sim::incrementalEmitSources(*this) : sim::referenceEmitSources(*this);
}

int CSimulation::evaluateEnabling() {
    requireReady(net_);
    return incremental() ? sim::incrementalEvaluateEnabling(*this) : sim::referenceEvaluateEnabling(*this);
}

void CSimulation::firePhase() {
    requireReady(net_);
    incremental() ? sim::incrementalFirePhase(*this) : sim::referenceFirePhase(*this);
}

void CSimulation::absorbSinks() {
    requireReady(net_);
    incremental() ? sim::incrementalAbsorbSinks(*this) : sim::referenceAbsorbSinks(*this);
}

void CSimulation::flushSinks() {
    for (auto& [id, k] : net_.kemmakixes()) sim::blaming(net_, id, [&] { flushRecord(k); });
}

void CSimulation::endCheck() {
    for (const auto& [id, u] : net_.uhzis())
        if (u.addp == 1 && !u.finished) return;
    raise(text(msg::kSimulationEnded));
}

// --- rewind ---

void CSimulation::pushRewind() {
    Snapshot snap;
    snap.places.reserve(net_.places().size());
    for (const auto& [id, p] : net_.places()) snap.places.push_back({id, p.hasToken, p.color, p.value, p.lastColor});
    for (const auto& [id, u] : net_.uhzis())
        snap.sources.push_back({id, u.color, u.currentWord, u.bitPos, u.wordCursor, u.finished});
    for (const auto& [id, k] : net_.kemmakixes())
        snap.sinks.push_back({id, k.color, k.bitBuffer, k.bitCount, k.received.size(), k.hasReceived});
    history_.push_back(std::move(snap));
    if (history_.size() > kRewindDepth) history_.erase(history_.begin());
}

void CSimulation::rewind() {
    if (history_.empty()) return;
    const Snapshot& snap = history_.back();
    for (const PlaceMarking& m : snap.places) {
        auto p = net_.places().find(m.id);
        if (p == net_.places().end()) continue;
        p->second.hasToken = m.hasToken;
        p->second.color = m.color;
        p->second.value = m.value;
        p->second.lastColor = m.lastColor;
    }
    for (const SourceState& s : snap.sources) {
        auto u = net_.uhzis().find(s.id);
        if (u == net_.uhzis().end()) continue;
        u->second.color = s.color;
        u->second.currentWord = s.currentWord;
        u->second.bitPos = s.bitPos;
        u->second.wordCursor = s.wordCursor;
        u->second.finished = s.finished;
    }
    for (const SinkState& s : snap.sinks) {
        auto k = net_.kemmakixes().find(s.id);
        if (k == net_.kemmakixes().end()) continue;
        k->second.color = s.color;
        k->second.bitBuffer = s.bitBuffer;
        k->second.bitCount = s.bitCount;
        if (k->second.received.size() > s.receivedCount) k->second.received.resize(s.receivedCount);
        k->second.hasReceived = s.hasReceived;
    }
    history_.pop_back();
    markingChanged();
    phase_ = 1;
}

// --- a marking changed by hand ---

void CSimulation::putToken(int placeId, int value) {
    auto p = net_.places().find(placeId);
    if (p == net_.places().end()) return;
    p->second.put(p->second.lastColor == kWhite ? kBlack : kWhite, value);
    markingChanged();
}

void CSimulation::markingChanged() {
    CSimIndex& ix = index_;
    ix.fullSweep = true;
    ix.enabled.clear();
    // The records may have been replaced: nothing may be written through the old pointers. (Nothing is
    // owed outside a phase or a run anyway: each writes back when it ends.)
    ix.discardWrites();
    if (!indexCurrent()) return;

    // The map may hold its records in other nodes than before: find them again, and give up the compiled
    // state if the net no longer has the compiled objects.
    CNet& n = net_;
    bool same = n.places().size() == ix.placeRecs.size() && n.transitions().size() == ix.transitionRecs.size() &&
                n.uhzis().size() == ix.uhziRecs.size() && n.kemmakixes().size() == ix.kemmakixRecs.size();
    auto rebind = [&](auto&& map, const std::vector<int>& ids, auto& recs) {
        size_t k = 0;
        for (auto& [id, r] : map) {
            if (k >= ids.size() || ids[k] != id) {
                same = false;
                return;
            }
            recs[k++] = &r;
        }
    };
    if (same) rebind(n.places(), ix.placeIds, ix.placeRecs);
    if (same) rebind(n.transitions(), ix.transitionIds, ix.transitionRecs);
    if (same) rebind(n.uhzis(), ix.uhziIds, ix.uhziRecs);
    if (same) rebind(n.kemmakixes(), ix.kemmakixIds, ix.kemmakixRecs);
    if (!same) {
        ix.valid = false;
        n.forgetCompile();
        return;
    }
    for (size_t i = 0; i < ix.transitionRecs.size(); ++i) {
        CTransition& t = *ix.transitionRecs[i];
        auto bindSlots = [&](auto& slots, const std::vector<int>& start, const std::vector<int>& at) {
            const size_t count = static_cast<size_t>(start[i + 1] - start[i]);
            if (slots.size() != count) return;  // connection data changed since: the transition never enables
            for (size_t s = 0; s < count; ++s) {
                const int p = at[static_cast<size_t>(start[i]) + s];
                slots[s] = p < 0 ? nullptr : ix.placeRecs[static_cast<size_t>(p)];
            }
        };
        bindSlots(t.inputPlaces, ix.inputStart, ix.inputSlots);
        bindSlots(t.outputPlaces, ix.outputStart, ix.outputSlots);
    }
}

}  // namespace novra
