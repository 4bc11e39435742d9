// Verilog generation for nets of 10 000 to 100 000 objects: pipelines, fork/join trees and select/merge
// lattices, compiled once and generated into a scratch folder on every iteration (all the files a run
// writes, the support files included when they sit beside the executable).
//
// Arguments: shape (0 pipeline, 1 fork/join, 2 lattice), then the number of objects.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "common/error.h"
#include "model/net.h"
#include "sim/simulation.h"
#include "simnets.h"
#include "verilog/cosim.h"
#include "verilog/generator.h"

using namespace novra;
using bench::Shape;

namespace {

std::filesystem::path scratch() {
    static const std::filesystem::path dir = [] {
        const auto d =
            std::filesystem::temp_directory_path() / ("novra-verilog-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

Shape shapeOf(long arg) {
    return arg == 1 ? Shape::ForkJoin : arg == 2 ? Shape::Lattice : Shape::Pipeline;
}

// Compiled nets, kept between repetitions so only the generation is measured.
CNet& compiledNet(Shape shape, int objects) {
    static std::map<std::pair<int, int>, std::unique_ptr<CNet>> nets;
    auto& slot = nets[{static_cast<int>(shape), objects}];
    if (!slot) {
        slot = std::make_unique<CNet>();
        bench::buildShape(*slot, shape, objects);
        slot->compileNet();
    }
    return *slot;
}

void BM_Generate(benchmark::State& state) {
    const Shape shape = shapeOf(state.range(0));
    const int objects = static_cast<int>(state.range(1));
    CNet& net = compiledNet(shape, objects);
    verilog::VerilogOptions options;
    options.outDir =
        (scratch() / ("out-" + std::to_string(state.range(0)) + "-" + std::to_string(objects))).string();
    options.moduleDir = verilog::findModuleDir();
    std::filesystem::create_directories(options.outDir);
    long lines = 0;
    for (auto _ : state) {
        lines = 0;
        verilog::generateVerilog(net, options, [&](const std::string&) { ++lines; });
    }
    state.counters["objects"] = static_cast<double>(net.objects().size());
    state.counters["log_lines"] = static_cast<double>(lines);
    std::uintmax_t bytes = 0;
    for (const auto& e : std::filesystem::directory_iterator(options.outDir))
        if (e.is_regular_file()) bytes += e.file_size();
    state.counters["bytes_written"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Generate)
    ->ArgNames({"shape", "objects"})
    ->ArgsProduct({{0, 1, 2}, {10000, 50000, 100000}})
    ->Unit(benchmark::kMillisecond);

// A pipeline of 200 stages (every other one an inverter) fed by one source streaming 20 words of 64 bits.
void streamingPipeline(CNet& net) {
    const int u = net.addObject(0, 0, kUhzi);
    CUhzi& source = net.uhzis().at(u);
    source.addp = 1;
    for (int w = 0; w < 20; ++w) {
        std::string word;
        for (int i = 0; i < 64; ++i) word += ((w * 7 + i * i) % 3 == 0) ? '1' : '0';
        source.words.push_back(word);
    }
    int prev = u;
    for (int s = 0; s < 200; ++s) {
        const int t = net.addObject(0, 0, kTransition);
        net.transitions().at(t).functionText = s % 2 ? "o1=~i1;" : "o1=i1;";
        const int p = net.addObject(0, 0, kPlace);
        net.addArc(prev, p, {}, {});
        net.addArc(p, t, {}, {});
        prev = t;
    }
    const int p = net.addObject(0, 0, kPlace);
    net.addArc(prev, p, {}, {});
    net.addArc(p, net.addObject(0, 0, kKemmakix), {}, {});
}

// What novra-cli simulate does with the net: compile, then the unanimated run to its end.
void BM_SimulateStreamingPipeline(benchmark::State& state) {
    CNet net;
    streamingPipeline(net);
    CSimulation sim(net);
    for (auto _ : state) {
        sim.compile();
        try {
            sim.run();
        } catch (const CError&) {
            // The run ends by raising its end message.
        }
    }
}
BENCHMARK(BM_SimulateStreamingPipeline)->Unit(benchmark::kMillisecond);

// novra-cli cosim on the same net: generation, the net's run, Icarus Verilog compile and run of the bench
// with every word and the function checks, and the comparison.
void BM_CosimStreamingPipeline(benchmark::State& state) {
    CNet net;
    streamingPipeline(net);
    verilog::VerilogOptions options;
    options.outDir = (scratch() / "cosim").string();
    options.moduleDir = verilog::findModuleDir();
    std::filesystem::create_directories(options.outDir);
    size_t bits = 0;
    bool match = false;
    for (auto _ : state) {
        const verilog::CosimReport report = verilog::cosimulate(net, options, [](const std::string&) {});
        bits = report.sinks.empty() ? 0 : report.sinks.front().net.size();
        match = report.match();
    }
    state.counters["bits"] = static_cast<double>(bits);
    state.counters["match"] = match ? 1 : 0;
}
BENCHMARK(BM_CosimStreamingPipeline)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(scratch(), ec);
    return 0;
}
