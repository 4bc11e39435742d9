#pragma once
// The example nets shipped in examples/: built here through the net's operations, written by the
// make_examples tool and simulated by the tests.
#include <string>
#include <vector>

#include "model/net.h"

namespace novra::testing {

struct ExampleNet {
    std::string file;  // name inside examples/
    void (*build)(CNet&);
};

const std::vector<ExampleNet>& exampleNets();

}  // namespace novra::testing
