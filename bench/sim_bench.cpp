// The unanimated run on long pipelines and rings: firings per second and the cost of one sweep (one
// enabling evaluation and one firing phase over every transition).
#include <benchmark/benchmark.h>

#include <algorithm>

#include "common/error.h"
#include "model/net.h"
#include "simnets.h"

using namespace novra;

namespace {

struct RunCounts {
    long firings = 0;
    long sweeps = 0;
};

// Replays the unanimated run's phase machine while counting; the timed runs do the same work.
RunCounts countRun(CNet& net, long maxPhases) {
    RunCounts c;
    net.compileNet();
    int phase = 0;
    try {
        for (long i = 0; i < maxPhases; ++i) {
            if (phase == 0) {
                net.prepareSources();
                phase = 1;
            } else if (phase == 1) {
                net.emitSources();
                if (net.evaluateEnabling() == 2) net.stopObject = 0;
                net.firePhase();
                net.absorbSinks();
                ++c.sweeps;
                for (const auto& [id, t] : net.transitions) c.firings += t.fired ? 1 : 0;
                phase = net.sweepEnabled == 1 ? 1 : 3;
            } else {
                net.flushSinks();
                net.endCheck();
                phase = 0;
            }
        }
    } catch (const CError&) {
    }
    return c;
}

// Enough phases to keep each measurement near a second whatever the size.
long phasesFor(long n) {
    return std::max(200L, 20000000L / n);
}

void runBenchmark(benchmark::State& state, CNet& net) {
    const long phases = phasesFor(state.range(0));
    const RunCounts counts = countRun(net, phases);
    for (auto _ : state) {
        state.PauseTiming();
        net.compileNet();
        state.ResumeTiming();
        try {
            net.runUnanimated(phases);
        } catch (const CError&) {
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["firings/s"] =
        benchmark::Counter(static_cast<double>(counts.firings) * iterations, benchmark::Counter::kIsRate);
    state.counters["sweeps"] = static_cast<double>(counts.sweeps);
    state.counters["ns/sweep"] =
        benchmark::Counter(static_cast<double>(counts.sweeps) * iterations * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RunPipeline(benchmark::State& state) {
    CNet net;
    bench::buildPipeline(net, static_cast<int>(state.range(0)), 1000, 16);
    runBenchmark(state, net);
}
BENCHMARK(BM_RunPipeline)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RunRing(benchmark::State& state) {
    CNet net;
    bench::buildRing(net, static_cast<int>(state.range(0)));
    runBenchmark(state, net);
}
BENCHMARK(BM_RunRing)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CompileRing(benchmark::State& state) {
    CNet net;
    bench::buildRing(net, static_cast<int>(state.range(0)));
    for (auto _ : state) net.compileNet();
    state.counters["transitions"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_CompileRing)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
