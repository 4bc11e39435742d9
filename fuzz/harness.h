#pragma once
// The checks behind every fuzz target. Each takes one input and returns "" when everything held, or what
// went wrong; a crash, a leak, a sanitizer report or an escaping exception of another type is a fault too.
// The fuzz targets abort on a non-empty answer; the regression tests replay saved inputs through the same
// functions, so a finding stays fixed without the fuzzing toolchain.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace novra::fuzz {

// The bytes as a net file through fileio::load (any of the three kinds). A net that loads must stay
// consistent, save, load again from what was saved, and save to the same bytes a second time. An event
// file is also read onto a loaded net.
std::string checkNetFile(std::string_view bytes);

// The bytes as a transition function text: normalise, parse, prepare with every port bound, run.
std::string checkFunctionText(std::string_view bytes);

// The first byte picks an input count (above 99 too), the rest is evaluator text: translate and run the
// code; the same bytes are also run as code directly, as if translate had produced them.
std::string checkEvaluator(std::string_view bytes);

// The bytes as a net file: load, compile, a bounded unanimated run on both engines (which must agree), a
// second compile and the Verilog output into a scratch folder.
std::string checkPipeline(std::string_view bytes);

// The one place the scratch files of this process live; removed at exit.
std::string scratchPath(const std::string& name);

}  // namespace novra::fuzz
