#pragma once
// The commands of novra-cli; each takes the arguments after its name and returns the exit status.
#include <string>
#include <vector>

namespace novra::cli {

using Args = std::vector<std::string>;

int cmdCompile(const Args& args);
int cmdSimulate(const Args& args);
int cmdSave(const Args& args);
int cmdVerilog(const Args& args);
int cmdCosim(const Args& args);
int cmdExport(const Args& args);

// Exit status for usage errors and unreadable files.
inline constexpr int kUsageError = 2;

// Prints a usage error for the command on stderr and returns kUsageError.
int usageError(const std::string& command, const std::string& problem);

// Reads a decimal int option value in [min, max]; false when the text is not such a number.
bool parseIntOption(const std::string& text, long min, long max, long& value);

}  // namespace novra::cli
