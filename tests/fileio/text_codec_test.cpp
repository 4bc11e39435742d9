// The file layer's fast Shift-JIS conversion agrees with the common conversion on every character.
#include "fileio/text_codec.h"

#include <gtest/gtest.h>

#include "common/encoding.h"

using namespace novra;

TEST(TextCodec, DecodesEveryOneAndTwoByteSequenceLikeTheCommonConversion) {
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ASSERT_EQ(fileio::decodeCp932(one), cp932ToUtf8(one)) << a;
        for (int b = 0; b < 256; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(fileio::decodeCp932(two), cp932ToUtf8(two)) << a << " " << b;
        }
    }
    // Characters in a longer text, repeated so that remembered conversions are used.
    const std::string bytes = utf8ToCp932("tran[1,o1=i1; // ゾソ表ｱ]ゾ\r\n").value();
    EXPECT_EQ(fileio::decodeCp932(bytes + bytes), cp932ToUtf8(bytes + bytes));
}

TEST(TextCodec, EncodesEveryCharacterLikeTheCommonConversion) {
    const auto utf8 = [](char32_t c) {
        std::string s;
        if (c < 0x80) {
            s += static_cast<char>(c);
        } else if (c < 0x800) {
            s += static_cast<char>(0xC0 | (c >> 6));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            s += static_cast<char>(0xE0 | (c >> 12));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (c >> 18));
            s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        }
        return s;
    };
    for (char32_t c = 0; c < 0x10000; ++c) {
        const std::string s = utf8(c) + "a" + utf8(c);
        ASSERT_EQ(fileio::encodeCp932(s), utf8ToCp932(s)) << static_cast<unsigned>(c);
    }
    EXPECT_EQ(fileio::encodeCp932(utf8(0x1F600)), std::nullopt);
    // Broken UTF-8: a stray continuation byte, an overlong form, a cut sequence, an encoded surrogate.
    for (const char* bad : {"\x80", "\xC0\xAF", "\xE3\x82", "a\xE3", "\xED\xA0\x80", "\xE3\x41\x41"})
        EXPECT_EQ(fileio::encodeCp932(bad), std::nullopt) << bad;
}
