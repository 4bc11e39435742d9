// <top>.dc: the synthesis script for the commercial tool; <top>.ys: the same synthesis with Yosys.
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

std::string yosysScript(const std::string& top) {
    const char* t = top.c_str();
    std::string s =
        fmt("# %s.ys: synthesis with Yosys (make yosys). Writes the synthesised netlist %s_syn.v and the\n",
            t, t);
    s += fmt("# cell report %s_stat.txt.\n", t);
    s += R"(#
# The matched delays are delay lines, which logic synthesis cannot make: delay.v is read as black boxes,
# so that every delay stays an instance, the way real flows keep delay lines as macros. The C-elements
# and the arbiter hold state through feedback that synthesis would turn into latches with a race between
# enable and data; like the delays they stay instances, of the cells in muller_c.v and arbiter.v. The
# hierarchy stays too, so every stage, control and function module keeps its name. Simulate the netlist
# with delay.v, muller_c.v, arbiter.v and Yosys's simcells.v.
)";
    s += "read_verilog -lib delay.v muller_c.v arbiter.v\n";
    s += fmt("read_verilog %s.v transition.v pipe.v pjoint.v trafunc.v cells.v\n", t);
    s += fmt("hierarchy -check -top %s\n", t);
    s += "# As set_dont_touch does in the .dc script, keep holds every function, delay, C-element and "
         "arbiter\n";
    s += "# instance, even one whose output nothing reads; every guard keeps its wire req_guard, so that it "
         "can\n";
    s += "# be checked on its own.\n";
    s += "setattr -set keep 1 t:trafunc_* t:delay_* t:muller_c_* t:arbiter\n";
    s += "setattr -set keep 1 w:req_guard\n";
    s += fmt("synth -top %s\n", t);
    s += "opt_clean -purge\n";
    s += fmt("tee -q -o %s_stat.txt stat\n", t);
    s += fmt("write_verilog -noattr -noexpr %s_syn.v\n", t);
    return s;
}

}  // namespace novra::verilog
