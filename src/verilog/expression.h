#pragma once
// Function and guard expressions as Verilog must read them. The net's evaluator binds "~" > "&" > "|" >
// "^" and drops a "(" that is never closed; Verilog binds "~" > "&" > "^" > "|", reads "^~" as one
// operator (XNOR) and refuses "~~". An expression is written as it stands where both readings agree, and
// otherwise with just the brackets and blanks Verilog needs to compute what the net computes.
#include <string>

namespace novra::verilog {

// One canonical expression (inputs i1..iN, no line feed). Raises the evaluator's message for a text the
// evaluator does not accept.
std::string verilogExpression(const std::string& expr, int inputCount);

}  // namespace novra::verilog
