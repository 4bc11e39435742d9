// transition.v: the stage modules.
#include <vector>

#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

namespace {

bool ordinary(const std::vector<int>& slots, int port) {
    return !Hardware::isLoop(slots, port);
}

}  // namespace

std::string stageModule(int id, const CTransition& t, const Stage& stage, const Node& node) {
    const StageShape s = stageShape(t, stage);
    const auto inNames = namesByNumber(t.inputVarNames, s.nIn);
    const auto outNames = namesByNumber(t.outputVarNames, s.nOut);
    auto in = [&](int k) { return inNames[static_cast<size_t>(k)].c_str(); };
    auto out = [&](int k) { return outNames[static_cast<size_t>(k)].c_str(); };
    auto inOrd = [&](int k) { return ordinary(node.in, k); };
    auto outOrd = [&](int k) { return ordinary(node.out, k); };

    std::string m = "\n" + fmt("module tran_%d(\n", id);
    for (int k = 1; k <= s.nIn; ++k)
        if (inOrd(k)) m += fmt(" i_%s__r_i, i_%s_a_o, i_%s_d_i,\n", in(k), in(k), in(k));
    for (int k = s.nIn + 1; k <= s.nReq; ++k) m += fmt(" i_%d__r_i, i_%d_a_o, i_%d_d_i,\n", k, k, k);
    for (int k = 1; k <= s.nOut; ++k)
        if (outOrd(k)) m += fmt(" o_%s__r_o, o_%s_a_i, o_%s_d_o,\n", out(k), out(k), out(k));
    for (int k = s.nOut + 1; k <= s.nAck; ++k) m += fmt(" o_%d__r_o, o_%d_a_i, o_%d_d_o,\n", k, k, k);
    m += " reset\n);\n";
    for (int k = 1; k <= s.nIn; ++k)
        if (inOrd(k))
            m += fmt("input\ti_%s__r_i, i_%s_d_i;\n", in(k), in(k)) + fmt("output\ti_%s_a_o;\n", in(k));
    for (int k = s.nIn + 1; k <= s.nReq; ++k)
        m += fmt("input\ti_%d__r_i, i_%d_d_i;\n", k, k) + fmt("output\ti_%d_a_o;\n", k);
    for (int k = 1; k <= s.nOut; ++k)
        if (outOrd(k))
            m += fmt("input\to_%s_a_i;\n", out(k)) + fmt("output\to_%s__r_o, o_%s_d_o;\n", out(k), out(k));
    for (int k = s.nOut + 1; k <= s.nAck; ++k)
        m += fmt("input\to_%d_a_i;\n", k) + fmt("output\to_%d__r_o, o_%d_d_o;\n", k, k);
    m += "input\treset;\n";
    for (int k = 1; k <= s.nIn; ++k)
        if (inOrd(k)) m += fmt("wire\ti_%d__r_i, i_%d_d_i, i_%d_a_o;\n", k, k, k);
    for (int k = 1; k <= s.nAck; ++k) m += fmt("wire\to_%d__r_o, o_%d_d_o, o_%d_a_i;\n", k, k, k);

    m += "\twire\treq;\n";
    if (s.nOut != 0) m += "\twire\t" + list("data_%d", ", ", ";\n", s.nIn);
    bool anySet = false;
    if (!stage.reduced || s.nOut == 0)
        for (int k = 1; k <= s.nIn; ++k) anySet = anySet || stage.initialValue(k) == 1;
    if (anySet) m += "\tsupply1\thi;\n";

    for (int k = 1; k <= s.nIn; ++k)
        if (inOrd(k))
            m += fmt("\tassign\ti_%d__r_i = i_%s__r_i,\n", k, in(k)) +
                 fmt("\t\t\ti_%d_d_i = i_%s_d_i,\n", k, in(k)) +
                 fmt("\t\t\ti_%s_a_o = i_%d_a_o;\n", in(k), k);
    for (int k = 1; k <= s.nOut; ++k)
        if (outOrd(k))
            m += fmt("\tassign\to_%s__r_o = o_%d__r_o,\n", out(k), k) +
                 fmt("\t\t\to_%s_d_o = o_%d_d_o,\n", out(k), k) +
                 fmt("\t\t\to_%d_a_i = o_%s_a_i;\n", k, out(k));
    for (int k = 1; k <= s.nReq; ++k)
        if (inOrd(k)) m += fmt("\tassign\ti_%d_a_o = req;\n", k);

    const bool guarded = !t.guardText.empty();
    if (guarded) {
        m += fmt("//\tガード式\n//\t%s\n", t.guardText.c_str());
        m += fmt("\tpipe_%d pipe(\n", id);
    } else {
        m += fmt("\t%s pipe(\n", genericPipeName(s).c_str());
    }
    int c = 0;
    for (int k = 1; k <= s.nReq; ++k)
        if (inOrd(k)) m += fmt("\t\t.i_%d__r_i(i_%d__r_i),\n", ++c, k);
    if (guarded)
        for (int k = 1; k <= s.nIn; ++k) m += fmt("\t\t.i%d(i_%d_d_i),\n", k, k);
    m += "\t\t.req_out(req),\n";
    for (int k = 1; k <= s.nAck; ++k) m += fmt("\t\t.o_%d_a_i(o_%d_a_i),\n", k, k);
    m += "\t\t.reset(reset)\n\t\t);\n";

    if (stage.reduced && s.nOut != 0) {
        m += "//\tレジスタ削減\n\tassign data_1 = i_1_d_i;\n";
    } else {
        for (int k = 1; k <= s.nIn; ++k) {
            const bool set = stage.initialValue(k) == 1;
            if (!inOrd(k)) m += "//\tループバックレジスタです\n";
            if (inOrd(k))
                m += set ? fmt("\tDFSR\tinbuf_%d_s(\n", k) : fmt("\tDFR\tinbuf_%d_r(\n", k);
            else
                m += set ? fmt("\tDFNSR\tinbuf_%d_s(\n", k) : fmt("\tDFNR\tinbuf_%d_r(\n", k);
            m += inOrd(k) ? "\t\t.C(req),\n" : "\t\t.XC(req),\n";
            m += fmt("\t\t.D(i_%d_d_i),\n", k) + fmt("\t\t.Q(data_%d),\n", k);
            m += set ? fmt("\t\t.XS(reset),\n\t\t.XR(hi),\n\t\t.XQ(w%d)\n\t\t);\n", k)
                     : "\t\t.XR(reset)\n\t\t);\n";
        }
    }

    m += "/* synopsys dc_script_begin\n   set_dont_touch {" + list("delay_%d", ",", "} \n*/\n", s.nAck);
    if (s.nOut != 0)
        m += "/* synopsys dc_script_begin\n   set_dont_touch {" + list("func_%d", ",", "} \n*/\n", s.nOut);
    auto delayInstance = [&](int o) {
        return fmt("\tdelay_%d_%d\tdelay_%d(\n", id, o, o) + "\t\t.req_in(req),\n" +
               fmt("\t\t.req_out(o_%d__r_o)\n", o) + "\t\t);\n";
    };
    for (int o = 1; o <= s.nOut; ++o) {
        m += delayInstance(o);
        auto fn = stage.functionNumbers.find(o);
        m += fmt("\ttrafunc_%d\tfunc_%d(\n", fn == stage.functionNumbers.end() ? 0 : fn->second, o);
        if (auto im = stage.inputMaps.find(o); im != stage.inputMaps.end())
            for (const auto& [n, k] : im->second) m += fmt("\t\t.i%d(data_%d),\n", k, n);
        m += fmt("\t\t.data_out(o_%d_d_o)\n\t\t);\n", o);
        if (!outOrd(o)) {
            auto target = stage.loopTargets.find(o);
            m += fmt("\tassign o_%d_a_i = o_%d__r_o;\n", o, o);
            m += fmt("\tassign i_%d_d_i = o_%d_d_o;\n",
                     target == stage.loopTargets.end() ? 0 : target->second, o);
        }
    }
    for (int o = s.nOut + 1; o <= s.nAck; ++o)
        m += "//\tこのreqはデータパスを伴いません\n" + delayInstance(o);
    return m + "endmodule\n";
}

}  // namespace novra::verilog
