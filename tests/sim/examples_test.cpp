#include <gtest/gtest.h>

#include "example_check.h"
#include "example_nets.h"

using namespace novra;
using namespace novra::testing;

TEST(Examples, EveryBuiltExampleDeliversExactlyItsExpectedWords) {
    for (const ExampleNet& ex : exampleNets()) {
        CNet net;
        ex.build(net);
        expectRunsToItsExpectedWords(net, ex.file);
        for (const auto& [id, k] : net.kemmakixes)
            EXPECT_EQ(k.received, k.expected) << ex.file << " sink " << id;
    }
}
