#pragma once
// Shift-JIS (CP932) <-> UTF-8. Inside the program every string is UTF-8; files on disk are CP932.
#include <optional>
#include <string>
#include <string_view>

namespace novra {

// Decodes CP932 bytes to UTF-8; nullopt when the bytes are not valid CP932.
std::optional<std::string> cp932ToUtf8(std::string_view bytes);
// Encodes UTF-8 text to CP932; nullopt when the text is not valid UTF-8 or holds a character CP932 lacks.
std::optional<std::string> utf8ToCp932(std::string_view text);

}  // namespace novra
