#pragma once
// CVcdWriter: records a simulation as a VCD waveform, one time unit per phase. It observes the phases
// (CSimulation::setObserver) and writes only what each phase changed, keeping the last value of every
// signal, so its memory does not grow with the length of the run. The file's header comment says how the
// tokens are coded; in short:
//   net.places.p<id>[_<arc variables>]   2 bits: 00 none, 01 white, 10 black 0, 11 black 1, 1x black
//   undefined net.transitions.t<id>                1 in the phase in which the transition fired
//   net.sources.u<id>, net.sinks.k<id>    the token emitted / absorbed in that phase, coded as a place's
//   net.phase                             the kind of phase: 0 preparation, 1 emission (a run's whole sweep),
//                                         2 firing (the editor's step cycle), 3 record flush
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "model/net.h"
#include "sim/simulation.h"

namespace novra {

class CVcdWriter : public CPhaseObserver {
  public:
    // Creates the file and writes the header and the net's present marking as time 0 (the net compiled
    // and not yet run). Raises kVcdCannotWrite when the file cannot be created.
    CVcdWriter(const CNet& net, const std::string& path);
    ~CVcdWriter() override;
    CVcdWriter(const CVcdWriter&) = delete;
    CVcdWriter& operator=(const CVcdWriter&) = delete;

    void phaseDone(const CPhaseEvents& events) override;
    long phases() const { return time_; }
    const std::string& path() const { return path_; }

    // Writes the end time and closes the file; raises kVcdCannotWrite when anything failed to be written.
    void finish();
    // What was recorded so far, with its end time, written to another file: through a temporary file beside
    // it that replaces it at the end, so that a failure leaves nothing half written. Raises like finish().
    void saveCopy(const std::string& target) const;

  private:
    // Token codes of places, sources and sinks.
    enum : uint8_t { kNone, kWhiteToken, kBlack0, kBlack1, kBlackX };
    static uint8_t code(bool hasToken, int color, int value);
    void declare(const std::string& name, int width, std::vector<std::string>& codes);
    void change1(const std::string& code, int v);
    void change2(const std::string& code, uint8_t v);
    size_t find(const std::vector<int>& ids, int id, int index) const;
    // Pulses (fired, emitted, absorbed) fall back to 0 in the first phase they are not repeated in.
    void pulse(size_t i, uint8_t v, std::vector<uint8_t>& last, std::vector<long>& at,
               const std::vector<std::string>& codes, std::vector<size_t>& raised, bool wide);
    void fall(std::vector<uint8_t>& last, const std::vector<long>& at, const std::vector<std::string>& codes,
              std::vector<size_t>& raised, bool wide);

    std::string path_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    long time_ = 0;
    long writtenTime_ = 0;
    int signals_ = 0;
    std::string header_;  // only while the header is built
    std::string out_;     // the changes of the current phase

    std::string phaseCode_;
    int lastPhase_ = -1;
    std::vector<int> placeIds_, transitionIds_, sourceIds_, sinkIds_;
    std::vector<std::string> placeCodes_, transitionCodes_, sourceCodes_, sinkCodes_;
    std::vector<uint8_t> placeLast_, transitionLast_, sourceLast_, sinkLast_;
    std::vector<long> transitionAt_, sourceAt_, sinkAt_;
    std::vector<size_t> transitionsUp_, sourcesUp_, sinksUp_;
};

}  // namespace novra
