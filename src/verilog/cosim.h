#pragma once
// Co-simulation: does the generated circuit deliver to every sink the bits the net delivers?
#include <string>
#include <vector>

#include "model/net.h"
#include "verilog/generator.h"

namespace novra::verilog {

struct SinkResult {
    int id = 0;
    std::string net;      // bits in arrival order: '0', '1', '2' for undefined
    std::string circuit;  // the same from the circuit's kdata<id>.txt
    bool match() const { return net == circuit; }
};

// Compiles the net and generates into options.outDir, runs the net itself on the first word of every
// source (the word the test bench feeds), runs the test bench under Icarus Verilog and compares what each
// recording sink (modes 0 and 1) received. Raises on a failed compile, generation or tool run,
// and when the net's run does not end.
std::vector<SinkResult> cosimulate(CNet& net, const VerilogOptions& options, const LogSink& log);

// Compiles and runs the test bench in a generated folder. The VPI module for $shm_* is taken prebuilt
// from moduleDir when it is there, else built in the folder from its copied source.
void runTestBench(const std::string& dir, const std::string& top, const std::string& moduleDir);

// The bits a sink of the circuit received, from kdata<id>.txt.
std::string circuitSinkBits(const std::string& dir, int sinkId);

// The bits each recording sink receives when the compiled net runs on the first word of every source.
std::vector<SinkResult> netSinkBits(CNet& net);

}  // namespace novra::verilog
