// udata<id>.txt, the synthesis script <top>.dc and the Makefile.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string sourceData(const CUhzi& u) {
    std::string out;
    if (u.addp != 1) return fmt("%d ", u.holdValue);
    // The word the source loads first, in emission order; an unconnected source loads none.
    if (u.placeId == 0 || u.wordCursor >= u.words.size()) return out;
    const std::string& word = u.words[u.wordCursor];
    const size_t n = word.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = u.line == 1 ? word[n - 1 - i] : word[i];
        out += fmt("%d ", c - '0');
    }
    return out;
}

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

std::string makefile(const std::string& top) {
    const char* t = top.c_str();
    const char* lib = "/home/cad/vdec-lib/rohm35/lib/rohm035_EXD/verilog/ROHM035.v";
    std::string m;
    m +=
        fmt("verilog:\n\tverilog %s_sim.v %s.v transition.v pipe.v pjoint.v arbiter.v delay.v trafunc.v "
            "muller_c.v "
            "kemmakixuhzi.v -v %s\n",
            t, t, lib);
    m += "dc:\n\tmake delayadd\n" + fmt("\tdc_shell -f %s.dc | tee %s.dc.log\n", t, t);
    m += fmt("sim:\n\tverilog %s_sim.v %s.vnet kemmakixuhzi.v -v %s\n", t, t, lib);
    m += "delayadd: delayadd.cpp\n\tg++ -o delayadd delayadd.cpp\n";
    m += "c:\n\trm -rf *.rep *.log verilog.log command.log\n";
    // Simulation with free tools: Icarus Verilog, the behavioural flip-flops of cells.v and a VPI module
    // that turns the test bench's $shm_* tasks into a VCD waveform (<top>_sim.vcd).
    m += "icarus:\n\tiverilog-vpi shm_vcd.c\n";
    m +=
        fmt("\tiverilog -o %s_sim.vvp %s_sim.v %s.v transition.v pipe.v pjoint.v arbiter.v delay.v trafunc.v "
            "muller_c.v kemmakixuhzi.v cells.v\n",
            t, t, t);
    m += fmt("\tvvp -M. -mshm_vcd %s_sim.vvp\n", t);
    return m;
}

}  // namespace novra::verilog
