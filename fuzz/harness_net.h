#pragma once
// Net helpers shared by the file and pipeline checks.
#include <string>
#include <string_view>

#include "model/net.h"

namespace novra::fuzz {

// Writes bytes to a scratch file and returns its path.
std::string writeScratch(const std::string& name, std::string_view bytes);
std::string readScratch(const std::string& path);

// Loads a file into the net; returns the raised message or "".
std::string tryLoad(CNet& net, const std::string& path);

// The invariants every reader leaves behind, even after a failure: "" or the first one broken.
std::string netProblems(const CNet& net);

}  // namespace novra::fuzz
