// Placeholder until the simulate command is built.
#include "cli/commands.h"

namespace novra::cli {

int cmdSimulate(const Args&) { return usageError("simulate", "this command is not available yet"); }

}  // namespace novra::cli
