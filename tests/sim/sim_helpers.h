#pragma once
// Running compile and the simulation in tests: the raised message as a string, "" for none.
#include <functional>
#include <string>

#include "common/error.h"
#include "model/net.h"

namespace novra::testing {

inline std::string raisedBy(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const CError& e) {
        return e.message();
    }
    return {};
}

inline std::string compileMessage(CNet& net) {
    net.stopObject = 0;
    return raisedBy([&] { net.compileNet(); });
}

inline std::string runMessage(CNet& net, long maxPhases = 100001) {
    return raisedBy([&] { net.runUnanimated(maxPhases); });
}

// One sweep: enabling evaluation then firing. Returns the enabling result.
inline int sweep(CNet& net) {
    const int result = net.evaluateEnabling();
    net.firePhase();
    return result;
}

}  // namespace novra::testing
