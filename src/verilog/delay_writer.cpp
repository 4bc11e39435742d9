// Matched delays, delay.v and delay.data.
#include <algorithm>

#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

namespace {

// Setup of an input register by its clock edge and initial value.
int setupOf(bool loopBack, int initial) {
    if (loopBack) return initial == 1 ? 630 : 580;
    return initial == 1 ? 550 : 530;
}

}  // namespace

std::vector<int> matchedDelays(int id, const CNet& net, const Hardware& hw) {
    const CTransition& t = net.transitions.at(id);
    const Stage& stage = hw.stages.at(id);
    const Node& node = hw.nodes.at(id);
    std::vector<int> delays;
    for (int o = 1; o <= t.outputArcCount; ++o) {
        if (o > t.outputCount) {
            delays.push_back(300);
            continue;
        }
        // Setup: the registers this output really reads.
        int setup = 0;
        if (!stage.reduced) {
            if (auto im = stage.inputMaps.find(o); im != stage.inputMaps.end())
                for (const auto& [n, k] : im->second)
                    setup = std::max(setup, setupOf(Hardware::isLoop(node.in, n), stage.initialValue(n)));
        }
        int set = 280;
        int credit = 420;
        if (Hardware::isLoop(node.out, o)) {
            auto target = stage.loopTargets.find(o);
            set = (target != stage.loopTargets.end() && stage.initialValue(target->second) == 1) ? 250 : 230;
            if (stage.initialMarking == 1) credit = 250;
        } else {
            const Wire& w = hw.wires.at(node.out[static_cast<size_t>(o - 1)]);
            auto rn = hw.nodes.find(w.to);
            if (rn != hw.nodes.end() && rn->second.kind == kStageNode) {
                const Stage& receiver = hw.stages.at(w.to);
                if (receiver.reduced)
                    set = 0;
                else
                    set = receiver.initialValue(w.toPort) == 1 ? 320 : 280;
                if (receiver.initialMarking == 1) credit = 250;
            }
        }
        if (stage.reduced) credit = 0;
        delays.push_back(std::max(0, setup + set - credit));
    }
    return delays;
}

std::string delayModules(int id, const Stage& stage, double delayOverPlus) {
    std::string out = "\n";
    for (size_t i = 0; i < stage.delays.size(); ++i) {
        const int o = static_cast<int>(i) + 1;
        const int scaled = static_cast<int>(static_cast<double>(stage.delays[i]) * (1.0 + delayOverPlus));
        out += fmt("module delay_%d_%d(\n", id, o) + " req_in, req_out\n);\n" + "input\treq_in;\n" +
               "output\treq_out;\n" + fmt("\tassign\t#%d\treq_out = req_in;\n", scaled) + "endmodule\n";
    }
    return out;
}

std::string delayDataLines(int id, const CTransition& t, const Stage& stage) {
    std::string out;
    for (size_t i = 0; i < stage.delays.size(); ++i) {
        const int o = static_cast<int>(i) + 1;
        int fn = 0;
        if (o <= t.outputCount)
            if (auto it = stage.functionNumbers.find(o); it != stage.functionNumbers.end()) fn = it->second;
        out += fmt("%d,%d,%d,%d,%d;\n", id, o, stage.delays[i], 999, fn);
    }
    return out;
}

}  // namespace novra::verilog
