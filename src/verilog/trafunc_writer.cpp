// trafunc.v: one combinational module per distinct output expression.
#include "verilog/analysis.h"
#include "verilog/expression.h"
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string functionModules(const Hardware& hw) {
    std::string out;
    for (size_t i = 0; i < hw.functionList.size(); ++i) {
        const std::string& expr = hw.functionList[i];
        std::map<int, int> inputs;
        renumberExpression(expr, inputs);
        const int n = static_cast<int>(inputs.size());
        out += "\n" + fmt("module trafunc_%d(\n", static_cast<int>(i) + 1);
        out += list(" i%d,", "", "\n", n) + " data_out\n);\n";
        // A function without any input reference has no input port list to declare.
        if (n > 0) out += "input\t" + list("i%d", ", ", ";\n", n);
        out += "output\tdata_out;\n";
        out += fmt("\tassign\tdata_out = %s;\n", verilogExpression(expr, n).c_str());
        out += "endmodule\n";
    }
    return out;
}

}  // namespace novra::verilog
