// The unanimated run of a 1 000-stage streaming pipeline for a fixed number of phases, without and with
// the VCD writer observing it. Counters: the phases, the peak resident memory of the run (the process's
// high-water mark, reset before it starts) and, with the writer, the bytes it wrote.
//
// Arguments: writer (0 none, 1 VCD), phases. The waveform goes to /dev/null unless NOVRA_VCD_BENCH_FILE
// names a file (a million phases of this net make about a gigabyte of VCD).
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "common/error.h"
#include "model/net.h"
#include "sim/simulation.h"
#include "sim/vcd_writer.h"
#include "simnets.h"

using namespace novra;

namespace {

// The resident high-water mark restarts from the present size.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

void BM_RunPipelineWithVcd(benchmark::State& state) {
    const bool vcd = state.range(0) == 1;
    const long phases = state.range(1);
    const char* env = std::getenv("NOVRA_VCD_BENCH_FILE");
    const std::string path = env != nullptr ? env : "/dev/null";
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto net = std::make_unique<CNet>();
        // Enough words that the run is still streaming after the last phase.
        bench::buildPipeline(*net, 1000, 2000, 16);
        CSimulation sim(*net);
        sim.compile();
        std::unique_ptr<CVcdWriter> writer;
        if (vcd) {
            writer = std::make_unique<CVcdWriter>(*net, path);
            sim.setObserver(writer.get());
        }
        resetPeak();
        state.ResumeTiming();
        try {
            sim.run(phases);
        } catch (const CError&) {
        }
        if (writer) writer->finish();
        state.PauseTiming();
        peak = peakMiB();
        state.ResumeTiming();
    }
    state.counters["phases"] = static_cast<double>(phases);
    state.counters["peak_MiB"] = peak;
    struct stat st {};
    if (vcd && env != nullptr && stat(path.c_str(), &st) == 0)
        state.counters["vcd_MB"] = static_cast<double>(st.st_size) / 1e6;
}
BENCHMARK(BM_RunPipelineWithVcd)
    ->Args({0, 100000})
    ->Args({1, 100000})
    ->Args({0, 1000000})
    ->Args({1, 1000000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
