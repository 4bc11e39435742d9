// novra-cli save: reads a net file of any supported version and writes it as version 2.00.
#include "cli/commands.h"
#include "common/error.h"
#include "fileio/fileio.h"
#include "model/net.h"

namespace novra::cli {

int cmdSave(const Args& args) {
    if (args.size() != 2) return usageError("save", "expects NET.pol OUT.pol");
    const std::string& in = args[0];
    const std::string& out = args[1];
    CNet net;
    try {
        fileio::load(net, in);
    } catch (const CError& e) {
        return usageError("save", in + ": " + e.message());
    }
    try {
        fileio::save(net, out);
    } catch (const CError& e) {
        return usageError("save", e.message());
    }
    return 0;
}

}  // namespace novra::cli
