#pragma once
// The writers of the generated files. Each returns the text of one file (or of one stage's part of it);
// the generator decides where and in which order the texts go.
#include <map>
#include <string>
#include <vector>

#include "model/net.h"
#include "verilog/hardware.h"

namespace novra::verilog {

// Port counts of one stage.
struct StageShape {
    int nIn = 0;    // input variables
    int nOut = 0;   // output variables
    int nReq = 0;   // input arcs
    int nAck = 0;   // output arcs
    int nLoop = 0;  // loop-back inputs
    char variant = 'r';
};
StageShape stageShape(const CTransition& t, const Stage& s);

// "//", "// created by NOVRA", macro, function and time lines; time in asctime form with its newline.
std::string fileHeader(const char* macro, const char* function, const std::string& time);
// Variable names by number from 1 (index 0 unused).
std::vector<std::string> namesByNumber(const std::map<std::string, int>& vars, int count);
// The channel wire name w_<from>_<to>_<fromPort>_<toPort> of a connection.
std::string wireName(const Hardware& hw, int conn);
// The select-conflict detector is wired when asked for and a select branch exists.
bool debugSelectPresent(const Hardware& hw, bool debug);

// The four file headers that carry the time stamp (asctime form, with its newline).
std::string pipeHeader(const std::string& time);
std::string transitionHeader(const std::string& time);
std::string delayHeader(const std::string& time);
std::string trafuncHeader(const std::string& time);
std::string pjointHeader(const std::string& time);

// C-element tree over n requests (request side) or n acknowledges.
std::string cElementTree(int n, bool requestSide, char variant);
// The generic control module pipe_<in>_<ack>_<variant>.
std::string genericPipe(const StageShape& s);
// The control module pipe_<id> of a guarded stage.
std::string guardedPipe(int id, const CTransition& t, const StageShape& s);
// The name of the generic pipe a stage without guard instantiates.
std::string genericPipeName(const StageShape& s);
// The stage module tran_<id>.
std::string stageModule(int id, const CTransition& t, const Stage& stage, const Node& node);

// Matched delay of each output arc of a stage, in picoseconds.
std::vector<int> matchedDelays(int id, const CNet& net, const Hardware& hw);
// The delay modules of a stage (delay.v); the first line of delay.data and a stage's lines of it.
std::string delayModules(int id, const Stage& stage, double delayOverPlus);
std::string delayDataHead(int functionCount, double delayOverPlus);
std::string delayDataLines(int id, const CTransition& t, const Stage& stage);

// pjoint.v after its header, trafunc.v after its header.
std::string placeJoints(const Hardware& hw);
std::string functionModules(const Hardware& hw);

// The top module and its test bench.
std::string topModule(const CNet& net, const Hardware& hw, const std::string& top, bool debug,
                      const std::string& time);
std::string testBench(const CNet& net, const Hardware& hw, const std::string& top, bool debug,
                      const std::string& time);

// Text of udata<id>.txt for one source, the synthesis script and the Makefile.
std::string sourceData(const CUhzi& u);
std::string synthesisScript(const Hardware& hw, const std::string& top);
// The Yosys script <top>.ys: the netlist mapped to Yosys's own cells, the delays and C-elements kept.
std::string yosysScript(const std::string& top);
std::string makefile(const std::string& top);

}  // namespace novra::verilog
