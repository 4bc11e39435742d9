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

// Runs its function when the scope ends, however it ends.
template <typename Fn>
struct Finally {
    Fn fn;
    ~Finally() { fn(); }
};
template <typename Fn>
Finally(Fn) -> Finally<Fn>;

}  // namespace

// Tells the observer of the phase when it ends, however it ends.
struct ObservedPhase {
    CSimulation& sim;
    int phase;
    ~ObservedPhase() {
        if (sim.observer_) sim.notifyObserver(phase);
    }
};

void CSimulation::compile() {
    index_.valid = false;
    net_.compileNet(&index_);
    index_.serial = net_.compileSerial();
    phase_ = 0;
    history_.clear();
    if (observer_) observeStart();
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
    // An observer reads the records after every phase.
    if (indexCurrent() && !observer_) deferred.emplace(index_);
    int phase = 0;
    for (long n = 0; n < maxPhases; ++n) {
        ObservedPhase observed{*this, phase};
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
    ObservedPhase observed{*this, phase_};
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
    if (!observer_) {
        incremental() ? sim::incrementalEmitSources(*this) : sim::referenceEmitSources(*this);
        return;
    }
    // A source whose colour turned has put a token into its place.
    Finally noted{[this] {
        if (!indexCurrent() || sourceColor_.size() != index_.uhziRecs.size()) return;
        for (size_t i = 0; i < sourceColor_.size(); ++i) {
            const CUhzi& u = *index_.uhziRecs[i];
            if (u.color == sourceColor_[i]) continue;
            sourceColor_[i] = u.color;
            const int p = index_.uhziPlace[i];
            const int value = p >= 0 ? index_.placeRecs[static_cast<size_t>(p)]->value : kUndefinedValue;
            events_.emitted.push_back({index_.uhziIds[i], static_cast<int>(i), u.color, value});
            if (p >= 0) changedPlaces_.push_back(p);
        }
    }};
    incremental() ? sim::incrementalEmitSources(*this) : sim::referenceEmitSources(*this);
}

int CSimulation::evaluateEnabling() {
    requireReady(net_);
    return incremental() ? sim::incrementalEvaluateEnabling(*this) : sim::referenceEvaluateEnabling(*this);
}

void CSimulation::firePhase() {
    requireReady(net_);
    if (!observer_ || !indexCurrent()) {
        incremental() ? sim::incrementalFirePhase(*this) : sim::referenceFirePhase(*this);
        return;
    }
    // Only the transitions the evaluation enabled can fire; the reference engine keeps no list.
    candidates_.clear();
    if (incremental() && !index_.fullSweep) {
        candidates_ = index_.enabled;
    } else {
        for (size_t i = 0; i < index_.transitionRecs.size(); ++i) candidates_.push_back(static_cast<int>(i));
    }
    Finally noted{[this] {
        const auto slots = [this](const std::vector<int>& start, const std::vector<int>& at, size_t i) {
            for (int k = start[i]; k < start[i + 1]; ++k)
                if (at[static_cast<size_t>(k)] >= 0) changedPlaces_.push_back(at[static_cast<size_t>(k)]);
        };
        for (const int c : candidates_) {
            const size_t i = static_cast<size_t>(c);
            if (i >= index_.transitionRecs.size() || !index_.transitionRecs[i]->fired) continue;
            events_.fired.push_back(c);
            slots(index_.inputStart, index_.inputSlots, i);
            slots(index_.outputStart, index_.outputSlots, i);
        }
    }};
    incremental() ? sim::incrementalFirePhase(*this) : sim::referenceFirePhase(*this);
}

void CSimulation::absorbSinks() {
    requireReady(net_);
    if (!observer_ || !indexCurrent() || sinkColor_.size() != index_.kemmakixRecs.size()) {
        incremental() ? sim::incrementalAbsorbSinks(*this) : sim::referenceAbsorbSinks(*this);
        return;
    }
    // The token on each sink's place now is the one it absorbs if its colour turns.
    sinkBefore_.resize(sinkColor_.size());
    for (size_t i = 0; i < sinkColor_.size(); ++i) {
        const int p = index_.kemmakixPlace[i];
        const CPlace* place = p >= 0 ? index_.placeRecs[static_cast<size_t>(p)] : nullptr;
        sinkBefore_[i] = {index_.kemmakixIds[i], static_cast<int>(i), 0,
                          place != nullptr && place->hasToken ? place->value : kUndefinedValue};
    }
    Finally noted{[this] {
        for (size_t i = 0; i < sinkColor_.size(); ++i) {
            const CKemmakix& k = *index_.kemmakixRecs[i];
            if (k.color == sinkColor_[i]) continue;
            sinkColor_[i] = k.color;
            CPhaseEvents::Transfer t = sinkBefore_[i];
            t.color = k.color;
            events_.absorbed.push_back(t);
            if (index_.kemmakixPlace[i] >= 0) changedPlaces_.push_back(index_.kemmakixPlace[i]);
        }
    }};
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

// --- the observer ---

void CSimulation::setObserver(CPhaseObserver* observer) {
    observer_ = observer;
    if (observer_) observeStart();
}

void CSimulation::observeStart() {
    observeAll_ = true;
    changedPlaces_.clear();
    events_.clear();
    sourceColor_.clear();
    sinkColor_.clear();
    if (!indexCurrent()) return;
    for (const CUhzi* u : index_.uhziRecs) sourceColor_.push_back(u->color);
    for (const CKemmakix* k : index_.kemmakixRecs) sinkColor_.push_back(k->color);
}

void CSimulation::notifyObserver(int phase) noexcept {
    events_.phase = phase;
    events_.places.clear();
    if (indexCurrent()) {
        const auto add = [this](size_t p) {
            const CPlace& r = *index_.placeRecs[p];
            events_.places.push_back({index_.placeIds[p], static_cast<int>(p), r.hasToken, r.color, r.value});
        };
        if (observeAll_) {
            for (size_t p = 0; p < index_.placeRecs.size(); ++p) add(p);
        } else {
            for (const int p : changedPlaces_) add(static_cast<size_t>(p));
        }
        observeAll_ = false;
    }
    observer_->phaseDone(events_);
    events_.clear();
    changedPlaces_.clear();
}

// --- rewind ---

void CSimulation::pushRewind() {
    Snapshot snap;
    snap.places.reserve(net_.places().size());
    for (const auto& [id, p] : net_.places())
        snap.places.push_back({id, p.hasToken, p.color, p.value, p.lastColor});
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
    // An observer hears of the whole marking, and of no transfer, at the next phase.
    Finally observed{[this] {
        if (observer_) observeStart();
    }};
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
    bool same = n.places().size() == ix.placeRecs.size() &&
                n.transitions().size() == ix.transitionRecs.size() &&
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
