// Placeholder until the compile command is built.
#include "cli/commands.h"

namespace novra::cli {

int cmdCompile(const Args&) { return usageError("compile", "this command is not available yet"); }

}  // namespace novra::cli
