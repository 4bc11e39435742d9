// What the writers share: file headers, variable names by number, the shape of a stage.
#include <vector>

#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string fileHeader(const char* macro, const char* function, const std::string& time) {
    return fmt("//\n// created by NOVRA\n//\tmacro    : %s\n//\tfunction : %s\n//\tupdate   : %s//\n", macro,
               function, time.c_str());
}

std::vector<std::string> namesByNumber(const std::map<std::string, int>& vars, int count) {
    std::vector<std::string> out(static_cast<size_t>(count) + 1);
    for (const auto& [name, n] : vars)
        if (n >= 1 && n <= count) out[static_cast<size_t>(n)] = name;
    return out;
}

StageShape stageShape(const CTransition& t, const Stage& s) {
    return StageShape{t.inputCount,     t.outputCount, t.inputArcCount,
                      t.outputArcCount, s.loopCount,   s.initialMarking ? 's' : 'r'};
}

std::string pipeHeader(const std::string& time) {
    return fileHeader("pipe", "control pipes", time);
}
std::string transitionHeader(const std::string& time) {
    return fileHeader("transition", "transition modules", time);
}
std::string delayHeader(const std::string& time) {
    return fileHeader("delay", "setup + set + function delay", time);
}
std::string trafuncHeader(const std::string& time) {
    return fileHeader("trafunc", "transition function", time) + "\n";
}
std::string pjointHeader(const std::string& time) {
    return fileHeader("place joint", "select & conflict arbiter module", time) + "\n\n";
}

bool debugSelectPresent(const Hardware& hw, bool debug) {
    return debug && !hw.selectJoints.empty();
}

std::string wireName(const Hardware& hw, int conn) {
    const Wire& w = hw.wires.at(conn);
    return fmt("w_%d_%d_%d_%d", w.from, w.to, w.fromPort, w.toPort);
}

}  // namespace novra::verilog
