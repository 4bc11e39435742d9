// Phases 1 (object registration), 2 (feedback loops) and 3 (register reduction).
#include "verilog/analysis.h"

#include <algorithm>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"
#include "verilog/net_walk.h"
#include "verilog/textfile.h"

namespace novra::verilog {

void registerObjects(CNet& net, Hardware& hw, const LogSink& log) {
    log(text(msg::kVerilogRegistering));
    hw = Hardware{};
    for (const auto& [id, object] : net.objects()) {
        switch (object.kind) {
            case kPlace: {
                const int nIn = static_cast<int>(net.inArcs().count(id));
                const int nOut = static_cast<int>(net.outArcs().count(id));
                if (nIn == 0 || nOut == 0) {
                    net.setStopObject(id);
                    raise(text(msg::kVerilogPlaceArcs));
                }
                if (nIn == 1 && nOut == 1) {
                    hw.jointField[id] = 0;
                } else {
                    hw.jointField[id] = id;
                    hw.nodes[id] = Node{kJointNode, std::vector<int>(nIn, 0), std::vector<int>(nOut, 0)};
                    if (nOut >= 2) hw.selectJoints.insert(id);
                }
                break;
            }
            case kTransition: {
                auto t = net.transitions().find(id);
                if (t == net.transitions().end()) break;
                hw.nodes[id] = Node{kStageNode, std::vector<int>(t->second.inputArcCount, 0),
                                    std::vector<int>(t->second.outputArcCount, 0)};
                hw.stages[id].owner = id;
                break;
            }
            case kUhzi:
                hw.nodes[id] = Node{kSourceNode, {}, {0}};
                break;
            case kKemmakix:
                hw.nodes[id] = Node{kSinkNode, {0}, {}};
                break;
            default:
                break;
        }
    }
    log(fmt(text(msg::kVerilogInputOutput).c_str(), static_cast<int>(net.uhzis().size()),
            static_cast<int>(net.kemmakixes().size())));
}

namespace {

// An identity stage that a loop may absorb: one arc in, one arc out, o1=i1, not absorbed yet.
bool isIdentityStage(const CNet& net, const Hardware& hw, int id) {
    auto t = net.transitions().find(id);
    auto s = hw.stages.find(id);
    return t != net.transitions().end() && s != hw.stages.end() && s->second.owner == id &&
           t->second.inputArcCount == 1 && t->second.outputArcCount == 1 && t->second.canonicalText == "i1\n";
}

bool isBlackToken(const CNet& net, int placeId) {
    auto tok = net.tokens().find(placeId);
    return tok != net.tokens().end() && tok->second.color == kBlack;
}

// A folded loop's register takes the next value when the stage's request falls, so every output that reads
// it changes its data while its request is still high. Registers downstream latch on the rising request
// and never see that; a guard reads its data as it is and would let a second branch take the token.
bool foldShowsToAGuard(const CNet& net, int t0, int loopInput) {
    const CTransition& t = net.transitions().at(t0);
    const auto exprs = outputExpressions(t.canonicalText);
    for (const auto& [arcId, slot] : t.outputArcSlots) {
        if (slot >= static_cast<int>(exprs.size())) continue;
        std::map<int, int> inputs;
        renumberExpression(exprs[static_cast<size_t>(slot)], inputs);
        if (!inputs.count(loopInput)) continue;
        for (int a : arcsOf(net.outArcs(), net.arcs().at(arcId).toId)) {
            auto r = net.transitions().find(net.arcs().at(a).toId);
            if (r != net.transitions().end() && !r->second.guardText.empty()) return true;
        }
    }
    return false;
}

}  // namespace

void foldFeedbackLoops(CNet& net, Hardware& hw, const LogSink& log) {
    log(text(msg::kVerilogLoopSearch));
    for (auto& [t0, stage] : hw.stages) {
        if (stage.owner != t0) continue;
        const CTransition& T0 = net.transitions().at(t0);
        if (T0.inputArcCount < 2 || T0.outputArcCount < 2) continue;
        for (int a1 : arcsOf(net.outArcs(), t0)) {
            const int p1 = net.arcs().at(a1).toId;
            if (!isPlainPlace(net, hw, p1)) continue;
            const int t1 = net.arcs().at(onlyArc(net.outArcs(), p1)).toId;
            if (!isIdentityStage(net, hw, t1)) continue;
            const int p2 = net.arcs().at(onlyArc(net.outArcs(), t1)).toId;
            if (!isPlainPlace(net, hw, p2)) continue;
            const int t2 = net.arcs().at(onlyArc(net.outArcs(), p2)).toId;
            if (!isIdentityStage(net, hw, t2)) continue;
            const int p3 = net.arcs().at(onlyArc(net.outArcs(), t2)).toId;
            if (!isPlainPlace(net, hw, p3) || !isBlackToken(net, p3)) continue;
            const int a6 = onlyArc(net.outArcs(), p3);
            if (net.arcs().at(a6).toId != t0) continue;
            const int outSlot = T0.outputArcSlots.at(a1);
            const int inSlot = T0.inputArcSlots.at(a6);
            // A loop through request-only ports carries no data to keep in a register.
            if (outSlot >= T0.outputCount || inSlot >= T0.inputCount) continue;
            if (foldShowsToAGuard(net, t0, inSlot + 1)) continue;
            // The stage's request comes from its ordinary inputs only; without one it would never fire.
            // The last loop then stays a ring of ordinary stages.
            if (stage.loopCount + 1 >= T0.inputArcCount) continue;

            log(fmt(text(msg::kVerilogLoopFound).c_str(), t0, p1, t1, p2, t2, p3));
            hw.jointField[p1] = hw.jointField[p2] = hw.jointField[p3] = t0;
            hw.stages[t1].owner = t0;
            hw.stages[t2].owner = t0;
            hw.nodes.erase(t1);
            hw.nodes.erase(t2);
            stage.loopCount += 1;
            hw.nodes[t0].out[outSlot] = 0;
            hw.nodes[t0].in[inSlot] = 0;
            stage.loopTargets[outSlot + 1] = inSlot + 1;
            stage.initialValues[inSlot + 1] = net.tokens().at(p3).value == 1 ? 1 : 0;
        }
    }
}

void reduceRegisters(CNet& net, Hardware& hw, const LogSink& log) {
    log(text(msg::kVerilogChainSearch));
    auto singleStage = [&](int id) {
        auto t = net.transitions().find(id);
        return t != net.transitions().end() && t->second.inputArcCount == 1 && t->second.outputArcCount == 1;
    };
    // A loop-back register takes its next value when its stage's request falls, which may come before the
    // stage after next has taken the output; a stage without register between them would pass the change
    // on. So the data on a place must come from registers that hold until the next firing.
    auto heldUntilNextFiring = [&](int place) {
        const int arc = onlyArc(net.inArcs(), place);
        const int from = net.arcs().at(arc).fromId;
        auto stage = hw.stages.find(from);
        if (stage == hw.stages.end() || stage->second.loopTargets.empty()) return true;
        const CTransition& t = net.transitions().at(from);
        const auto exprs = outputExpressions(t.canonicalText);
        const size_t slot = static_cast<size_t>(t.outputArcSlots.at(arc));
        if (slot >= exprs.size()) return true;
        std::map<int, int> reads;
        renumberExpression(exprs[slot], reads);
        return std::none_of(stage->second.loopTargets.begin(), stage->second.loopTargets.end(),
                            [&](const auto& target) { return reads.count(target.second) != 0; });
    };

    std::set<int> anchors;
    for (const auto& [id, k] : net.kemmakixes())
        if (k.placeId != 0) anchors.insert(k.placeId);
    for (const auto& [id, t] : net.transitions()) {
        if (t.inputArcCount < 2 || hw.stages[id].owner != id) continue;
        for (int a : arcsOf(net.inArcs(), id))
            if (isPlainPlace(net, hw, net.arcs().at(a).fromId)) anchors.insert(net.arcs().at(a).fromId);
    }
    anchors.insert(hw.selectJoints.begin(), hw.selectJoints.end());

    // A ring of single stages leads back to an anchor already walked; walking it again changes nothing.
    std::set<int> walked;
    while (!anchors.empty()) {
        std::set<int> next;
        for (int p : anchors) {
            if (!walked.insert(p).second) continue;
            for (int a : arcsOf(net.inArcs(), p)) {
                const int t = net.arcs().at(a).fromId;
                if (!singleStage(t)) continue;
                const int p1 = net.arcs().at(onlyArc(net.inArcs(), t)).fromId;
                if (!isPlainPlace(net, hw, p1)) continue;
                const int u = net.arcs().at(onlyArc(net.inArcs(), p1)).fromId;
                if (!singleStage(u)) continue;
                const int p2 = net.arcs().at(onlyArc(net.inArcs(), u)).fromId;
                if (!isPlainPlace(net, hw, p2)) continue;
                if (isBlackToken(net, p1) || !heldUntilNextFiring(p2)) {
                    next.insert(p1);
                } else {
                    log(fmt(text(msg::kVerilogReduced).c_str(), u));
                    hw.stages[u].reduced = true;
                    next.insert(p2);
                }
            }
        }
        anchors = std::move(next);
    }
    for (auto& [id, t] : net.transitions()) t.gen.registerReduced = hw.stages[id].reduced;
}

void analyze(CNet& net, Hardware& hw, const LogSink& log) {
    registerObjects(net, hw, log);
    foldFeedbackLoops(net, hw, log);
    reduceRegisters(net, hw, log);
    connectPipeline(net, hw, log);
    connectJoints(net, hw, log);
    markInitialState(net, hw, log);
    registerFunctions(net, hw, log);
}

}  // namespace novra::verilog
