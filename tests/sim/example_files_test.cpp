#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "example_check.h"
#include "example_nets.h"
#include "fileio/fileio.h"

using namespace novra;
using namespace novra::testing;

namespace {

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(ExampleFiles, EveryExampleFileSimulatesToItsExpectedWords) {
    const std::filesystem::path dir = std::filesystem::path(NOVRA_SOURCE_DIR) / "examples";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".pol") continue;
        ++files;
        CNet net;
        ASSERT_EQ(raisedBy([&] { fileio::load(net, entry.path().string()); }), "") << entry.path();
        expectRunsToItsExpectedWords(net, entry.path().filename().string());
    }
    EXPECT_GE(files, static_cast<int>(exampleNets().size()));
}

TEST(ExampleFiles, TheCommittedFilesAreWhatTheGeneratorWrites) {
    const std::filesystem::path tmp =
        std::filesystem::temp_directory_path() / ("novra-example-check-" + std::to_string(getpid()) + ".pol");
    for (const ExampleNet& ex : exampleNets()) {
        CNet built;
        ex.build(built);
        fileio::save(built, tmp.string());
        EXPECT_EQ(slurp(tmp), slurp(std::filesystem::path(NOVRA_SOURCE_DIR) / "examples" / ex.file))
            << ex.file << ": run make_examples to rewrite examples/";
    }
    std::filesystem::remove(tmp);
}
