// <top>_sim.v: the test bench between source and sink cells.
#include "common/messages.h"
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string testBench(const CNet& net, const Hardware& hw, const std::string& top, bool debug,
                      const std::string& time) {
    const char* t = top.c_str();
    std::string b = fmt("//\n// created by NOVRA\n//\tmacro    : %s_sim\n//\tfunction : simulasion "
                        "module\n//\tupdate   : %s//\n",
                        t, time.c_str()) +
                    "\n";
    b += "`timescale 1ps/1ps\n\n" + fmt("module %s_sim;\n", t);
    for (const auto& [id, u] : net.uhzis()) b += fmt("\treg\tswu_%d, uadd_%d;\n", id, id);
    for (const auto& [id, k] : net.kemmakixes())
        if (k.line != 3) b += fmt("\treg\tswk_%d;\n", id);
    b += "\treg reset;\n\n";
    for (const auto& [id, u] : net.uhzis())
        b += fmt("\tuhzi\tuhzi_%d(\n", id) + fmt("\t\t.data_out(u_%d_d),\n", id) +
             fmt("\t\t.req_out(u_%d__r),\n", id) + fmt("\t\t.ack_in(u_%d_a),\n", id) +
             fmt("\t\t.switch(swu_%d),\n", id) + fmt("\t\t.adding(uadd_%d),\n", id) +
             "\t\t.reset(reset)\n\t);\n\n";
    for (const auto& [id, k] : net.kemmakixes())
        if (k.line != 3)
            b += fmt("\tkemmakix\tkem_%d(\n", id) + fmt("\t\t.data_in(k_%d_d),\n", id) +
                 fmt("\t\t.req_in(k_%d__r),\n", id) + fmt("\t\t.ack_out(k_%d_a),\n", id) +
                 fmt("\t\t.switch(swk_%d),\n", id) + "\t\t.reset(reset)\n\t);\n\n";
    b += fmt("\t%s\t%s_top(\n", t, t);
    int n = 0;
    for (const auto& [id, u] : net.uhzis()) {
        ++n;
        b += fmt("\t\t.i_%d__r_i(u_%d__r), .i_%d_a_o(u_%d_a), .i_%d_d_i(u_%d_d),\n", n, id, n, id, n, id);
    }
    n = 0;
    for (const auto& [id, k] : net.kemmakixes()) {
        if (k.line == 3) continue;
        ++n;
        b += fmt("\t\t.o_%d__r_o(k_%d__r), .o_%d_a_i(k_%d_a), .o_%d_d_o(k_%d_d),\n", n, id, n, id, n, id);
    }
    if (debugSelectPresent(hw, debug)) b += "\t\t.debug_select(debug_select),\n";
    b += "\t\t.reset(reset)\n\t);\n\n";

    b += "\tinitial begin\n\t#0\n";
    for (const auto& [id, u] : net.uhzis())
        b += fmt("\t\tswu_%d <= 0;\n", id) + fmt("\t\tuadd_%d <= %d;\n", id, u.addp);
    for (const auto& [id, k] : net.kemmakixes())
        if (k.line != 3) b += fmt("\t\tswk_%d <= 0;\n", id);
    b += "\t\treset <= 1;\n";
    for (const auto& [id, u] : net.uhzis()) b += fmt("\t\t$readmemb(\"udata%d.txt\",uhzi_%d.mem);\n", id, id);
    b += "\t#100\n\t\treset <= 0;\n" + fmt("\t#%d\n", 2460) + "\t\treset <= 1;\n\t#100\n";
    for (const auto& [id, u] : net.uhzis()) b += fmt("\t\tswu_%d <= 1;\n", id);
    for (const auto& [id, k] : net.kemmakixes())
        if (k.line != 3) b += fmt("\t\tswk_%d <= 1;\n", id);
    b += "\t#100000000\n";
    for (const auto& [id, u] : net.uhzis()) b += fmt("\t\tswu_%d = 0;\n", id);
    for (const auto& [id, k] : net.kemmakixes())
        if (k.line == 0 || k.line == 1) b += fmt("\t\t$writememb(\"kdata%d.txt\",kem_%d.mem);\n", id, id);
    b += "\t#10\n\t\t$shm_close();\n\t\t$finish;\n\tend\n\n";

    b += "\tinitial begin\n" + fmt("\t\t$shm_open(\"%s_sim.shm\");\n", t) + "\t\t$shm_probe(\"A\");\n" +
         fmt("\t\t$shm_probe(%s_top, \"A\");\n", t) + "\tend\n";
    if (debugSelectPresent(hw, debug)) {
        b += "\n\n\t//\tSELECT MODULE DEBUG\n\talways @(posedge debug_select) begin\n\t\t$display($time,,,";
        b += "\" select ERROR !!";
        if (nmode() == 1) b += " ('_';";
        b += "\\n\\n\");\n\tend\n";
    }
    return b + "endmodule\n";
}

}  // namespace novra::verilog
