// novra-cli verilog: the editor's Verilog output from the command line.
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/commands.h"
#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"
#include "verilog/generator.h"

namespace novra::cli {

namespace {

struct VerilogArgs {
    std::string path;
    std::string outDir;
    verilog::VerilogOptions options;
};

bool parseDouble(const std::string& text, double min, double max, double& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !(v >= min && v <= max)) return false;
    value = v;
    return true;
}

int parse(const Args& args, VerilogArgs& out) {
    const char* cmd = "verilog";
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--out" || a == "--top" || a == "--delay-over-plus" || a == "--nmode";
        if (takesValue && i + 1 >= args.size()) return usageError(cmd, a + " needs a value");
        if (a == "--out") {
            out.outDir = args[++i];
        } else if (a == "--top") {
            out.options.topName = args[++i];
        } else if (a == "--delay-over-plus") {
            const std::string& v = args[++i];
            if (!parseDouble(v, -0.5, 2.0, out.options.delayOverPlus))
                return usageError(cmd,
                                  "--delay-over-plus takes a number from -0.5 to 2.0, not \"" + v + "\"");
        } else if (a == "--nmode") {
            const std::string& v = args[++i];
            long n = 0;
            if (!parseIntOption(v, 0, 1, n))
                return usageError(cmd, "--nmode takes 0 or 1, not \"" + v + "\"");
            setNmode(static_cast<int>(n));
        } else if (a == "--debug") {
            out.options.debug = true;
        } else if (a == "--sync") {
            out.options.syncOutput = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(cmd, "unknown option \"" + a + "\"");
        } else if (out.path.empty()) {
            out.path = a;
        } else {
            return usageError(cmd, "unexpected argument \"" + a + "\"");
        }
    }
    if (out.path.empty()) return usageError(cmd, "no net file given");
    if (out.outDir.empty()) return usageError(cmd, "--out DIR is required");
    return 0;
}

void printFailure(const CNet& net, const std::string& message) {
    std::cout << message;
    if (message.empty() || message.back() != '\n') std::cout << '\n';
    if (net.stopObject() != 0) std::cout << "stop " << net.stopObject() << '\n';
}

}  // namespace

int cmdVerilog(const Args& args) {
    VerilogArgs va;
    if (int status = parse(args, va)) return status;
    CNet net;
    try {
        fileio::load(net, va.path);
    } catch (const CError& e) {
        return usageError("verilog", "cannot read " + va.path + ": " + e.message());
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(va.outDir, ec)) {
        std::cout << text(msg::kVerilogFolderMissing) << '\n';
        return 1;
    }
    try {
        // The top name becomes a folder name: it is checked before anything is created.
        verilog::checkNames(net, va.options.topName);
        net.compileNet();
        va.options.outDir = (std::filesystem::path(va.outDir) / va.options.topName).string();
        std::filesystem::create_directories(va.options.outDir, ec);
        va.options.moduleDir = verilog::findModuleDir();
        verilog::generateVerilog(net, va.options, [](const std::string& line) { std::cout << line; });
    } catch (const CError& e) {
        printFailure(net, e.message());
        return 1;
    }
    std::cout << text(msg::kVerilogDone) << '\n';
    return 0;
}

}  // namespace novra::cli
