#pragma once
// One scratch folder per test process, removed at exit when every test passed (kept for a look otherwise).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace novra::vtest {

inline std::filesystem::path tempRoot() {
    static const std::string* root = [] {
        auto* p = new std::string(
            (std::filesystem::temp_directory_path() / ("novra-verilog-tests-" + std::to_string(getpid())))
                .string());
        std::filesystem::create_directories(*p);
        std::atexit([] {
            if (!::testing::UnitTest::GetInstance()->Passed()) return;
            std::error_code ec;
            std::filesystem::remove_all(tempRoot(), ec);
        });
        return p;
    }();
    return *root;
}

// A fresh, empty folder under the scratch folder.
inline std::filesystem::path freshDir(const std::string& name) {
    const std::filesystem::path dir = tempRoot() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace novra::vtest
