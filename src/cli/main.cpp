// novra-cli: the headless face of the core (compile, simulate, save, verilog, cosim).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "cli/commands.h"
#include "common/heap_policy.h"
#include "common/version.h"

namespace novra::cli {

int usageError(const std::string& command, const std::string& problem) {
    std::cerr << "novra-cli " << command << ": " << problem << "\n";
    return kUsageError;
}

bool parseIntOption(const std::string& text, long min, long max, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || v < min || v > max) return false;
    value = v;
    return true;
}

}  // namespace novra::cli

namespace {

const char* kUsage =
    "usage:\n"
    "  novra-cli compile  NET.pol [--nmode N]\n"
    "  novra-cli simulate NET.pol [--max-phases N] [--nmode N] [--vcd FILE]\n"
    "  novra-cli save     NET.pol OUT.pol\n"
    "  novra-cli verilog  NET.pol --out DIR [--top NAME] [--delay-over-plus X] [--debug] [--sync] [--nmode N]\n"
    "  novra-cli cosim    NET.pol [--top NAME] [--keep DIR] [--vcd FILE] [--wave FILE.gtkw]\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace novra::cli;
    novra::keepFreedMemoryForReuse();
    if (argc < 2) {
        std::cerr << kUsage;
        return kUsageError;
    }
    const std::string command = argv[1];
    Args args(argv + 2, argv + argc);
    if (command == "compile") return cmdCompile(args);
    if (command == "simulate") return cmdSimulate(args);
    if (command == "save") return cmdSave(args);
    if (command == "verilog") return cmdVerilog(args);
    if (command == "cosim") return cmdCosim(args);
    if (command == "--version") {
        std::cout << "novra-cli " << novra::version() << "\n";
        return 0;
    }
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << "novra-cli: unknown command \"" << command << "\"\n" << kUsage;
    return kUsageError;
}
