// novra-cli cosim: generates the circuit of a net, simulates it under Icarus Verilog and compares what
// every sink received with what the net itself delivers.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"
#include "verilog/cosim.h"

namespace novra::cli {

namespace {

namespace fs = std::filesystem;

struct CosimArgs {
    std::string path;
    std::string top = "testmodule";
    std::string keep;
};

int parse(const Args& args, CosimArgs& out) {
    const char* cmd = "cosim";
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--top" || a == "--keep") && i + 1 >= args.size())
            return usageError(cmd, a + " needs a value");
        if (a == "--top") {
            out.top = args[++i];
        } else if (a == "--keep") {
            out.keep = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(cmd, "unknown option \"" + a + "\"");
        } else if (out.path.empty()) {
            out.path = a;
        } else {
            return usageError(cmd, "unexpected argument \"" + a + "\"");
        }
    }
    if (out.path.empty()) return usageError(cmd, "no net file given");
    return 0;
}

std::string shown(const std::string& bits) {
    return bits.empty() ? "-" : bits;
}

}  // namespace

int cmdCosim(const Args& args) {
    CosimArgs ca;
    if (int status = parse(args, ca)) return status;
    CNet net;
    try {
        fileio::load(net, ca.path);
    } catch (const CError& e) {
        return usageError("cosim", "cannot read " + ca.path + ": " + e.message());
    }
    std::error_code ec;
    if (!ca.keep.empty() && !fs::is_directory(ca.keep, ec)) {
        std::cout << text(msg::kVerilogFolderMissing) << '\n';
        return 1;
    }

    verilog::VerilogOptions options;
    options.topName = ca.top;
    options.moduleDir = verilog::findModuleDir();
    std::string work;
    std::ostringstream log;  // the generator's progress, shown only when something fails
    try {
        verilog::checkNames(net, ca.top);
        if (ca.keep.empty()) {
            std::string pattern = (fs::temp_directory_path(ec) / "novra-cosim-XXXXXX").string();
            if (!mkdtemp(pattern.data())) raise(text(msg::kCosimWorkDir));
            work = pattern;
            options.outDir = work;
        } else {
            // The tools run inside the folder, so every path handed to them or shown is absolute.
            options.outDir = fs::absolute(fs::path(ca.keep) / ca.top).string();
            fs::create_directories(options.outDir, ec);
        }
        const verilog::CosimReport report =
            verilog::cosimulate(net, options, [&](const std::string& line) { log << line; });
        for (const auto& r : report.sinks) {
            std::cout << "sink " << r.id << " net " << shown(r.net) << " circuit " << shown(r.circuit) << ' '
                      << (r.match()         ? "match"
                          : r.limit.empty() ? "mismatch"
                                            : "limit")
                      << " (" << r.net.size() << " bits)";
            if (!r.limit.empty()) std::cout << ' ' << r.limit;
            std::cout << '\n';
        }
        for (const auto& f : report.functions) {
            std::cout << (f.guard ? "guard " : "function ") << f.module << ' ' << f.expression << ' '
                      << (f.match() ? "match" : "mismatch") << " (" << f.combinations << " combinations)";
            if (!f.match()) std::cout << ' ' << f.difference;
            std::cout << '\n';
        }
        if (!work.empty()) fs::remove_all(work, ec);
        return report.match() ? 0 : 1;
    } catch (const CError& e) {
        // The work folder stays when a tool failed, so that the log the message points at can be read.
        if (!work.empty() && e.message().find(work) == std::string::npos) fs::remove_all(work, ec);
        std::cout << log.str();
        std::cout << e.message();
        if (e.message().empty() || e.message().back() != '\n') std::cout << '\n';
        if (net.stopObject() != 0) std::cout << "stop " << net.stopObject() << '\n';
        return 1;
    }
}

}  // namespace novra::cli
