#pragma once
// Shift-JIS (CP932) <-> UTF-8 for net files. Same results as the conversions in common/encoding, but ASCII
// passes straight through and each other character is converted once per file, which keeps the conversion
// of a large net a small part of saving and loading it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace novra::fileio {

bool isAscii(std::string_view s);

// nullopt when the bytes are not valid CP932.
std::optional<std::string> decodeCp932(std::string_view bytes);

// Appends UTF-8 texts to a CP932 buffer, remembering each character it has converted.
class Cp932Encoder {
  public:
    // False when the text is not valid UTF-8 or holds a character CP932 lacks; out then holds part of it.
    bool append(std::string& out, std::string_view utf8);

    struct Converted {
        enum : uint8_t { kUnknown, kOk, kBad } state = kUnknown;
        uint8_t size = 0;
        std::array<char, 4> bytes{};
    };

  private:
    std::unordered_map<uint32_t, Converted> table_;  // by the character's UTF-8 bytes
};

// nullopt when the text is not valid UTF-8 or holds a character CP932 lacks.
std::optional<std::string> encodeCp932(std::string_view text);

}  // namespace novra::fileio
