// Every example net that ships with the program: its circuit delivers what the net delivers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/error.h"
#include "fileio/fileio.h"
#include "temp_root.h"
#include "verilog/cosim.h"

namespace novra {
namespace {

namespace fs = std::filesystem;

TEST(ExampleCircuitsTest, EveryExampleCircuitMatchesItsNet) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(fs::path(NOVRA_SOURCE_DIR) / "examples"))
        if (e.path().extension() == ".pol") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        CNet net;
        verilog::VerilogOptions o;
        o.outDir = vtest::freshDir("example-" + file.stem().string()).string();
        o.moduleDir = NOVRA_BIN_DIR "/module";
        verilog::CosimReport report;
        try {
            fileio::load(net, file.string());
            report = verilog::cosimulate(net, o, [](const std::string&) {});
        } catch (const CError& e) {
            ADD_FAILURE() << e.message() << " (stop " << net.stopObject << ")";
            continue;
        }
        EXPECT_FALSE(report.sinks.empty());
        EXPECT_TRUE(report.match());
        for (const auto& r : report.sinks) {
            EXPECT_FALSE(r.net.empty()) << "sink " << r.id;
            EXPECT_EQ(r.net, r.circuit) << "sink " << r.id << " in " << o.outDir;
        }
    }
}

}  // namespace
}  // namespace novra
