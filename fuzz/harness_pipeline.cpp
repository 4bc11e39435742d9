// Load, compile, a bounded run on both engines, and the Verilog output: any net file ends each stage in a
// message, never in a crash, and the two engines agree on everything a user sees.
#include <filesystem>

#include "common/error.h"
#include "harness.h"
#include "harness_net.h"
#include "sim/simulation.h"
#include "verilog/generator.h"

namespace novra::fuzz {

namespace {

// Short enough that a fuzz input runs in milliseconds, long enough for several words to pass.
constexpr long kPhases = 400;

struct RunResult {
    bool compiled = false;
    std::string message;
    int stopObject = 0;
    std::map<int, std::vector<std::string>> received;
};

RunResult run(const std::string& path, CSimulation::Engine engine) {
    RunResult r;
    CNet net;
    if (!tryLoad(net, path).empty()) return r;
    CSimulation sim(net);
    sim.setEngine(engine);
    try {
        sim.compile();
        r.compiled = true;
        sim.run(kPhases);
    } catch (const CError& e) {
        r.message = e.message();
    }
    r.stopObject = net.stopObject();
    for (const auto& [id, k] : net.kemmakixes()) r.received[id] = k.received;
    return r;
}

}  // namespace

std::string checkPipeline(std::string_view bytes) {
    const std::string path = writeScratch("net.pol", bytes);
    const RunResult a = run(path, CSimulation::Engine::Incremental);
    if (!a.compiled) return "";
    const RunResult b = run(path, CSimulation::Engine::Reference);
    if (a.message != b.message) return "engines end differently: " + a.message + " / " + b.message;
    if (a.stopObject != b.stopObject) return "engines stop at different objects";
    if (a.received != b.received) return "engines record different words";

    CNet net;
    tryLoad(net, path);
    const std::string out = scratchPath("verilog");
    std::error_code ec;
    std::filesystem::remove_all(out, ec);
    std::filesystem::create_directories(out, ec);
    verilog::VerilogOptions options;
    options.outDir = out;
    options.moduleDir = NOVRA_SOURCE_DIR "/module";
    options.debug = !bytes.empty() && (bytes.back() & 1);
    try {
        verilog::checkNames(net, options.topName);
        net.compileNet();
        verilog::generateVerilog(net, options, [](const std::string&) {});
    } catch (const CError&) {
    }
    std::filesystem::remove_all(out, ec);
    return "";
}

}  // namespace novra::fuzz
