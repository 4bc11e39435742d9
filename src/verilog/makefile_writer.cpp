// Makefile: simulation, synthesis and the post-processor, plus simulation and synthesis with free tools.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

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
    // Synthesis with Yosys: <top>_syn.v and the cell report <top>_stat.txt, the log in <top>.ys.log.
    m += fmt("yosys:\n\tyosys -q -l %s.ys.log %s.ys\n", t, t);
    return m;
}

}  // namespace novra::verilog
