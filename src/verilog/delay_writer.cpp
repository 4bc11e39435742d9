// delay.v: one delay module per output of every stage.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

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

}  // namespace novra::verilog
