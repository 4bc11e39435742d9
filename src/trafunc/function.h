#pragma once
// Transition functions: the definition part of a transition record and the three stages that turn the
// user's text into evaluator code (normalise, parse, prepare at compile).
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/inline_vector.h"

namespace novra {

// Definition of a transition's function; the net's transition record extends it with connection and
// runtime data.
//
// The fields that compile and the simulation read of every transition come first, so that they share few
// cache lines.
struct CTransitionFunction {
    std::string functionText = "o1=i1;";
    int inputCount = 0;
    int outputCount = 0;
    CInlineVector<int, 4> inputValues;   // one per input variable, 0 when allocated
    CInlineVector<int, 4> outputValues;  // one per output variable, 0 when allocated
    std::string compiledFunction;
    std::optional<std::string> compiledGuard;  // absent when the function has no guard
    std::string normalizedText;
    std::map<std::string, int> inputVarNames;   // name -> number from 1
    std::map<std::string, int> outputVarNames;  // name -> number from 1
    std::string canonicalText;
    std::string guardText;
};

// What stage 3 needs to know of the transition's connections (built by compile).
struct FunctionPorts {
    int inputArcCount = 0;
    int outputArcCount = 0;
    std::vector<bool> inputBound;   // per input slot: a place is bound there
    std::vector<bool> outputBound;  // per output slot: a place is bound there
    std::vector<bool> outputBlack;  // per output slot: the bound place holds a black token now
};

// Stage 1: strips layout and comments, checks statement structure. Raises CError.
std::string normalizeFunction(std::string_view source);
// Stage 2: fills both name maps (cleared first) from a normalised text. Raises CError.
void parseFunction(std::string_view normalized, std::map<std::string, int>& inputVarNames,
                   std::map<std::string, int>& outputVarNames);
// Stages 1 and 2 on functionText into normalizedText and the maps (and the counts).
void refreshFunction(CTransitionFunction& f);
// Stage 3 on the function part; the caller clears the runtime flags and supplies the ports.
void prepareFunction(CTransitionFunction& f, const FunctionPorts& ports);

}  // namespace novra
