// <top>.v: the top module that wires stages and place joints through the channel wires.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

namespace {

std::string channelPorts(const char* side, const std::string& port, const std::string& w) {
    const char* p = port.c_str();
    const char* c = w.c_str();
    if (side[0] == 'i')
        return fmt("\t\t.i_%s__r_i(%s_r), .i_%s_a_o(%s_a), .i_%s_d_i(%s_d),\n", p, c, p, c, p, c);
    return fmt("\t\t.o_%s__r_o(%s_r), .o_%s_a_i(%s_a), .o_%s_d_o(%s_d),\n", p, c, p, c, p, c);
}

// The outputs of the top module: sinks not in mode 3, numbered from 1.
std::vector<int> outputSinks(const CNet& net) {
    std::vector<int> out;
    for (const auto& [id, k] : net.kemmakixes())
        if (k.line != 3) out.push_back(id);
    return out;
}

}  // namespace

std::string topModule(const CNet& net, const Hardware& hw, const std::string& top, bool debug,
                      const std::string& time) {
    const bool dbg = debugSelectPresent(hw, debug);
    const int nIn = static_cast<int>(net.uhzis().size());
    const int nOut = static_cast<int>(outputSinks(net).size());
    std::string m =
        fmt("//\n// created by NOVRA\n//\tmacro    : %s\n//\tfunction : top module\n//\tupdate   : %s//\n",
            top.c_str(), time.c_str()) +
        "\n\n";
    m += fmt("module %s(\n", top.c_str());
    for (int k = 1; k <= nIn; ++k) m += fmt("\ti_%d__r_i, i_%d_a_o, i_%d_d_i,\n", k, k, k);
    for (int k = 1; k <= nOut; ++k) m += fmt("\to_%d__r_o, o_%d_a_i, o_%d_d_o,\n", k, k, k);
    if (dbg) m += "\tdebug_select,\n";
    m += "\treset\n\t);\n\n";
    for (int k = 1; k <= nIn; ++k)
        m += fmt("input\ti_%d__r_i, i_%d_d_i;\n", k, k) + fmt("output\ti_%d_a_o;\n", k);
    for (int k = 1; k <= nOut; ++k)
        m += fmt("input\to_%d_a_i;\n", k) + fmt("output\to_%d__r_o, o_%d_d_o;\n", k, k);
    if (dbg) m += "output\tdebug_select;\n";
    m += "input\treset;\n\n";
    for (const auto& [conn, w] : hw.wires) {
        const std::string n = wireName(hw, conn);
        m += fmt("\twire\t%s_r, %s_a, %s_d;\n", n.c_str(), n.c_str(), n.c_str());
    }
    int k = 0;
    for (const auto& [id, u] : net.uhzis()) {
        ++k;
        auto node = hw.nodes.find(id);
        // An unconnected source has no channel: its port stays open.
        if (node == hw.nodes.end() || node->second.out.empty() || node->second.out[0] == 0) continue;
        const std::string w = wireName(hw, node->second.out[0]);
        m += fmt("\tassign\t%s_r = i_%d__r_i,\n", w.c_str(), k) +
             fmt("\t\ti_%d_a_o = %s_a,\n", k, w.c_str()) + fmt("\t\t%s_d = i_%d_d_i;\n", w.c_str(), k);
    }
    for (const auto& [id, node] : hw.nodes) {
        if (node.kind == kStageNode) {
            const CTransition& t = net.transitions().at(id);
            const auto in = namesByNumber(t.inputVarNames, t.inputCount);
            const auto out = namesByNumber(t.outputVarNames, t.outputCount);
            m += fmt("\ttran_%d\ttran_%d(\n", id, id);
            for (int p = 1; p <= static_cast<int>(node.in.size()); ++p) {
                if (Hardware::isLoop(node.in, p)) continue;
                const std::string port = p <= t.inputCount ? in[static_cast<size_t>(p)] : std::to_string(p);
                m += channelPorts("i", port, wireName(hw, node.in[static_cast<size_t>(p - 1)]));
            }
            for (int p = 1; p <= static_cast<int>(node.out.size()); ++p) {
                if (Hardware::isLoop(node.out, p)) continue;
                const std::string port = p <= t.outputCount ? out[static_cast<size_t>(p)] : std::to_string(p);
                m += channelPorts("o", port, wireName(hw, node.out[static_cast<size_t>(p - 1)]));
            }
            m += "\t\t.reset(reset)\n\t);\n";
        } else if (node.kind == kJointNode) {
            m += fmt("\tpjoint_%d\tpjoint_%d(\n", id, id);
            for (size_t p = 0; p < node.in.size(); ++p)
                m += channelPorts("i", std::to_string(p + 1), wireName(hw, node.in[p]));
            for (size_t p = 0; p < node.out.size(); ++p)
                m += channelPorts("o", std::to_string(p + 1), wireName(hw, node.out[p]));
            m += "\t\t.reset(reset)\n\t);\n";
            if (debug && node.out.size() >= 2) {
                m += fmt("\t//\tSELECT MODULE DEBUG\n\twire debug_select_%d;\n", id);
                m += fmt("\tassign debug_select_%d = ", id);
                for (size_t p = 0; p < node.out.size(); ++p)
                    m += (p ? " & " : "") + wireName(hw, node.out[p]) + "_a";
                m += ";\n";
            }
        }
    }
    k = 0;
    for (const auto& [id, sink] : net.kemmakixes()) {
        auto node = hw.nodes.find(id);
        const bool connected = node != hw.nodes.end() && !node->second.in.empty() && node->second.in[0] != 0;
        const std::string w = connected ? wireName(hw, node->second.in[0]) : std::string();
        if (sink.line == 3) {
            if (connected) m += fmt("\tassign\t%s_a = 1'b0;\n", w.c_str());
            continue;
        }
        ++k;
        if (!connected) continue;
        m += fmt("\tassign\to_%d__r_o = %s_r,\n", k, w.c_str()) +
             fmt("\t\t%s_a = o_%d_a_i,\n", w.c_str(), k) + fmt("\t\to_%d_d_o = %s_d;\n", k, w.c_str());
    }
    if (dbg) {
        m += "\t//\tSELECT MODULE DEBUG\n\tassign debug_select = ";
        size_t i = 0;
        for (int j : hw.selectJoints) m += (i++ ? "| " : "") + fmt("debug_select_%d ", j);
        m += ";\n";
    }
    return m + "endmodule\n";
}

}  // namespace novra::verilog
