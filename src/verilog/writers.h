#pragma once
// The writers of the generated files. Each returns the text of one file (or of one stage's part of it);
// the generator decides where and in which order the texts go.
#include <string>

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
// The delay modules of a stage (delay.v) and its lines of delay.data.
std::string delayModules(int id, const Stage& stage, double delayOverPlus);
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
std::string makefile(const std::string& top);

}  // namespace novra::verilog
