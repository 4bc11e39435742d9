// novra-cli simulate: compile, the unanimated run, then what every recording sink received.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/net_run.h"
#include "sim/simulation.h"
#include "sim/vcd_writer.h"

namespace novra::cli {

namespace {

void printSinks(const CNet& net) {
    for (const auto& [id, k] : net.kemmakixes()) {
        if (k.line != 0 && k.line != 1) continue;
        std::cout << "sink " << id;
        for (const std::string& w : k.received) std::cout << ' ' << w;
        std::cout << '\n';
    }
}

// The waveform goes to FILE.part and replaces FILE only once it is complete.
std::string partFile(const std::string& path) {
    return path + ".part";
}

// Whether the waveform's file can be written, tried before anything runs; a usage error when not.
int checkVcdPath(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return usageError("simulate", "--vcd " + path + ": is a folder");
    std::FILE* f = std::fopen(partFile(path).c_str(), "wb");
    if (f == nullptr) return usageError("simulate", "--vcd " + path + ": " + text(msg::kVcdCannotWrite));
    std::fclose(f);
    std::remove(partFile(path).c_str());
    return 0;
}

}  // namespace

int cmdSimulate(const Args& args) {
    NetRunArgs opts;
    if (int status = parseNetRunArgs("simulate", args, true, opts)) return status;
    CNet net;
    if (int status = loadNet("simulate", opts.path, net)) return status;
    if (!opts.vcd.empty())
        if (int status = checkVcdPath(opts.vcd)) return status;
    std::string final;
    bool compiled = false;
    std::unique_ptr<CVcdWriter> vcd;
    std::string vcdError;
    try {
        CSimulation sim(net);
        sim.compile();
        compiled = true;
        if (!opts.vcd.empty()) {
            try {
                vcd = std::make_unique<CVcdWriter>(net, partFile(opts.vcd));
                sim.setObserver(vcd.get());
            } catch (const CError& e) {
                vcdError = e.message();  // the run and its report go on without a waveform
            }
        }
        sim.run(opts.maxPhases);
    } catch (const CError& e) {
        final = e.message();
    } catch (const std::exception& e) {
        final = e.what();
    }
    // The waveform holds every phase performed, however the run ended.
    if (vcd) {
        try {
            vcd->finish();
            if (std::rename(partFile(opts.vcd).c_str(), opts.vcd.c_str()) != 0)
                raise(text(msg::kVcdCannotWrite));
        } catch (const CError& e) {
            vcdError = e.message();
        }
        if (!vcdError.empty()) std::remove(partFile(opts.vcd).c_str());
    }
    if (compiled) printSinks(net);
    printMessageLine(std::cout, final);
    if (net.stopObject() != 0) std::cout << "stop " << net.stopObject() << '\n';
    if (!vcdError.empty()) return usageError("simulate", "--vcd " + opts.vcd + ": " + vcdError);
    return compiled && final == text(msg::kSimulationEnded) ? 0 : 1;
}

}  // namespace novra::cli
