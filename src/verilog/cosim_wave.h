#pragma once
// The waveforms of a co-simulation: when each sink of the circuit took each bit (from the test bench's
// VCD), the net's and the circuit's VCD merged into one file on one time axis, and a GTKWave save file
// that shows each sink's net and circuit signals side by side.
#include <map>
#include <string>
#include <vector>

#include "model/net.h"
#include "sim/simulation.h"

namespace novra::verilog {

// Records, for every sink of the net, the phase in which it absorbed each black token it kept (at most
// 99 per word, as the sink keeps them), and hands every phase on to another observer if there is one.
class CSinkPhases : public CPhaseObserver {
  public:
    explicit CSinkPhases(CPhaseObserver* next = nullptr) : next_(next) {}
    void phaseDone(const CPhaseEvents& events) override;
    std::map<int, std::vector<long>> phases;  // sink ID -> phase of each kept bit, in arrival order

  private:
    CPhaseObserver* next_;
    long time_ = 0;
    std::map<int, int> inWord_;  // bits absorbed since the last record flush
};

// When each sink's cell in the test bench took each bit: the time (in the file's unit, ps) of the request
// that the sink acknowledged, read from the bench's VCD (signals k_<id>__r and k_<id>_a of <top>_sim).
std::map<int, std::vector<long long>> circuitSinkTimes(const std::string& vcdPath, const std::string& top,
                                                       const std::vector<int>& sinkIds);

// Writes `out`: the circuit's VCD with the net's VCD beside it under its own scope `net`, the net's phase
// n at circuit time n * psPerPhase. Raises when a file cannot be read or written.
void mergeWaves(const std::string& circuitVcd, const std::string& netVcd, long long psPerPhase,
                const std::string& out);

// A GTKWave save file for the merged VCD: per sink a group with the net's token for it and the circuit's
// data, request and acknowledge of its cell, then the net's phase. It shows the times from..to (ps) and
// puts the marker at `marker` (none when negative).
std::string gtkwSaveFile(const std::string& mergedVcd, const std::string& top,
                         const std::vector<int>& sinkIds, long long psPerPhase, long long from, long long to,
                         long long marker);

}  // namespace novra::verilog
