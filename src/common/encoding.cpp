#include "common/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace novra {

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    if (in.empty()) return std::string();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    std::vector<char> buf(in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buf.data();
        size_t outLeft = buf.size();
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buf.data(), buf.size() - outLeft);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            ok = false;  // EILSEQ or EINVAL (truncated sequence)
            break;
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::optional<std::string> cp932ToUtf8(std::string_view bytes) {
    // Most net files are pure ASCII; skip iconv for them.
    if (isAscii(bytes)) return std::string(bytes);
    return convert("UTF-8", "CP932", bytes);
}

std::optional<std::string> utf8ToCp932(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    return convert("CP932", "UTF-8", text);
}

}  // namespace novra
