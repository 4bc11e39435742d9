// Writes the file-format example nets into a folder: make_file_examples DIR.
#include <cstdio>
#include <filesystem>

#include "common/error.h"
#include "fileio/example_nets.h"
#include "fileio/fileio.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_file_examples DIR\n");
        return 2;
    }
    for (const novra::test::FileExample& ex : novra::test::fileExamples()) {
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
