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

    // To be called after the marking or a transition was changed by anything but compile and the phases
    // (a token set by hand on a compiled net): the next sweep looks at every transition, and the engine
    // finds the records again should they have moved.
    void markingChanged();

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
    bool incremental() const { return engine_ == Engine::Incremental && indexCurrent(); }

    CNet& net_;
    Engine engine_ = Engine::Incremental;
    CSimIndex index_;
    int sweepEnabled_ = 0;
    int phase_ = 0;
    std::vector<Snapshot> history_;  // the latest at the back
};

}  // namespace novra
