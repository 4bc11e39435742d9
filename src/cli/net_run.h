#pragma once
// What the compile and simulate commands share: reading their arguments, loading the net and printing a
// raised message as one line.
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"

namespace novra::cli {

struct NetRunArgs {
    std::string path;
    long maxPhases = 100001;
    std::string vcd;  // simulate --vcd FILE: the waveform's file, empty for none
};

// A raised message on one line; a message that ends in a line feed keeps just that one.
inline void printMessageLine(std::ostream& out, const std::string& message) {
    out << message;
    if (message.empty() || message.back() != '\n') out << '\n';
}

// Parses "NET.pol [--nmode N]" and, when allowPhases, "[--max-phases N] [--vcd FILE]"; sets Nmode. Returns
// 0 or the usage error's status.
inline int parseNetRunArgs(const std::string& command, const Args& args, bool allowPhases, NetRunArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (allowPhases && a == "--vcd") {
            if (i + 1 >= args.size() || args[i + 1].empty()) return usageError(command, "--vcd needs a file");
            out.vcd = args[++i];
        } else if (a == "--nmode" || (allowPhases && a == "--max-phases")) {
            if (i + 1 >= args.size()) return usageError(command, a + " needs a value");
            const std::string& v = args[++i];
            long n = 0;
            if (a == "--nmode") {
                if (!parseIntOption(v, 0, 1, n))
                    return usageError(command, "--nmode takes 0 or 1, not \"" + v + "\"");
                setNmode(static_cast<int>(n));
            } else {
                if (!parseIntOption(v, 1, 1000000000000L, n))
                    return usageError(command, "--max-phases takes a positive number, not \"" + v + "\"");
                out.maxPhases = n;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(command, "unknown option \"" + a + "\"");
        } else if (out.path.empty()) {
            out.path = a;
        } else {
            return usageError(command, "unexpected argument \"" + a + "\"");
        }
    }
    if (out.path.empty()) return usageError(command, "no net file given");
    return 0;
}

// Loads the net; a file that cannot be read is a usage error.
inline int loadNet(const std::string& command, const std::string& path, CNet& net) {
    try {
        fileio::load(net, path);
    } catch (const CError& e) {
        std::string m = e.message();
        while (!m.empty() && (m.back() == '\n' || m.back() == '\r')) m.pop_back();
        return usageError(command, path + ": " + m);
    }
    return 0;
}

}  // namespace novra::cli
