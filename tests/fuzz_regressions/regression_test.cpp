// Inputs the fuzz targets once failed on (one folder per target, one file per finding), replayed through
// the very checks the fuzz targets run, plus the seeds they start from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"
#include "support/support.h"

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryFindingAndSeedPassesItsCheck) {
    const struct {
        std::string (*check)(std::string_view);
        std::vector<const char*> folders;
    } targets[] = {
        {novra::fuzz::checkNetFile,
         {"tests/fuzz_regressions/pol_reader", "fuzz/seeds/pol_reader", "examples"}},
        {novra::fuzz::checkFunctionText, {"tests/fuzz_regressions/function", "fuzz/seeds/function"}},
        {novra::fuzz::checkEvaluator, {"tests/fuzz_regressions/evaluator", "fuzz/seeds/evaluator"}},
        {novra::fuzz::checkPipeline,
         {"tests/fuzz_regressions/pipeline", "fuzz/seeds/pol_reader", "examples"}},
    };
    for (const auto& target : targets) {
        std::vector<fs::path> files;
        for (const char* folder : target.folders)
            if (const fs::path dir = novra::support::sourcePath(folder); fs::is_directory(dir))
                for (const auto& e : fs::directory_iterator(dir))
                    if (e.is_regular_file()) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        EXPECT_GT(files.size(), 0u) << target.folders[0];
        for (const fs::path& file : files)
            EXPECT_EQ(target.check(novra::support::readBytes(file)), "") << file;
    }
}
