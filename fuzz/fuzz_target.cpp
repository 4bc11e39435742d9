// One libFuzzer entry; NOVRA_FUZZ_CHECK names the check this target runs (see harness.h).
#include <cstdio>
#include <cstdlib>

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string problem =
        novra::fuzz::NOVRA_FUZZ_CHECK(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!problem.empty()) {
        std::fprintf(stderr, "fuzz check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
