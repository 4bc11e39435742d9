// Inputs the fuzz targets once failed on (one folder per target, one file per finding), replayed through
// the very checks the fuzz targets run, plus the seeds they start from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "harness.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesIn(const fs::path& dir) {
    std::vector<fs::path> files;
    if (fs::is_directory(dir))
        for (const auto& e : fs::directory_iterator(dir))
            if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a check over every file of the given folders; returns how many files there were.
size_t replay(std::string (*check)(std::string_view), std::initializer_list<const char*> folders) {
    size_t n = 0;
    for (const char* folder : folders) {
        for (const fs::path& file : filesIn(fs::path(NOVRA_SOURCE_DIR) / folder)) {
            EXPECT_EQ(check(bytesOf(file)), "") << file;
            ++n;
        }
    }
    return n;
}

}  // namespace

TEST(FuzzRegressions, NetFiles) {
    EXPECT_GT(replay(novra::fuzz::checkNetFile,
                     {"tests/fuzz_regressions/pol_reader", "fuzz/seeds/pol_reader", "examples"}),
              0u);
}

TEST(FuzzRegressions, FunctionTexts) {
    EXPECT_GT(
        replay(novra::fuzz::checkFunctionText, {"tests/fuzz_regressions/function", "fuzz/seeds/function"}),
        0u);
}

TEST(FuzzRegressions, EvaluatorTexts) {
    EXPECT_GT(
        replay(novra::fuzz::checkEvaluator, {"tests/fuzz_regressions/evaluator", "fuzz/seeds/evaluator"}),
        0u);
}

TEST(FuzzRegressions, LoadCompileSimulateGenerate) {
    EXPECT_GT(replay(novra::fuzz::checkPipeline,
                     {"tests/fuzz_regressions/pipeline", "fuzz/seeds/pol_reader", "examples"}),
              0u);
}
