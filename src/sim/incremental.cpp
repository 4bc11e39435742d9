// The incremental engine. A transition's enabling depends only on the tokens of its own input and output
// places and on its own kept values, so a transition none of whose places changed since it was last
// evaluated would come out the same again. Closer still, a transition that was off stays off when one of
// its inputs is emptied or one of its outputs filled; so a filled place wakes its consumers, an emptied
// one its producers, and every transition enabled last time is looked at again. Only those are
// evaluated, in ascending ID; the firing phase walks the enabled ones, in ascending ID. After a raised
// message, a compile, a phase of the reference engine or a restored marking, the next sweep looks at
// everything.
#include <algorithm>
#include <string_view>

#include "common/error.h"
#include "common/messages.h"
#include "sim/engines.h"
#include "sim/sources.h"
#include "trafunc/evaluator.h"

namespace novra::sim {

namespace {

// Marks the places a phase may have changed; any message raised on the way leaves the sets unknown.
template <typename Fn>
void tracking(CSimIndex& ix, Fn&& fn) {
    try {
        fn();
    } catch (...) {
        ix.fullSweep = true;
        throw;
    }
}

CPlace* placeAt(const CSimIndex& ix, int index) {
    return index < 0 ? nullptr : ix.placeRecs[static_cast<size_t>(index)];
}

// The engine reads and writes the marking, the transitions' flags and values in dense mirrors and notes
// the records they get ahead of; CSimIndex::writeBack() brings those up to date at the end of every
// phase (of every unanimated run), so the records then show what the reference engine would have left
// there, also after a raised message.
class CDense {
  public:
    explicit CDense(CSimIndex& ix) : ix_(ix) {}

    // Loads the mirrors from the records: anything may have changed them.
    void load() {
        ix_.writeBack();
        ix_.loadMirrors();
    }

    void reread(int p) {
        const CPlace& r = *ix_.placeRecs[static_cast<size_t>(p)];
        ix_.marks[static_cast<size_t>(p)] = PlaceMark{r.hasToken, r.color, r.value, r.lastColor};
    }

    // evaluateEnabled of engine.cpp on the mirrors.
    bool evaluate(size_t i) {
        TransitionHot& h = ix_.hot[i];
        setFlags(i, false, false);
        if (!h.wired) return false;
        const int* out = outBegin(i);
        const int* outEnd = this->outEnd(i);
        for (const int* o = out; o != outEnd; ++o)
            if (*o < 0 || mark(*o).hasToken) return false;
        const int col = inputColor(i);
        if (col == kNoColor) return false;
        for (const int* o = out; o != outEnd; ++o)
            if (mark(*o).lastColor == col) return false;
        int* values = ix_.inputValues.data() + ix_.inputStart[i];
        if (col == kBlack) {
            const int* in = inBegin(i);
            for (int k = 0; k < h.inputCount; ++k) {
                const int v = mark(in[k]).value;
                if (v == kUndefinedValue) raise(text(msg::kUndefinedInput));
                if (values[k] != v) {
                    values[k] = v;
                    if (!h.valuesPending) {
                        ix_.queue(i);
                        h.valuesPending = true;
                    }
                }
            }
        }
        if (h.hasGuard) {
            int result = 0;
            CEvaluator ev;
            ev.run(std::string_view(ix_.code).substr(h.guardAt, h.guardLength), values, &result, h.inputCount,
                   1);
            if (result == 0) return false;
        }
        setFlags(i, true, false);
        return true;
    }

    // fire of engine.cpp on the mirrors; wakes the transitions next to the places it changed.
    void fire(size_t i) {
        TransitionHot& h = ix_.hot[i];
        if (!h.enabled) return;
        const int* out = outBegin(i);
        const int* outEnd = this->outEnd(i);
        int col = kNoColor;
        if (h.wired && outputsFree(out, outEnd)) {
            try {
                col = inputColor(i);
            } catch (...) {
                setFlags(i, false, false);
                throw;
            }
        }
        // The re-check leaves the transition enabled when it passes, so a function that raises leaves it so.
        setFlags(i, col != kNoColor, false);
        if (col == kNoColor) return;
        if (col == kBlack && h.outputCount > 0) computeOutputs(i);
        const int* outputs = ix_.outputValues.data() + ix_.outputStart[i];
        for (const int* p = inBegin(i); p != inEnd(i); ++p) {
            PlaceMark& m = ix_.marks[static_cast<size_t>(*p)];
            m.hasToken = 0;
            m.color = m.lastColor;
            ix_.placeChanged(*p);
            ix_.placeEmptied(*p);
        }
        setFlags(i, false, true);
        const size_t labelled = static_cast<size_t>(h.outputCount);
        for (size_t k = 0; out + k != outEnd; ++k) {
            const int p = out[k];
            PlaceMark& m = ix_.marks[static_cast<size_t>(p)];
            m.hasToken = 1;
            m.color = col;
            m.lastColor = col;
            m.value = k < labelled ? outputs[k] : kUndefinedValue;
            ix_.placeChanged(p);
            ix_.placeFilled(p);
        }
    }

  private:
    const PlaceMark& mark(int p) const { return ix_.marks[static_cast<size_t>(p)]; }
    const int* inBegin(size_t i) const { return ix_.inputSlots.data() + ix_.inputStart[i]; }
    const int* inEnd(size_t i) const { return ix_.inputSlots.data() + ix_.inputStart[i + 1]; }
    const int* outBegin(size_t i) const { return ix_.outputSlots.data() + ix_.outputStart[i]; }
    const int* outEnd(size_t i) const { return ix_.outputSlots.data() + ix_.outputStart[i + 1]; }

    bool outputsFree(const int* out, const int* end) const {
        for (; out != end; ++out)
            if (*out < 0 || mark(*out).hasToken) return false;
        return true;
    }

    void setFlags(size_t i, bool enabled, bool fired) {
        TransitionHot& h = ix_.hot[i];
        if (h.enabled == enabled && h.fired == fired) return;
        h.enabled = enabled;
        h.fired = fired;
        if (!h.flagsPending) {
            ix_.queue(i);
            h.flagsPending = true;
        }
    }

    // The function on the mirrored inputs into the mirrored outputs; what it wrote reaches the record
    // also when it raises half way.
    void computeOutputs(size_t i) {
        TransitionHot& h = ix_.hot[i];
        if (!h.outputsPending) {
            ix_.queue(i);
            h.outputsPending = true;
        }
        CEvaluator ev;
        ev.run(std::string_view(ix_.code).substr(h.functionAt, h.functionLength),
               ix_.inputValues.data() + ix_.inputStart[i], ix_.outputValues.data() + ix_.outputStart[i],
               h.inputCount, h.outputCount);
    }

    // inputColor of engine.cpp on the mirrors.
    int inputColor(size_t i) const {
        const int* in = inBegin(i);
        const int* end = inEnd(i);
        if (in == end || *in < 0 || !mark(*in).hasToken) return kNoColor;
        const int col = mark(*in).color;
        if (col == kNoColor) raise(text(msg::kFlagWithoutToken));
        for (++in; in != end; ++in)
            if (*in < 0 || !mark(*in).hasToken || mark(*in).color != col) return kNoColor;
        return col;
    }

    CSimIndex& ix_;
};

// The records catch up with the mirrors when a phase ends, however it ends, unless a run defers that.
struct WriteBackAtEnd {
    CSimIndex& ix;
    ~WriteBackAtEnd() {
        if (!ix.deferWrites) ix.writeBack();
    }
};

// One transition of the enabling evaluation.
void evaluateOne(CSimulation& sim, CSimIndex& ix, CDense& dense, size_t i, int& result) {
    CNet& net = sim.net();
    const int id = ix.transitionIds[i];
    bool on = false;
    blaming(net, id, [&] { on = dense.evaluate(i); });
    if (!on) return;
    ix.enabled.push_back(static_cast<int>(i));
    sim.setSweepEnabled(1);
    if (!net.simTranOpt().empty() && net.simTranOpt().count(id)) {
        result = 2;
        net.setStopObject(id);
    }
}

}  // namespace

void incrementalEmitSources(CSimulation& sim) {
    CNet& net = sim.net();
    CSimIndex& ix = sim.index();
    CDense dense(ix);
    WriteBackAtEnd writeBack{ix};
    tracking(ix, [&] {
        for (size_t i = 0; i < ix.uhziRecs.size(); ++i) {
            const int pi = ix.uhziPlace[i];
            CPlace* p = placeAt(ix, pi);
            if (p != nullptr) ix.writePlace(pi);
            const bool had = p != nullptr && p->hasToken;
            blaming(net, ix.uhziIds[i], [&] { emitToken(*ix.uhziRecs[i], p); });
            if (p != nullptr && p->hasToken != had) {
                dense.reread(pi);
                ix.placeFilled(pi);
            }
        }
    });
}

void incrementalAbsorbSinks(CSimulation& sim) {
    CNet& net = sim.net();
    CSimIndex& ix = sim.index();
    CDense dense(ix);
    WriteBackAtEnd writeBack{ix};
    tracking(ix, [&] {
        for (size_t i = 0; i < ix.kemmakixRecs.size(); ++i) {
            const int pi = ix.kemmakixPlace[i];
            CPlace* p = placeAt(ix, pi);
            if (p != nullptr) ix.writePlace(pi);
            const bool had = p != nullptr && p->hasToken;
            blaming(net, ix.kemmakixIds[i], [&] { absorbToken(*ix.kemmakixRecs[i], p); });
            if (p != nullptr && p->hasToken != had) {
                dense.reread(pi);
                ix.placeEmptied(pi);
            }
        }
    });
}

int incrementalEvaluateEnabling(CSimulation& sim) {
    CSimIndex& ix = sim.index();
    CDense dense(ix);
    sim.setSweepEnabled(0);
    int result = 0;
    WriteBackAtEnd writeBack{ix};
    tracking(ix, [&] {
        if (ix.fullSweep) {
            dense.load();
            ix.dirty.clear();
            ix.enabled.clear();
            for (size_t i = 0; i < ix.transitionRecs.size(); ++i) evaluateOne(sim, ix, dense, i, result);
            ix.fullSweep = false;
            return;
        }
        // Transitions enabled last time are looked at again too, so that two evaluations without a
        // firing phase between them (a paused run) agree.
        for (int i : ix.enabled) ix.dirty.insert(static_cast<size_t>(i));
        ix.enabled.clear();
        ix.dirty.drain([&](size_t i) { evaluateOne(sim, ix, dense, i, result); });
    });
    return result;
}

void incrementalFirePhase(CSimulation& sim) {
    CNet& net = sim.net();
    CSimIndex& ix = sim.index();
    CDense dense(ix);
    WriteBackAtEnd writeBack{ix};
    tracking(ix, [&] {
        if (ix.fullSweep) {
            // The mirrors are not known: the records decide, as in the reference.
            ix.writeBack();
            for (size_t i = 0; i < ix.transitionRecs.size(); ++i)
                blaming(net, ix.transitionIds[i], [&] { fire(*ix.transitionRecs[i]); });
            return;
        }
        for (const int e : ix.enabled) {
            const size_t k = static_cast<size_t>(e);
            blaming(net, ix.transitionIds[k], [&] { dense.fire(k); });
            // A transition that lost a conflict was just found off by its re-check; it is looked at again
            // in the next sweep like the winners.
            ix.dirty.insert(k);
        }
        ix.enabled.clear();
    });
}

}  // namespace novra::sim
