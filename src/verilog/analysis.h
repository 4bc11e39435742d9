#pragma once
// Analysis of a compiled net before any Verilog is written. The phases run in the order of analyze();
// each is a separate entry point so that tests can drive them one by one.
#include <functional>
#include <string>

#include "model/net.h"
#include "verilog/hardware.h"

namespace novra::verilog {

using LogSink = std::function<void(const std::string&)>;

void registerObjects(CNet& net, Hardware& hw, const LogSink& log);    // phase 1
void foldFeedbackLoops(CNet& net, Hardware& hw, const LogSink& log);  // phase 2
void reduceRegisters(CNet& net, Hardware& hw, const LogSink& log);    // phase 3
void connectPipeline(CNet& net, Hardware& hw, const LogSink& log);    // phase 4
void connectJoints(CNet& net, Hardware& hw, const LogSink& log);      // phase 5
void markInitialState(CNet& net, Hardware& hw, const LogSink& log);   // phase 6
void registerFunctions(CNet& net, Hardware& hw, const LogSink& log);  // phase 7

// Phases 1 to 7 in order.
void analyze(CNet& net, Hardware& hw, const LogSink& log);

// Splits a canonical expression into the renumbered expression of its function module and the map from
// the transition's input number to the module's input number ("i3&i1" -> "i1&i2", {3:1, 1:2}).
std::string renumberExpression(const std::string& expr, std::map<int, int>& inputMap);

// The expressions of a transition's canonical text, one per output.
std::vector<std::string> outputExpressions(const std::string& canonicalText);

// The input number an expression consisting of one input variable names ("i3" -> 3), else 0.
int singleInput(const std::string& expr);

}  // namespace novra::verilog
