#include "fileio/text_codec.h"

#include <cstring>
#include <memory>

#include "common/encoding.h"

namespace novra::fileio {

namespace {

using Converted = Cp932Encoder::Converted;

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the UTF-8 sequence a byte starts; 0 for a byte that starts none.
size_t utf8Length(unsigned char c) {
    if (c >= 0xC0 && c <= 0xDF) return 2;
    if (c >= 0xE0 && c <= 0xEF) return 3;
    if (c >= 0xF0 && c <= 0xF7) return 4;
    return 0;
}

// End of the run of ASCII bytes that starts at i.
size_t asciiRunEnd(std::string_view s, size_t i) {
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    while (i + 8 <= s.size()) {
        uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & kHighBits) break;
        i += 8;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

template <typename Convert>
bool convertOne(std::string_view in, Converted& slot, Convert convert) {
    if (slot.state == Converted::kUnknown) {
        const std::optional<std::string> out = convert(in);
        if (out && out->size() <= slot.bytes.size()) {
            slot.state = Converted::kOk;
            slot.size = static_cast<uint8_t>(out->size());
            std::copy(out->begin(), out->end(), slot.bytes.begin());
        } else {
            slot.state = Converted::kBad;
        }
    }
    return slot.state == Converted::kOk;
}

}  // namespace

bool isAscii(std::string_view s) {
    return asciiRunEnd(s, 0) == s.size();
}

std::optional<std::string> decodeCp932(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    // Remembered conversions: block 0 by single byte, block n by the second byte after lead byte n.
    using Block = std::array<Converted, 256>;
    std::array<std::unique_ptr<Block>, 256> blocks;
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t run = asciiRunEnd(bytes, i);
        out.append(bytes.substr(i, run - i));
        i = run;
        if (i == bytes.size()) break;
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const size_t n = isLeadByte(lead) ? 2 : 1;
        if (i + n > bytes.size()) return std::nullopt;
        std::unique_ptr<Block>& block = blocks[n == 1 ? 0 : lead];
        if (!block) block = std::make_unique<Block>();
        Converted& slot = (*block)[static_cast<unsigned char>(bytes[i + n - 1])];
        if (!convertOne(bytes.substr(i, n), slot, cp932ToUtf8)) return std::nullopt;
        out.append(slot.bytes.data(), slot.size);
        i += n;
    }
    return out;
}

bool Cp932Encoder::append(std::string& out, std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t run = asciiRunEnd(text, i);
        out.append(text.substr(i, run - i));
        i = run;
        if (i == text.size()) break;
        const size_t n = utf8Length(static_cast<unsigned char>(text[i]));
        if (n == 0 || i + n > text.size()) return false;
        uint32_t key = 0;
        for (size_t k = 0; k < n; ++k) key = (key << 8) | static_cast<unsigned char>(text[i + k]);
        Converted& slot = table_[key];
        if (!convertOne(text.substr(i, n), slot, utf8ToCp932)) return false;
        out.append(slot.bytes.data(), slot.size);
        i += n;
    }
    return true;
}

std::optional<std::string> encodeCp932(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    Cp932Encoder encoder;
    if (!encoder.append(out, text)) return std::nullopt;
    return out;
}

}  // namespace novra::fileio
