#pragma once
// The Verilog-HDL generator: analyses a compiled net and writes the netlist, the test bench, the data
// files, the synthesis script and the Makefile into one folder.
#include <functional>
#include <string>

#include "model/net.h"

namespace novra::verilog {

struct VerilogOptions {
    std::string outDir;                  // receives every file; must exist
    std::string topName = "testmodule";  // top module, test bench and script name
    std::string moduleDir;               // folder of the support files (module/ beside the executable)
    double delayOverPlus = 0.0;          // margin on every matched delay, -0.5 to 2.0
    bool debug = false;                  // select-conflict detector debug_select
    bool syncOutput = false;             // kept with the net; no file depends on it
};

// Receives every progress line of a run (the editor's message log, the CLI's standard output).
using LogSink = std::function<void(const std::string&)>;

// The folder of support files: "module" beside the running executable (a build, or a program folder of
// its own), else the installed one in "share/novra/module" beside the executable's "bin". When neither
// exists, the one beside the executable, so that a message can name it.
std::string findModuleDir();

// Raises a clear message when the top name or a transition's variable name cannot become a Verilog name
// (it would otherwise break the netlist or place files outside the output folder), and when the top name
// would give a file or module the same name as another one of the output; a bad variable name names its
// transition in the net's stop-object field.
void checkNames(CNet& net, const std::string& topName);

// Generates everything for a net that has just been compiled. A failure raises its message; files
// written before it stay, with out.txt as the marker.
void generateVerilog(CNet& net, const VerilogOptions& options, const LogSink& log);

}  // namespace novra::verilog
