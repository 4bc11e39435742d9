// The evaluator runs once per black firing: a run should cost tens of nanoseconds.
#include <benchmark/benchmark.h>

#include "trafunc/evaluator.h"
#include "trafunc/function.h"

using namespace novra;

namespace {

void BM_RunFullAdder(benchmark::State& state) {
    CTransitionFunction f;
    f.functionText = "s = a ^ b ^ c;  co = (a & b) | (c & (a ^ b));";
    refreshFunction(f);
    FunctionPorts ports{3, 2, {true, true, true}, {true, true}, {false, false}};
    prepareFunction(f, ports);
    int in[3] = {1, 0, 1};
    for (auto _ : state) {
        CEvaluator().run(f.compiledFunction, in, f.outputValues.data(), f.inputCount, f.outputCount);
        benchmark::DoNotOptimize(f.outputValues.data());
        in[1] ^= 1;
    }
}
BENCHMARK(BM_RunFullAdder);

void BM_PrepareFullAdder(benchmark::State& state) {
    FunctionPorts ports{3, 2, {true, true, true}, {true, true}, {false, false}};
    for (auto _ : state) {
        CTransitionFunction f;
        f.functionText = "s = a ^ b ^ c;  co = (a & b) | (c & (a ^ b));";
        refreshFunction(f);
        prepareFunction(f, ports);
        benchmark::DoNotOptimize(f.compiledFunction.data());
    }
}
BENCHMARK(BM_PrepareFullAdder);

}  // namespace

BENCHMARK_MAIN();
