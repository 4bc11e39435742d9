// The nets in examples/: each is the program's own file (loading and saving it again gives the same
// bytes), and each runs to the words its recording sinks expect.
#include <gtest/gtest.h>

#include "support/support.h"

using namespace novra;
using namespace novra::support;

TEST(Examples, EveryExampleIsItsOwnSaveAndRunsToItsExpectedWords) {
    TempDir dir;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(sourcePath("examples"))) {
        if (entry.path().extension() != ".pol") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        CNet net;
        CSimulation sim{net};
        ASSERT_EQ(errorOf([&] { load(net, entry.path()); }), "");
        save(net, dir.file("again.pol"));
        EXPECT_EQ(readBytes(dir.file("again.pol")), readBytes(entry.path()));
        ASSERT_EQ(compile(sim), "");
        EXPECT_EQ(run(sim), text(msg::kSimulationEnded));
        for (const auto& [id, k] : net.kemmakixes()) {
            if (k.line != 0 && k.line != 1) continue;
            EXPECT_FALSE(k.expected.empty()) << "sink " << id;
            EXPECT_EQ(k.received, k.expected) << "sink " << id;
        }
    }
    EXPECT_GE(files, 7);
}
