// novra-cli: the headless face of the core (compile, simulate, save, verilog, cosim, export).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/heap_policy.h"
#include "common/messages.h"
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

using novra::cli::Args;

// The commands: the usage line (after "novra-cli ") and what `novra-cli help COMMAND` says of each option.
struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
    const char* help;
};

const Command kCommands[] = {
    {"compile", novra::cli::cmdCompile, "compile  NET.pol [--nmode N]",
     "Compiles the net and prints the lines the editor's Compile logs, or the fault's message and\n"
     "\"stop <id>\" naming the object at fault. Exit 0, or 1 on a fault.\n"
     "  --nmode N          0 the standard wording (default), 1 the playful one\n"},
    {"simulate", novra::cli::cmdSimulate, "simulate NET.pol [--max-phases N] [--nmode N] [--vcd FILE]",
     "Compiles and runs the net without animation; prints what each recording sink received, the final\n"
     "message and \"stop <id>\". Exit 0 when the run reached its end, else 1.\n"
     "  --max-phases N     phases before the run stops with the run-limit message (default 100001)\n"
     "  --nmode N          0 the standard wording (default), 1 the playful one\n"
     "  --vcd FILE         also writes the run as a VCD waveform, one time step per phase\n"},
    {"save", novra::cli::cmdSave, "save     NET.pol OUT.pol",
     "Reads a net file of any supported version and writes it in the current version (2.00).\n"},
    {"verilog", novra::cli::cmdVerilog,
     "verilog  NET.pol --out DIR [--top NAME] [--delay-over-plus X] [--debug] [--sync] [--nmode N]",
     "Compiles the net and writes its circuit into DIR/NAME: the netlist, the test bench, the support\n"
     "cells, the synthesis scripts and a Makefile, as the editor's Verilog output does.\n"
     "  --out DIR          an existing folder (required)\n"
     "  --top NAME         the top module and the folder's name (default testmodule)\n"
     "  --delay-over-plus X  the margin of the matched delays, from -0.5 to 2.0\n"
     "  --debug            adds the detector of conflicting selects\n"
     "  --sync             the synchronous-output setting the editor keeps with the net\n"
     "  --nmode N          0 the standard wording (default), 1 the playful one\n"},
    {"cosim", novra::cli::cmdCosim, "cosim    NET.pol [--top NAME] [--keep DIR] [--vcd FILE] [--wave FILE.gtkw]",
     "Generates the circuit, runs its test bench under Icarus Verilog and compares every sink's bits and\n"
     "every function and guard with the net. Exit 0 only when everything matches.\n"
     "  --top NAME         the top module (default testmodule)\n"
     "  --keep DIR         generates into DIR/NAME and keeps it (default: a temporary folder)\n"
     "  --vcd FILE         keeps the circuit's VCD waveform\n"
     "  --wave FILE.gtkw   a GTKWave file showing each sink of the net beside its circuit signals\n"},
    {"export", novra::cli::cmdExport, "export   NET.pol OUT.(svg|pdf|png) [--scale S]",
     "Draws the whole net as the editor does, in the default colours, into a picture whose format the\n"
     "extension names: SVG and PDF keep texts as text, PNG is a bitmap. No display is needed.\n"
     "  --scale S          the PNG's size against the screen's, from 0.1 to 10 (default 1)\n"},
};

void printUsage(std::ostream& out) {
    out << "usage:\n";
    for (const Command& c : kCommands) out << "  novra-cli " << c.usage << "\n";
    out << "  novra-cli help COMMAND\n  novra-cli --version\n";
    out << "--lang ja|en before or after any command: the language of the messages (default ja)\n";
}

const Command* find(const std::string& name) {
    for (const Command& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

// Takes "--lang CODE" out of the arguments, wherever it stands, and switches the messages to that language;
// false after a usage error.
bool takeLanguage(std::vector<std::string>& words) {
    for (auto it = words.begin(); it != words.end();) {
        if (*it != "--lang") {
            ++it;
            continue;
        }
        if (it + 1 == words.end()) {
            std::cerr << "novra-cli: --lang needs a value: ja or en\n";
            return false;
        }
        const auto lang = novra::languageFromCode(it[1]);
        if (!lang) {
            std::cerr << "novra-cli: --lang takes ja or en, not \"" << it[1] << "\"\n";
            return false;
        }
        novra::setLanguage(*lang);
        it = words.erase(it, it + 2);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace novra::cli;
    novra::keepFreedMemoryForReuse();
    std::vector<std::string> words(argv + 1, argv + argc);
    if (!takeLanguage(words)) return kUsageError;
    if (words.empty()) {
        printUsage(std::cerr);
        return kUsageError;
    }
    const std::string command = words[0];
    Args args(words.begin() + 1, words.end());
    if (const Command* c = find(command)) return c->run(args);
    if (command == "--version") {
        std::cout << "novra-cli " << novra::version() << "\n";
        return 0;
    }
    if (command == "help" && !args.empty()) {
        if (args.size() > 1) return usageError("help", "takes one command name");
        const Command* c = find(args[0]);
        if (!c) return usageError("help", "no command \"" + args[0] + "\"");
        std::cout << "usage: novra-cli " << c->usage << "\n\n" << c->help;
        return 0;
    }
    if (command == "--help" || command == "-h" || (command == "help" && args.empty())) {
        printUsage(std::cout);
        return 0;
    }
    std::cerr << "novra-cli: unknown command \"" << command << "\"\n";
    printUsage(std::cerr);
    return kUsageError;
}
