// Phases 4 (pipeline channels), 5 (place joints), 6 (initial marking) and 7 (transition functions).
#include <cctype>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"
#include "verilog/analysis.h"
#include "verilog/net_walk.h"
#include "verilog/textfile.h"

namespace novra::verilog {

namespace {

// The port on which an object sends along an arc, from 1; 0 when it cannot send.
int sendingPort(const CNet& net, int arcId) {
    const int from = net.arcs().at(arcId).fromId;
    switch (net.kindOf(from)) {
        case kTransition: {
            const auto& slots = net.transitions().at(from).outputArcSlots;
            auto s = slots.find(arcId);
            return s == slots.end() ? 0 : s->second + 1;
        }
        case kUhzi:
            return 1;
        default:
            return 0;
    }
}

int receivingPort(const CNet& net, int arcId) {
    const int to = net.arcs().at(arcId).toId;
    switch (net.kindOf(to)) {
        case kTransition: {
            const auto& slots = net.transitions().at(to).inputArcSlots;
            auto s = slots.find(arcId);
            return s == slots.end() ? 0 : s->second + 1;
        }
        case kKemmakix:
            return 1;
        default:
            return 0;
    }
}

void setSlot(std::vector<int>& slots, int port, int conn) {
    if (port >= 1 && port <= static_cast<int>(slots.size())) slots[port - 1] = conn;
}

}  // namespace

void connectPipeline(CNet& net, Hardware& hw, const LogSink& log) {
    log(text(msg::kVerilogConnecting));
    hw.wires.clear();
    int next = 1;
    for (const auto& [id, place] : net.places()) {
        if (hw.joint(id) != 0) continue;
        const int arcIn = onlyArc(net.inArcs(), id);
        const int arcOut = onlyArc(net.outArcs(), id);
        const int sender = net.arcs().at(arcIn).fromId;
        const int receiver = net.arcs().at(arcOut).toId;
        const int sp = sendingPort(net, arcIn);
        if (sp == 0 || !hw.nodes.count(sender)) raise(text(msg::kVerilogPlaceInput));
        const int rp = receivingPort(net, arcOut);
        if (rp == 0 || !hw.nodes.count(receiver)) raise(text(msg::kVerilogPlaceOutput));
        hw.wires[next] = Wire{sender, receiver, sp, rp};
        setSlot(hw.nodes[sender].out, sp, next);
        setSlot(hw.nodes[receiver].in, rp, next);
        ++next;
    }
    hw.nextConnection = next;
}

void connectJoints(CNet& net, Hardware& hw, const LogSink& log) {
    log(text(msg::kVerilogJoints));
    int next = hw.nextConnection;
    for (auto& [id, node] : hw.nodes) {
        if (node.kind != kJointNode) continue;
        int k = 1;
        for (int a : arcsOf(net.inArcs(), id)) {
            const int sender = net.arcs().at(a).fromId;
            const int sp = sendingPort(net, a);
            if (sp == 0 || !hw.nodes.count(sender)) raise(text(msg::kVerilogPlaceInput));
            hw.wires[next] = Wire{sender, id, sp, k};
            setSlot(hw.nodes[sender].out, sp, next);
            setSlot(node.in, k, next);
            ++next;
            ++k;
        }
        k = 1;
        for (int a : arcsOf(net.outArcs(), id)) {
            const int receiver = net.arcs().at(a).toId;
            const int rp = receivingPort(net, a);
            if (rp == 0 || !hw.nodes.count(receiver)) raise(text(msg::kVerilogPlaceOutput));
            hw.wires[next] = Wire{id, receiver, k, rp};
            setSlot(node.out, k, next);
            setSlot(hw.nodes[receiver].in, rp, next);
            ++next;
            ++k;
        }
    }
    hw.nextConnection = next;
}

void markInitialState(CNet& net, Hardware& hw, const LogSink& log) {
    log(text(msg::kVerilogMarking));
    for (auto& [id, stage] : hw.stages) {
        if (stage.owner != id) continue;
        const CTransition& t = net.transitions().at(id);
        bool allBlack = !t.outputPlaces.empty();
        for (const CPlace* p : t.outputPlaces)
            if (!p || p->lastColor != kBlack) allBlack = false;
        stage.initialMarking = allBlack ? 1 : 0;

        // A black token on an output place means the stage has fired: the register that output reads
        // holds the token's value (the black-token rule makes the output a single input variable).
        const auto exprs = outputExpressions(t.canonicalText);
        for (const auto& [arcId, slot] : t.outputArcSlots) {
            auto tok = net.tokens().find(net.arcs().at(arcId).toId);
            if (tok == net.tokens().end() || tok->second.color != kBlack) continue;
            if (slot >= static_cast<int>(exprs.size())) continue;
            const int input = singleInput(exprs[slot]);
            if (input > 0) stage.initialValues[input] = tok->second.value == 1 ? 1 : 0;
        }
    }
}

std::vector<std::string> outputExpressions(const std::string& canonicalText) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < canonicalText.size()) {
        size_t nl = canonicalText.find('\n', start);
        if (nl == std::string::npos) nl = canonicalText.size();
        out.push_back(canonicalText.substr(start, nl - start));
        start = nl + 1;
    }
    return out;
}

int singleInput(const std::string& expr) {
    if (expr.size() < 2 || expr.size() > 3 || expr[0] != 'i') return 0;
    for (size_t i = 1; i < expr.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(expr[i]))) return 0;
    return std::stoi(expr.substr(1));
}

std::string renumberExpression(const std::string& expr, std::map<int, int>& inputMap) {
    inputMap.clear();
    std::string out;
    int count = 0;
    for (size_t i = 0; i < expr.size();) {
        if (expr[i] == 'i' && i + 1 < expr.size() && std::isdigit(static_cast<unsigned char>(expr[i + 1]))) {
            size_t end = i + 1;
            while (end < expr.size() && std::isdigit(static_cast<unsigned char>(expr[end]))) ++end;
            const int n = std::stoi(expr.substr(i + 1, end - i - 1));
            auto [it, fresh] = inputMap.emplace(n, count + 1);
            if (fresh) ++count;
            out += "i" + std::to_string(it->second);
            i = end;
        } else {
            out.push_back(expr[i++]);
        }
    }
    return out;
}

void registerFunctions(CNet& net, Hardware& hw, const LogSink& log) {
    log(text(msg::kVerilogFunctions));
    hw.functions.clear();
    hw.functionList.clear();
    for (auto& [id, stage] : hw.stages) {
        if (stage.owner != id) continue;
        const auto exprs = outputExpressions(net.transitions().at(id).canonicalText);
        stage.functionNumbers.clear();
        stage.inputMaps.clear();
        for (size_t o = 0; o < exprs.size(); ++o) {
            std::map<int, int> inputMap;
            const std::string renumbered = renumberExpression(exprs[o], inputMap);
            auto it = hw.functions.find(renumbered);
            if (it == hw.functions.end()) {
                hw.functionList.push_back(renumbered);
                it = hw.functions.emplace(renumbered, static_cast<int>(hw.functionList.size())).first;
                log(fmt(text(msg::kVerilogFunctionLine).c_str(), renumbered.c_str()));
            }
            stage.functionNumbers[static_cast<int>(o) + 1] = it->second;
            stage.inputMaps[static_cast<int>(o) + 1] = std::move(inputMap);
        }
    }
}

}  // namespace novra::verilog
