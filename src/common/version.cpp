#include "common/version.h"

namespace novra {

const char* version() {
    return NOVRA_VERSION;
}

}  // namespace novra
