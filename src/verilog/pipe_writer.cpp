// pipe.v: the control modules, trees of Muller C-elements.
#include "verilog/expression.h"
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string cElementTree(int n, bool req, char v) {
    if (n < 2) return req ? "\tassign\treq = i_1__r_i;\n" : "\tassign\tack = o_1_a_i;\n";
    const char* sfx = req ? "r" : "a";
    std::string out;
    for (int k = 1; k <= n; ++k) {
        out += fmt("\twire tnm_1_%d_%s;\n", k, sfx);
        out += req ? fmt("\tassign tnm_1_%d_r = i_%d__r_i;\n", k, k)
                   : fmt("\tassign tnm_1_%d_a = o_%d_a_i;\n", k, k);
    }
    int level = 1;
    int count = n;
    while (count > 1) {
        const int pairs = count / 2;
        for (int m = 1; m <= pairs; ++m) {
            const int j = 2 * m - 1;
            const char* inst = req ? "_r" : "";
            out += fmt("/* synopsys dc_script_begin\n   set_dont_touch {mc_%d_%d%s}\n*/\n", level, j, inst);
            out += fmt("\tmuller_c_%c\tmc_%d_%d%s(\n", v, level, j, inst);
            out += fmt("\t\t.a(tnm_%d_%d_%s),\n", level, j, sfx);
            out += fmt("\t\t.b(tnm_%d_%d_%s),\n", level, j + 1, sfx);
            out += fmt("\t\t.q(tnm_%d_%d_%s),\n", level + 1, m, sfx);
            out += "\t\t.reset(reset));\n";
        }
        if (count % 2 == 1) {
            out += fmt("\twire tnm_%d_%d_%s;\n", level + 1, pairs + 1, sfx);
            out +=
                fmt("\tassign tnm_%d_%d_%s = tnm_%d_%d_%s;\n", level + 1, pairs + 1, sfx, level, count, sfx);
        }
        count = pairs + count % 2;
        ++level;
    }
    return out + fmt("\tassign %s = tnm_%d_1_%s;\n", req ? "req" : "ack", level, sfx);
}

std::string genericPipeName(const StageShape& s) {
    return fmt("pipe_%d_%d_%c", s.nReq - s.nLoop, s.nAck, s.variant);
}

std::string genericPipe(const StageShape& s) {
    const int nr = s.nReq - s.nLoop;
    std::string out = "\n\n" + fmt("module %s(\n", genericPipeName(s).c_str());
    out += list("i_%d__r_i,", " ", "\n", nr) + "req_out,\n" + list("o_%d_a_i,", " ", "\n", s.nAck) +
           "reset\n);\n";
    out += "input\t" + list("i_%d__r_i", ", ", ";\n", nr) + "output\treq_out;\n";
    out += "input\t" + list("o_%d_a_i", ", ", ";\n", s.nAck) + "input\treset;\n";
    out += "\twire\treq, ack;\n" + cElementTree(nr, true, s.variant) + cElementTree(s.nAck, false, s.variant);
    out += "/* synopsys dc_script_begin\n   set_dont_touch mc \n*/\n";
    out += fmt("\tmuller_c_%c\tmc(.a(req), .b(~ack), .q(req_out), .reset(reset));\n", s.variant);
    return out + "endmodule\n";
}

std::string guardedPipe(int id, const CTransition& t, const StageShape& s) {
    const int nr = s.nReq - s.nLoop;
    std::string out = "\n\n" + fmt("module pipe_%d(\n", id);
    out += list("i_%d__r_i,", " ", "\n", nr) + list("i%d,", " ", "\n", s.nIn) + "req_out,\n" +
           list("o_%d_a_i,", " ", "\n", s.nAck) + "reset\n);\n";
    out += "input\t" + list("i_%d__r_i", ", ", ";\n", nr);
    out += "input\t" + list("i%d", ", ", ";\n", s.nIn);
    out += "output\treq_out;\n";
    out += "input\t" + list("o_%d_a_i", ", ", ";\n", s.nAck) + "input\treset;\n";
    out += "\twire\treq, ack, req_guard;\n" + cElementTree(nr, true, s.variant);
    std::string guard = t.guardText;
    if (!guard.empty() && guard.back() == '\n') guard.pop_back();
    out += fmt("\tassign\treq_guard = %s;\n", verilogExpression(guard, s.nIn).c_str());
    out += cElementTree(s.nAck, false, s.variant);
    out += "/* synopsys dc_script_begin\n   set_dont_touch smc \n*/\n";
    out += fmt("\tmuller_c_%c\tsmc(.a(req & req_guard), .b(~ack), .q(req_out), .reset(reset));\n", s.variant);
    return out + "endmodule\n";
}

}  // namespace novra::verilog
