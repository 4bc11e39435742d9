// Placeholder until the verilog command is built.
#include "cli/commands.h"

namespace novra::cli {

int cmdVerilog(const Args&) { return usageError("verilog", "this command is not available yet"); }

}  // namespace novra::cli
