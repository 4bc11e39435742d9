// Matched delays: setup of the registers an output reads, set time of the receiving register, minus the
// handshake credit.
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
    const CTransition& t = net.transitions().at(id);
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

}  // namespace novra::verilog
