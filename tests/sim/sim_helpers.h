#pragma once
// Running compile and the simulation in tests: the raised message as a string, "" for none.
#include <functional>
#include <string>

#include "common/error.h"
#include "model/net.h"
#include "sim/simulation.h"

namespace novra::testing {

inline std::string raisedBy(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const CError& e) {
        return e.message();
    }
    return {};
}

inline std::string compileMessage(CSimulation& sim) {
    sim.net().stopObject = 0;
    return raisedBy([&] { sim.compile(); });
}

inline std::string runMessage(CSimulation& sim, long maxPhases = CSimulation::kRunLimit) {
    return raisedBy([&] { sim.run(maxPhases); });
}

// One sweep: enabling evaluation then firing. Returns the enabling result.
inline int sweep(CSimulation& sim) {
    const int result = sim.evaluateEnabling();
    sim.firePhase();
    return result;
}

}  // namespace novra::testing
