#pragma once
// CSimulation: one simulation of a net. It owns the incremental engine's index, the two orders in which the
// phases run (the unanimated run and the editor's step cycle, written once in simulation.cpp) and the
// rewind history of the step cycle. The net keeps the marking, the sources' and sinks' state and the stop
// object; the simulation holds a reference to it and must not outlive it.
#include <cstddef>
#include <vector>

#include "model/net.h"
#include "sim/sim_index.h"

namespace novra {

// What one phase changed, for an observer that records the simulation (a waveform writer). Objects are
// named by ID and by their dense index in ascending ID order (the position among the net's objects of
// that kind).
struct CPhaseEvents {
    struct Token {
        int id, index;
        bool hasToken;
        int color, value;
    };
    struct Transfer {  // a token a source emitted or a sink absorbed
        int id, index;
        int color, value;
    };
    int phase = 0;                // as Step::phase: 0 preparation, 1 emission (and in a run the sweep), 2
                                  // firing, 3 flush
    std::vector<Token> places;    // every place whose token may have changed, as it is after the phase
    std::vector<int> fired;       // dense indices of the transitions that fired, ascending
    std::vector<Transfer> emitted, absorbed;
    void clear() {
        places.clear();
        fired.clear();
        emitted.clear();
        absorbed.clear();
    }
};

// Told of every phase the simulation performs, also of one that raised (what it changed before). It must
// not raise and must not change the net.
class CPhaseObserver {
  public:
    virtual ~CPhaseObserver() = default;
    virtual void phaseDone(const CPhaseEvents& events) = 0;
};

class CSimulation {
  public:
    // Both engines give the same results in every respect; the reference one walks every transition in
    // every phase and is kept to check the incremental one against.
    enum class Engine { Incremental, Reference };
    static constexpr long kRunLimit = 100001;
    static constexpr size_t kRewindDepth = 10;

    explicit CSimulation(CNet& net) : net_(net) {}
    CSimulation(const CSimulation&) = delete;
    CSimulation& operator=(const CSimulation&) = delete;

    CNet& net() const { return net_; }
    Engine engine() const { return engine_; }
    void setEngine(Engine e) { engine_ = e; }

    // Compiles the net for this simulation; the step cycle starts again at source preparation and the
    // rewind history is emptied. Raises compile's message (the stop object names the culprit).
    void compile();
    // A compile has succeeded and the net has kept the compiled shape since.
    bool ready() const { return net_.simulationReady(); }

    // The unanimated run: phases until the end message, a fault, or maxPhases phases, after which it raises
    // the run limit. A fire stop does not stop it.
    void run(long maxPhases = kRunLimit);

    // The editor's step cycle, one phase per call: 0 source preparation; 1 source emission, sink absorption
    // and enabling evaluation; 2 firing; 3 sink record flush and end check. A raised message leaves the
    // cycle at the phase that raised it. While the net replays an event file nothing is done (phase -1).
    struct Step {
        int phase = -1;         // the phase performed
        bool fireStop = false;  // phase 1 enabled a transition marked for a fire stop
    };
    Step step();
    int phase() const { return phase_; }  // the phase the next step performs

    // The marking, sources and sinks before each of the last kRewindDepth firings of the step cycle.
    bool canRewind() const { return !history_.empty(); }
    size_t rewindDepth() const { return history_.size(); }
    // Back to before the last firing; the next step is an enabling evaluation.
    void rewind();
    void clearRewind() { history_.clear(); }

    // The phases one at a time, for callers with an order of their own (the engines' cross-check).
    void prepareSources();
    void emitSources();
    int evaluateEnabling();  // 2 when a fire-stop transition was enabled, else 0
    void firePhase();
    void absorbSinks();
    void flushSinks();  // reads no place: may run whatever state the net is in
    void endCheck();    // raises the end message once every streaming source has finished
    // 1 when the last enabling evaluation enabled a transition.
    int sweepEnabled() const { return sweepEnabled_; }

    // A token put by hand on a place: the colour the alternation lets come next (black after white, white
    // after black) with the given value. Nothing happens for an ID that is no place.
    void putToken(int placeId, int value);
    // To be called after the marking or a transition was changed by anything but compile, the phases and
    // putToken: the next sweep looks at every transition, and the engine finds the records again should
    // they have moved.
    void markingChanged();

    // The observer of every phase from now on, null for none; it must outlive its attachment. Without one
    // the phases cost nothing extra; with one an unanimated run writes the records after every phase.
    void setObserver(CPhaseObserver* observer);
    CPhaseObserver* observer() const { return observer_; }

    // For the engines (engines.h).
    CSimIndex& index() { return index_; }
    // The index was built by the net's last compile and may be used.
    bool indexCurrent() const { return index_.valid && index_.serial == net_.compileSerial() && ready(); }
    void setSweepEnabled(int on) { sweepEnabled_ = on; }

  private:
    struct PlaceMarking {
        int id;
        bool hasToken;
        int color, value, lastColor;
    };
    struct SourceState {
        int id, color;
        std::vector<int> currentWord;
        int bitPos;
        size_t wordCursor;
        bool finished;
    };
    struct SinkState {
        int id, color;
        std::vector<int> bitBuffer;
        int bitCount;
        size_t receivedCount;
        bool hasReceived;
    };
    struct Snapshot {
        std::vector<PlaceMarking> places;
        std::vector<SourceState> sources;
        std::vector<SinkState> sinks;
    };
    void pushRewind();
    // The observer's bookkeeping around the phases (only called while there is one).
    void observeStart();
    void notifyObserver(int phase) noexcept;
    friend struct ObservedPhase;
    bool incremental() const { return engine_ == Engine::Incremental && indexCurrent(); }

    CNet& net_;
    Engine engine_ = Engine::Incremental;
    CSimIndex index_;
    int sweepEnabled_ = 0;
    int phase_ = 0;
    std::vector<Snapshot> history_;  // the latest at the back
    CPhaseObserver* observer_ = nullptr;
    CPhaseEvents events_;
    bool observeAll_ = true;             // report every place next time (the marking changed by hand)
    std::vector<int> sourceColor_, sinkColor_;  // as last seen, to tell an emission or absorption
    std::vector<CPhaseEvents::Transfer> sinkBefore_;
    std::vector<int> candidates_;        // transitions that may fire in the current firing phase
    std::vector<int> changedPlaces_;     // dense indices of the places the current phase touched
};

}  // namespace novra
