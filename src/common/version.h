#pragma once
// The version both programs print for --version.

namespace novra {

const char* version();

}  // namespace novra
