#pragma once
// Co-simulation: does the generated circuit deliver to every sink the bits the net delivers, and does
// every function and guard module compute what the net's evaluator computes?
#include <string>
#include <vector>

#include "model/net.h"
#include "verilog/generator.h"

namespace novra::verilog {

struct SinkResult {
    int id = 0;
    std::string net;      // bits in arrival order over every word: '0', '1', '2' for undefined
    std::string circuit;  // the same from the circuit's kdata<id>.txt
    std::string limit;    // set when the test bench stopped the circuit before it could deliver everything
    std::vector<long> netPhases;  // the phase of the net's run in which the sink absorbed each bit of net
    // Where the bits first differ: the bit's index, the net's phase of it and the circuit's time (ps) of
    // it, each -1 when there is none.
    long firstDifference = -1;
    long netPhase = -1;
    long long circuitTime = -1;
    bool match() const { return limit.empty() && net == circuit; }
};

// One function module (trafunc_<n>) or guard (req_guard of pipe_<id>) checked on its own.
struct FunctionResult {
    std::string module;      // trafunc_<n> or pipe_<id>
    bool guard = false;      // the guard of a stage's control module
    std::string expression;  // the net's text, inputs i1..iN
    int inputs = 0;
    int combinations = 0;    // how many input combinations were compared
    std::string difference;  // the first differing combination ("i1=1 i2=0: net 1 circuit 0"), or empty
    bool match() const { return difference.empty(); }
};

struct CosimReport {
    std::vector<SinkResult> sinks;
    std::vector<FunctionResult> functions;
    bool match() const;
};

// Compiles the net and generates into options.outDir, runs the net itself over every word of every
// source, then runs the test bench under Icarus Verilog with every source streaming all its words and
// compares what each recording sink (modes 0 and 1) received. In the same run every function module and
// guard is driven through all input combinations (4096 random ones beyond 12 inputs) and compared with
// the net's evaluator. Raises on a failed compile, generation or tool run, and when the net's run does
// not end.
// netVcd, when given, receives the net's run as a VCD waveform (CVcdWriter).
CosimReport cosimulate(CNet& net, const VerilogOptions& options, const LogSink& log,
                       const std::string& netVcd = {});

// Compiles and runs the test bench in a generated folder, with extra Verilog files of the caller's. The
// VPI module for $shm_* is taken prebuilt from moduleDir when it is there, else built in the folder from
// its copied source.
void runTestBench(const std::string& dir, const std::string& top, const std::string& moduleDir,
                  const std::vector<std::string>& extraFiles = {});

// The Yosys flow. yosysCellModels() is the path of Yosys's simulation models of its cells (simcells.v),
// empty when Yosys is not installed. synthesise() runs <top>.ys in a generated folder; runSynthesisedBench()
// runs the test bench over the synthesised netlist <top>_syn.v, with the cell models, the behavioural
// delays, C-elements and arbiter, and the caller's extra files. Both raise when a tool is missing or fails.
std::string yosysCellModels();
void synthesise(const std::string& dir, const std::string& top);
void runSynthesisedBench(const std::string& dir, const std::string& top, const std::string& moduleDir,
                         const std::vector<std::string>& extraFiles = {});

// cosimulate() over the netlist that Yosys synthesised from the generated files: every sink against the
// net, and every function module and guard, as synthesised, against the net's evaluator.
CosimReport cosimulateSynthesised(CNet& net, const VerilogOptions& options, const LogSink& log);

// The bits a sink of the circuit received, from kdata<id>.txt.
std::string circuitSinkBits(const std::string& dir, int sinkId);

// The bits each recording sink receives when the compiled net runs over every word of every source, with
// the phase of each; the run's waveform goes to vcdPath when one is given.
std::vector<SinkResult> netSinkBits(CNet& net, const std::string& vcdPath = {});

}  // namespace novra::verilog
