#pragma once
// What cosim adds to a generated folder before it runs the test bench: data files that stream every word,
// and a module of its own (cosim.v) beside the bench that fits the source and sink memories to the
// streams, reports how far every source and sink got, and drives every function module and guard through
// its input combinations.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/net.h"
#include "verilog/cosim.h"
#include "verilog/hardware.h"

namespace novra::verilog {

// The cosim module's file, and the prefix of every line it prints.
inline constexpr const char* kCosimFile = "cosim.v";
inline constexpr const char* kCosimTag = "novra-cosim";

// udata<id>.txt of a source streaming every word, in emission order (a held value as generated).
std::string sourceStream(const CUhzi& u);

// Writes cosim.v and the combination files it reads into dir. sourceBits and sinkBits give the length of
// each stream as the net runs it; the cell memories are made large enough for them. Returns the functions and
// guards it checks, without results.
std::vector<FunctionResult> writeCosimChecks(const std::string& dir, const std::string& top, const CNet& net,
                                             const Hardware& hw, const std::map<int, size_t>& sourceBits,
                                             const std::map<int, size_t>& sinkBits);

// What the cosim module printed: per source how many bits it had sent a microsecond before the end and at
// the end, per checked module the first difference (or none).
struct CosimOutput {
    std::map<int, std::pair<long, long>> sent;
    std::map<std::string, std::string> firstDifference;  // module -> "<inputs> <circuit bit>"
    std::map<std::string, bool> checked;                 // module -> its check ran to the end
};
CosimOutput readCosimOutput(const std::string& vvpLog);

}  // namespace novra::verilog
