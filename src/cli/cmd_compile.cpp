// novra-cli compile: the log of the editor's Compile command.
#include <exception>
#include <iostream>

#include "cli/net_run.h"

namespace novra::cli {

int cmdCompile(const Args& args) {
    NetRunArgs opts;
    if (int status = parseNetRunArgs("compile", args, false, opts)) return status;
    CNet net;
    if (int status = loadNet("compile", opts.path, net)) return status;
    std::cout << text(msg::kCompiling) << '\n';
    std::cout << format(msg::kPrimitiveCount, static_cast<int>(net.objects().size())) << '\n';
    try {
        net.compileNet();
    } catch (const CError& e) {
        printMessageLine(std::cout, e.message());
        if (net.stopObject() != 0 && net.kindOf(net.stopObject()) != 0)
            std::cout << "stop " << net.stopObject() << '\n';
        return 1;
    } catch (const std::exception& e) {
        printMessageLine(std::cout, e.what());
        return 1;
    }
    std::cout << text(msg::kCompileOk) << '\n';
    return 0;
}

}  // namespace novra::cli
