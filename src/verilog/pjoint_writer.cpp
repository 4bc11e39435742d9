// pjoint.v: place joints with their arbiter tournaments.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

namespace {

std::string tournament(int n) {
    std::string out =
        fmt("\t/*\t%d入力競合合流のため、アービタ数%dによりトーナメント合流が行われる*/\n", n, n - 1);
    for (int k = 1; k <= n; ++k) {
        out += fmt("\twire tnm_1_%d_r,tnm_1_%d_a,tnm_1_%d_d;\n", k, k, k);
        out += fmt("\tassign\ttnm_1_%d_r = i_%d__r_i,\n", k, k);
        out += fmt("\t\ti_%d_a_o = tnm_1_%d_a,\n", k, k);
        out += fmt("\t\ttnm_1_%d_d = i_%d_d_i;\n", k, k);
    }
    int level = 1;
    int count = n;
    while (count > 1) {
        const int pairs = count / 2;
        for (int m = 1; m <= pairs; ++m) {
            const int j = 2 * m - 1;
            const int L = level;
            out += fmt("/* synopsys dc_script_begin\n   set_dont_touch {arb_%d_%d}\n*/\n", L, j);
            out += fmt("\tarbiter\tarb_%d_%d(\n", L, j);
            out += fmt("\t\t.i_1__r_i(tnm_%d_%d_r), .i_1_a_o(tnm_%d_%d_a), .i_1_d_i(tnm_%d_%d_d),\n", L, j, L,
                       j, L, j);
            out += fmt("\t\t.i_2__r_i(tnm_%d_%d_r), .i_2_a_o(tnm_%d_%d_a), .i_2_d_i(tnm_%d_%d_d),\n", L,
                       j + 1, L, j + 1, L, j + 1);
            out += fmt("\t\t.o_1__r_o(tnm_%d_%d_r), .o_1_a_i(tnm_%d_%d_a), .o_1_d_o(tnm_%d_%d_d),\n", L + 1,
                       m, L + 1, m, L + 1, m);
            out += "\t\t.reset(reset));\n";
        }
        if (count % 2 == 1) {
            const int up = pairs + 1;
            out += fmt("\twire tnm_%d_%d_r,tnm_%d_%d_a,tnm_%d_%d_d;\n", level + 1, up, level + 1, up,
                       level + 1, up);
            out += fmt("\tassign\ttnm_%d_%d_r = tnm_%d_%d_r,\n", level + 1, up, level, count);
            out += fmt("\t\ttnm_%d_%d_a = tnm_%d_%d_a,\n", level, count, level + 1, up);
            out += fmt("\t\ttnm_%d_%d_d = tnm_%d_%d_d;\n", level + 1, up, level, count);
        }
        count = pairs + count % 2;
        ++level;
    }
    out += fmt("\tassign\treq_in = tnm_%d_1_r,\n", level);
    out += fmt("\t\tdata_in = tnm_%d_1_d,\n", level);
    out += fmt("\t\ttnm_%d_1_a = ack_in;\n", level);
    return out;
}

}  // namespace

std::string placeJoints(const Hardware& hw) {
    std::string out;
    for (const auto& [id, node] : hw.nodes) {
        if (node.kind != kJointNode) continue;
        const int nIn = static_cast<int>(node.in.size());
        const int nOut = static_cast<int>(node.out.size());
        out += fmt("module pjoint_%d(\n", id);
        for (int k = 1; k <= nIn; ++k) out += fmt("\ti_%d__r_i, i_%d_a_o, i_%d_d_i,\n", k, k, k);
        for (int k = 1; k <= nOut; ++k) out += fmt("\to_%d__r_o, o_%d_a_i, o_%d_d_o,\n", k, k, k);
        out += "\treset\n\t);\n\n";
        for (int k = 1; k <= nIn; ++k)
            out += fmt("input\ti_%d__r_i, i_%d_d_i;\n", k, k) + fmt("output\ti_%d_a_o;\n", k);
        for (int k = 1; k <= nOut; ++k)
            out += fmt("input\to_%d_a_i;\n", k) + fmt("output\to_%d__r_o, o_%d_d_o;\n", k, k);
        out += "input\treset;\n\n";
        out += "\twire req_in,data_in,ack_in;\n";
        if (nIn < 2)
            out += "\tassign\treq_in = i_1__r_i,\n\t\tdata_in = i_1_d_i,\n\t\ti_1_a_o = ack_in;\n";
        else
            out += tournament(nIn);
        for (int k = 1; k <= nOut; ++k)
            out += fmt("\tassign\to_%d__r_o = req_in,\n", k) + fmt("\t\to_%d_d_o = data_in;\n", k);
        if (nOut >= 2) out += "\t/*\t選択分岐なので全ての出力先からのackを通過させる*/\n";
        out += "\tassign ack_in = " + list("o_%d_a_i", " | ", ";\n", nOut);
        out += "endmodule\n";
    }
    return out;
}

}  // namespace novra::verilog
