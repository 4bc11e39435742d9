// Placeholder until the save command is built.
#include "cli/commands.h"

namespace novra::cli {

int cmdSave(const Args&) { return usageError("save", "this command is not available yet"); }

}  // namespace novra::cli
