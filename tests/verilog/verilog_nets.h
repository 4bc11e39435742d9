#pragma once
// Small deterministic nets whose circuits must deliver exactly what the net delivers.
#include <vector>

#include "model/net.h"

namespace novra::vtest {

struct NamedNet {
    const char* name;
    void (*build)(CNet&);
};

const std::vector<NamedNet>& circuitNets();

}  // namespace novra::vtest
