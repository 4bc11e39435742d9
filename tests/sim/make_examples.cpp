// Writes the example nets into a folder: make_examples <dir>.
#include <cstdio>
#include <filesystem>

#include "common/error.h"
#include "example_nets.h"
#include "fileio/fileio.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_examples DIR\n");
        return 2;
    }
    for (const novra::testing::ExampleNet& ex : novra::testing::exampleNets()) {
        novra::CNet net;
        ex.build(net);
        const std::string path = (std::filesystem::path(argv[1]) / ex.file).string();
        try {
            novra::fileio::save(net, path);
        } catch (const novra::CError& e) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
