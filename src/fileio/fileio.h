#pragma once
// Net files on disk: the one entry for reading and the one for writing.
#include <string>

#include "model/net.h"

namespace novra::fileio {

// Reads a net file (either version) into the net, replacing its content, or attaches an event file's
// tables to the net as it is. The first line decides which. Raises the reader's message; a net file that
// fails leaves the net with what was read, so callers that must keep theirs read into a fresh net.
void load(CNet& net, const std::string& path);

// Writes the net in the current format, atomically: the file is replaced only once it is whole. An object
// with ID 0 cannot be written and is deleted from the net first.
void save(CNet& net, const std::string& path);

// The bytes save() writes, for callers that write them elsewhere or later.
std::string format(const CNet& net);

}  // namespace novra::fileio
