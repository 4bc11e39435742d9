// The top module (<top>.v) and its simulation test bench (<top>_sim.v).
#include "common/messages.h"
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

namespace {

std::string wireName(const Hardware& hw, int conn) {
    const Wire& w = hw.wires.at(conn);
    return fmt("w_%d_%d_%d_%d", w.from, w.to, w.fromPort, w.toPort);
}

// Names of a stage's ports by number (index 0 unused).
std::vector<std::string> names(const std::map<std::string, int>& vars, int count) {
    std::vector<std::string> out(static_cast<size_t>(count) + 1);
    for (const auto& [name, n] : vars)
        if (n >= 1 && n <= count) out[static_cast<size_t>(n)] = name;
    return out;
}

std::string channelPorts(const char* side, const std::string& port, const std::string& w) {
    const char* p = port.c_str();
    const char* c = w.c_str();
    if (side[0] == 'i')
        return fmt("\t\t.i_%s__r_i(%s_r), .i_%s_a_o(%s_a), .i_%s_d_i(%s_d),\n", p, c, p, c, p, c);
    return fmt("\t\t.o_%s__r_o(%s_r), .o_%s_a_i(%s_a), .o_%s_d_o(%s_d),\n", p, c, p, c, p, c);
}

bool hasDebugSelect(const Hardware& hw, bool debug) {
    return debug && !hw.selectJoints.empty();
}

// The outputs of the top module: sinks not in mode 3, numbered from 1.
std::vector<int> outputSinks(const CNet& net) {
    std::vector<int> out;
    for (const auto& [id, k] : net.kemmakixes)
        if (k.line != 3) out.push_back(id);
    return out;
}

}  // namespace

std::string topModule(const CNet& net, const Hardware& hw, const std::string& top, bool debug,
                      const std::string& time) {
    const bool dbg = hasDebugSelect(hw, debug);
    const int nIn = static_cast<int>(net.uhzis.size());
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
    for (const auto& [id, u] : net.uhzis) {
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
            const CTransition& t = net.transitions.at(id);
            const auto in = names(t.inputVarNames, t.inputCount);
            const auto out = names(t.outputVarNames, t.outputCount);
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
    for (const auto& [id, sink] : net.kemmakixes) {
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

std::string testBench(const CNet& net, const Hardware& hw, const std::string& top, bool debug,
                      const std::string& time) {
    const char* t = top.c_str();
    std::string b = fmt("//\n// created by NOVRA\n//\tmacro    : %s_sim\n//\tfunction : simulasion "
                        "module\n//\tupdate   : %s//\n",
                        t, time.c_str()) +
                    "\n";
    b += "`timescale 1ps/1ps\n\n" + fmt("module %s_sim;\n", t);
    for (const auto& [id, u] : net.uhzis) b += fmt("\treg\tswu_%d, uadd_%d;\n", id, id);
    for (const auto& [id, k] : net.kemmakixes)
        if (k.line != 3) b += fmt("\treg\tswk_%d;\n", id);
    b += "\treg reset;\n\n";
    for (const auto& [id, u] : net.uhzis)
        b += fmt("\tuhzi\tuhzi_%d(\n", id) + fmt("\t\t.data_out(u_%d_d),\n", id) +
             fmt("\t\t.req_out(u_%d__r),\n", id) + fmt("\t\t.ack_in(u_%d_a),\n", id) +
             fmt("\t\t.switch(swu_%d),\n", id) + fmt("\t\t.adding(uadd_%d),\n", id) +
             "\t\t.reset(reset)\n\t);\n\n";
    for (const auto& [id, k] : net.kemmakixes)
        if (k.line != 3)
            b += fmt("\tkemmakix\tkem_%d(\n", id) + fmt("\t\t.data_in(k_%d_d),\n", id) +
                 fmt("\t\t.req_in(k_%d__r),\n", id) + fmt("\t\t.ack_out(k_%d_a),\n", id) +
                 fmt("\t\t.switch(swk_%d),\n", id) + "\t\t.reset(reset)\n\t);\n\n";
    b += fmt("\t%s\t%s_top(\n", t, t);
    int n = 0;
    for (const auto& [id, u] : net.uhzis) {
        ++n;
        b += fmt("\t\t.i_%d__r_i(u_%d__r), .i_%d_a_o(u_%d_a), .i_%d_d_i(u_%d_d),\n", n, id, n, id, n, id);
    }
    n = 0;
    for (const auto& [id, k] : net.kemmakixes) {
        if (k.line == 3) continue;
        ++n;
        b += fmt("\t\t.o_%d__r_o(k_%d__r), .o_%d_a_i(k_%d_a), .o_%d_d_o(k_%d_d),\n", n, id, n, id, n, id);
    }
    if (hasDebugSelect(hw, debug)) b += "\t\t.debug_select(debug_select),\n";
    b += "\t\t.reset(reset)\n\t);\n\n";

    b += "\tinitial begin\n\t#0\n";
    for (const auto& [id, u] : net.uhzis)
        b += fmt("\t\tswu_%d <= 0;\n", id) + fmt("\t\tuadd_%d <= %d;\n", id, u.addp);
    for (const auto& [id, k] : net.kemmakixes)
        if (k.line != 3) b += fmt("\t\tswk_%d <= 0;\n", id);
    b += "\t\treset <= 1;\n";
    for (const auto& [id, u] : net.uhzis) b += fmt("\t\t$readmemb(\"udata%d.txt\",uhzi_%d.mem);\n", id, id);
    b += "\t#100\n\t\treset <= 0;\n" + fmt("\t#%d\n", 2460) + "\t\treset <= 1;\n\t#100\n";
    for (const auto& [id, u] : net.uhzis) b += fmt("\t\tswu_%d <= 1;\n", id);
    for (const auto& [id, k] : net.kemmakixes)
        if (k.line != 3) b += fmt("\t\tswk_%d <= 1;\n", id);
    b += "\t#100000000\n";
    for (const auto& [id, u] : net.uhzis) b += fmt("\t\tswu_%d = 0;\n", id);
    for (const auto& [id, k] : net.kemmakixes)
        if (k.line == 0 || k.line == 1) b += fmt("\t\t$writememb(\"kdata%d.txt\",kem_%d.mem);\n", id, id);
    b += "\t#10\n\t\t$shm_close();\n\t\t$finish;\n\tend\n\n";

    b += "\tinitial begin\n" + fmt("\t\t$shm_open(\"%s_sim.shm\");\n", t) + "\t\t$shm_probe(\"A\");\n" +
         fmt("\t\t$shm_probe(%s_top, \"A\");\n", t) + "\tend\n";
    if (hasDebugSelect(hw, debug)) {
        b += "\n\n\t//\tSELECT MODULE DEBUG\n\talways @(posedge debug_select) begin\n\t\t$display($time,,,";
        b += "\" select ERROR !!";
        if (nmode() == 1) b += " ('_';";
        b += "\\n\\n\");\n\tend\n";
    }
    return b + "endmodule\n";
}

}  // namespace novra::verilog
