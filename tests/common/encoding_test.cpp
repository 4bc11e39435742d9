#include "common/encoding.h"

#include <gtest/gtest.h>

using namespace novra;

TEST(Encoding, RoundTripsJapaneseAndAscii) {
    const std::string utf8 = "ゾソ表 o1=i1; ｺﾝﾊﾟｲﾙ";
    auto sjis = utf8ToCp932(utf8);
    ASSERT_TRUE(sjis);
    // ゾ is 0x83 0x5D in CP932: its second byte is ']'.
    EXPECT_EQ(static_cast<unsigned char>((*sjis)[0]), 0x83);
    EXPECT_EQ((*sjis)[1], ']');
    auto back = cp932ToUtf8(*sjis);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, utf8);
    EXPECT_EQ(*cp932ToUtf8(""), "");
}

TEST(Encoding, RefusesWhatCannotBeRepresented) {
    EXPECT_FALSE(utf8ToCp932("emoji \xF0\x9F\x98\x80"));  // U+1F600 has no CP932 form
    EXPECT_FALSE(utf8ToCp932("\xC3"));                    // truncated UTF-8
    EXPECT_FALSE(cp932ToUtf8("\x83"));                    // lead byte without its trail byte
}
