// Placeholder until the cosim command is built.
#include "cli/commands.h"

namespace novra::cli {

int cmdCosim(const Args&) { return usageError("cosim", "this command is not available yet"); }

}  // namespace novra::cli
