#include "common/error.h"

namespace novra {

void raise(std::string message) { throw CError(std::move(message)); }

}  // namespace novra
