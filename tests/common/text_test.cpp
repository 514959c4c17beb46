#include "common/text.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

TEST(Cp932Length, CountsFullWidthAsTwoAndHalfWidthAsOne) {
    EXPECT_EQ(cp932Length(""), 0);
    EXPECT_EQ(cp932Length("abc"), 3);
    EXPECT_EQ(cp932Length("ＥＳＣキーを押して下さい"), 24);
    EXPECT_EQ(cp932Length("ｶｽﾀﾏｲｽﾞ"), 7);  // half-width katakana
    EXPECT_EQ(cp932Length("会議室 3F"), 9);
}

TEST(Cp932Length, InvalidBytesCountOneEach) {
    EXPECT_EQ(cp932Length("\xff\xfe"), 2);
    EXPECT_EQ(cp932Length("a\xe3\x81"), 3);  // a truncated sequence
}

TEST(TrimRight, RemovesOnlySingleByteWhiteSpace) {
    EXPECT_EQ(trimRight("会議室  \t\r\n\v\f"), "会議室");
    EXPECT_EQ(trimRight("会議室　"), "会議室　");  // ideographic space stays
    EXPECT_EQ(trimRight("   "), "");
    EXPECT_EQ(trimRight("  lead"), "  lead");
}

TEST(CutAtCharacter, NeverSplitsACharacter) {
    EXPECT_EQ(cutAtCharacter("会議室", 9), "会議室");
    EXPECT_EQ(cutAtCharacter("会議室", 8), "会議");  // 3 bytes a character
    EXPECT_EQ(cutAtCharacter("a会", 2), "a");
    EXPECT_EQ(cutAtCharacter("abc", 0), "");
    EXPECT_EQ(nextCharacter("会a", 0), 3u);
    EXPECT_EQ(nextCharacter("\x80\x80z", 0),
              2u);  // stray continuation bytes go with the byte before
}

TEST(EqualsIgnoringAsciiCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(equalsIgnoringAsciiCase("Room A", "room a"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Room A", "Room A "));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Ａ", "ａ"));
}

}  // namespace
}  // namespace rumo
