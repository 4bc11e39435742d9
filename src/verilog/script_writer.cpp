// <top>.dc: the synthesis script.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string synthesisScript(const Hardware& hw, const std::string& top) {
    const char* t = top.c_str();
    std::string s = "sh rm trafunc.rep trafunc.vnet delay.vnet\n";
    s += "read -format verilog trafunc.v\n";
    for (int n = 1; n <= static_cast<int>(hw.functionList.size()); ++n) {
        s += fmt("current_design = trafunc_%d\n", n);
        s += "set_wire_load_model -name 1k\n";
        s += "max_area 0\n";
        s += "max_delay 0.0 all_outputs()\n";
        s += "compile -ungroup_all -map_effort high -incremental_mapping\n";
        s += fmt("write -format verilog -output trafunc_%d.vnet\n", n);
        s += fmt("sh cat trafunc_%d.vnet >> trafunc.vnet\n", n);
        s += fmt("sh rm trafunc_%d.vnet\n", n);
        s += "report_timing >> trafunc.rep\n";
    }
    s += "sh ./delayadd\n";
    s += fmt("read -format verilog { %s.v transition.v pipe.v pjoint.v arbiter.v delay.vnet muller_c.v }\n",
             t);
    s += fmt("current_design = %s\n", t);
    s += "set_wire_load_model -name 1k\n";
    s += "max_area 0\n";
    s += "uniquify\n";
    s += "compile -map_effort high -incremental_mapping\n";
    s += fmt("write -format verilog -hierarchy -output %s.vnet %s\n", t, t);
    s += fmt("report_area > %s.rep\n", t);
    s += fmt("report_timing >> %s.rep\n", t);
    return s + "quit\n";
}

}  // namespace novra::verilog
