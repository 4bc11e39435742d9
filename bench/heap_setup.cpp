// The benchmarks run under the heap policy of the program they measure.
#include "common/heap_policy.h"

namespace {

const bool kHeapPolicySet = (novra::keepFreedMemoryForReuse(), true);

}  // namespace
