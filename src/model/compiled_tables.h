#pragma once
// What a compile leaves for whoever simulates the net: dense copies of the compiled connections, and the
// hooks through which compile hands them over while its records are at hand.
#include <cstddef>
#include <vector>

#include "model/records.h"

namespace novra {

// The compiled net's objects in ascending ID, one dense index per kind, and the transitions' slots as dense
// place indices (compressed rows: the slots of transition i run from start[i] to start[i + 1]; -1 for an
// unbound slot).
struct CCompiledTables {
    std::vector<int> placeIds;
    std::vector<CPlace*> placeRecs;
    std::vector<int> transitionIds;
    std::vector<CTransition*> transitionRecs;
    std::vector<int> uhziIds;
    std::vector<CUhzi*> uhziRecs;
    std::vector<int> kemmakixIds;
    std::vector<CKemmakix*> kemmakixRecs;
    std::vector<int> inputStart, inputSlots;
    std::vector<int> outputStart, outputSlots;
};

// Follows one compile. tables() is where compile leaves its tables (it swaps its own vectors in, so the
// previous ones are reused); tablesReady() comes once they are there, transitionReady(i) for every
// transition in ascending order once its record is final, compiled() at the very end of a compile that
// succeeded. A compile that fails stops calling at the point of failure.
class CCompileObserver {
  public:
    virtual ~CCompileObserver() = default;
    virtual void compileStarted() = 0;
    virtual CCompiledTables& tables() = 0;
    virtual void tablesReady() = 0;
    virtual void transitionReady(size_t i) = 0;
    virtual void compiled() = 0;
};

}  // namespace novra
