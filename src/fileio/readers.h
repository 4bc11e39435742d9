#pragma once
// The readers behind fileio::load; each takes the whole file, already decoded to UTF-8.
#include <string_view>

#include "model/net.h"

namespace novra::fileio {

inline constexpr std::string_view kHeader200 = "=== NOVRA Objects Data Ver.2.00 ===";
inline constexpr std::string_view kHeader105 = "=== NOVRA Objects Data Ver.1.05 ===";
inline constexpr std::string_view kEventHeader = "state machine";

// Replace the net by the file's content. On failure the net keeps what was read, minus any record the
// file never gave a view entry, and the message is raised.
void readVersion200(CNet& net, std::string_view text);
void readVersion105(CNet& net, std::string_view text);
// Attaches event tables to the objects of the net as it is.
void readEventFile(CNet& net, std::string_view text);

}  // namespace novra::fileio
