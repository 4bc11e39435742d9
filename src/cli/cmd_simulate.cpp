// novra-cli simulate: compile, the unanimated run, then what every recording sink received.
#include <exception>
#include <iostream>

#include "cli/net_run.h"
#include "sim/simulation.h"

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

}  // namespace

int cmdSimulate(const Args& args) {
    NetRunArgs opts;
    if (int status = parseNetRunArgs("simulate", args, true, opts)) return status;
    CNet net;
    if (int status = loadNet("simulate", opts.path, net)) return status;
    std::string final;
    bool compiled = false;
    try {
        CSimulation sim(net);
        sim.compile();
        compiled = true;
        sim.run(opts.maxPhases);
    } catch (const CError& e) {
        final = e.message();
    } catch (const std::exception& e) {
        final = e.what();
    }
    if (compiled) printSinks(net);
    printMessageLine(std::cout, final);
    if (net.stopObject() != 0) std::cout << "stop " << net.stopObject() << '\n';
    return compiled && final == text(msg::kSimulationEnded) ? 0 : 1;
}

}  // namespace novra::cli
