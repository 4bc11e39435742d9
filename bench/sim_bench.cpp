// Compile and the unanimated run on nets from 1 000 to 1 000 000 objects: pipelines, rings, fork/join
// trees and select/merge lattices, with the incremental engine and with the reference engine that walks
// every transition in every sweep. Counters: firings per second and the time of one sweep (one enabling
// evaluation and one firing phase, with the source and sink phases around them).
//
// Arguments of the run benchmarks: engine (0 incremental, 1 reference), then the size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "common/error.h"
#include "model/net.h"
#include "sim/simulation.h"
#include "simnets.h"

using namespace novra;
using bench::Shape;

namespace {

struct RunCounts {
    long firings = 0;
    long sweeps = 0;
};

// Replays the unanimated run's phase machine while counting; the timed runs do the same work.
RunCounts countRun(CNet& net, long maxPhases) {
    RunCounts c;
    CSimulation sim(net);
    sim.compile();
    int phase = 0;
    try {
        for (long i = 0; i < maxPhases; ++i) {
            if (phase == 0) {
                sim.prepareSources();
                phase = 1;
            } else if (phase == 1) {
                sim.emitSources();
                if (sim.evaluateEnabling() == 2) net.setStopObject(0);
                // Only the enabled transitions can fire; counting them keeps this linear in the work.
                const std::vector<int> enabled = sim.index().enabled;
                sim.firePhase();
                sim.absorbSinks();
                ++c.sweeps;
                for (int i : enabled) c.firings += sim.index().transitionRecs[static_cast<size_t>(i)]->fired;
                phase = sim.sweepEnabled() == 1 ? 1 : 3;
            } else {
                sim.flushSinks();
                sim.endCheck();
                phase = 0;
            }
        }
    } catch (const CError&) {
    }
    return c;
}

CSimulation::Engine engineOf(const benchmark::State& state) {
    return state.range(0) == 1 ? CSimulation::Engine::Reference : CSimulation::Engine::Incremental;
}

void runBenchmark(benchmark::State& state, CNet& net, long phases) {
    const RunCounts counts = countRun(net, phases);
    CSimulation sim(net);
    sim.setEngine(engineOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        sim.compile();
        state.ResumeTiming();
        try {
            sim.run(phases);
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
    state.counters["objects"] = static_cast<double>(net.objects().size());
}

// Enough phases to keep each measurement near a second with the reference engine, whatever the size.
long phasesFor(long objects) {
    return std::clamp(20000000L / objects, 20L, 2000L);
}

// --- compile ---

void objectCounters(benchmark::State& state, const CNet& net) {
    state.counters["objects"] = static_cast<double>(net.objects().size());
    state.counters["ns/object"] = benchmark::Counter(
        static_cast<double>(net.objects().size()) * static_cast<double>(state.iterations()) * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A compile of a net compiled before, as after an edit (the first compile is done outside the timing).
void compileBenchmark(benchmark::State& state, Shape shape) {
    CNet net;
    bench::buildShape(net, shape, static_cast<int>(state.range(0)));
    CSimulation sim(net);
    sim.compile();
    for (auto _ : state) sim.compile();
    objectCounters(state, net);
}

// The first compile of a net just built, as after opening a file: every iteration builds a new net
// (not timed) and compiles it.
void firstCompileBenchmark(benchmark::State& state, Shape shape) {
    size_t objects = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto net = std::make_unique<CNet>();
        bench::buildShape(*net, shape, static_cast<int>(state.range(0)));
        CSimulation sim(*net);
        state.ResumeTiming();
        sim.compile();
        state.PauseTiming();
        objects = net->objects().size();
        net.reset();
        state.ResumeTiming();
    }
    state.counters["objects"] = static_cast<double>(objects);
    state.counters["ns/object"] =
        benchmark::Counter(static_cast<double>(objects) * static_cast<double>(state.iterations()) * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CompilePipeline(benchmark::State& state) {
    compileBenchmark(state, Shape::Pipeline);
}
void BM_CompileRing(benchmark::State& state) {
    compileBenchmark(state, Shape::Ring);
}
void BM_CompileForkJoin(benchmark::State& state) {
    compileBenchmark(state, Shape::ForkJoin);
}
void BM_CompileLattice(benchmark::State& state) {
    compileBenchmark(state, Shape::Lattice);
}

void BM_FirstCompilePipeline(benchmark::State& state) {
    firstCompileBenchmark(state, Shape::Pipeline);
}
void BM_FirstCompileLattice(benchmark::State& state) {
    firstCompileBenchmark(state, Shape::Lattice);
}

void compileSizes(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000, 100000, 200000, 400000, 1000000}) b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_CompilePipeline)->Apply(compileSizes);
BENCHMARK(BM_CompileRing)->Apply(compileSizes);
BENCHMARK(BM_CompileForkJoin)->Apply(compileSizes);
BENCHMARK(BM_CompileLattice)->Apply(compileSizes);
BENCHMARK(BM_FirstCompilePipeline)->Apply(compileSizes);
BENCHMARK(BM_FirstCompileLattice)->Apply(compileSizes);

// --- the unanimated run ---

void runShape(benchmark::State& state, Shape shape) {
    CNet net;
    bench::buildShape(net, shape, static_cast<int>(state.range(1)));
    runBenchmark(state, net, phasesFor(state.range(1)));
}

void BM_RunPipeline(benchmark::State& state) {
    runShape(state, Shape::Pipeline);
}
void BM_RunRing(benchmark::State& state) {
    runShape(state, Shape::Ring);
}
void BM_RunForkJoin(benchmark::State& state) {
    runShape(state, Shape::ForkJoin);
}
void BM_RunLattice(benchmark::State& state) {
    runShape(state, Shape::Lattice);
}

void runSizes(benchmark::internal::Benchmark* b) {
    for (int engine : {0, 1})
        for (int n : {1000, 10000, 100000, 1000000}) b->Args({engine, n});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_RunPipeline)->Apply(runSizes);
BENCHMARK(BM_RunRing)->Apply(runSizes);
BENCHMARK(BM_RunForkJoin)->Apply(runSizes);
BENCHMARK(BM_RunLattice)->Apply(runSizes);

// One pipeline of n transitions streaming words, full of waves from the start.
void BM_RunStreamingPipeline(benchmark::State& state) {
    CNet net;
    bench::buildPipeline(net, static_cast<int>(state.range(1)), 1000, 16, true);
    runBenchmark(state, net, 2000);
}
BENCHMARK(BM_RunStreamingPipeline)->Args({0, 100000})->Args({1, 100000})->Unit(benchmark::kMillisecond);

// A streaming pipeline of 100 stages, alone (size 0) or beside `size` transitions that never fire.
void BM_RunSmallActive(benchmark::State& state) {
    CNet net;
    bench::buildPipeline(net, 100, 1000, 16, true);
    if (state.range(1) > 0) bench::buildIdle(net, static_cast<int>(state.range(1)), 1000);
    // Every iteration compiles the whole net untimed first: the incremental runs are made long enough
    // that a few iterations do.
    runBenchmark(state, net, state.range(0) == 1 ? 40 : 30000);
}
BENCHMARK(BM_RunSmallActive)
    ->Args({0, 0})
    ->Args({0, 500000})
    ->Args({0, 1000000})
    ->Args({1, 0})
    ->Args({1, 500000})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
