// Saving and loading large nets. The time for twice the net should stay about twice the time.
// BM_RecoveryPause: what the editor's recovery copy costs the user — the net turned into bytes on the
// editor's thread; the file itself is written on a worker (compare with BM_SaveFile, the whole save).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fileio/fileio.h"
#include "model/net.h"
#include "netgen.h"

using namespace novra;

namespace {

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()) + ".pol"))
        .string();
}

void BM_SaveFile(benchmark::State& state) {
    CNet net;
    bench::generateNet(net, {.objects = static_cast<int>(state.range(0))});
    const std::string path = scratchFile("novra-bench-save-");
    for (auto _ : state) fileio::save(net, path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    state.counters["arcs"] = static_cast<double>(net.arcs().size());
    std::filesystem::remove(path);
}

void BM_LoadFile(benchmark::State& state) {
    const std::string path = scratchFile("novra-bench-load-");
    {
        CNet net;
        bench::generateNet(net, {.objects = static_cast<int>(state.range(0))});
        fileio::save(net, path);
    }
    CNet net;
    for (auto _ : state) fileio::load(net, path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    state.counters["objects"] = static_cast<double>(net.objects().size());
    std::filesystem::remove(path);
}

void BM_RecoveryPause(benchmark::State& state) {
    CNet net;
    bench::generateNet(net, {.objects = static_cast<int>(state.range(0))});
    for (auto _ : state) benchmark::DoNotOptimize(fileio::format(net));
}

}  // namespace

BENCHMARK(BM_RecoveryPause)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
