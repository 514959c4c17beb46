// The exchange rules of the properties dialog: memo positions as typed, check values as stored.
#include <gtest/gtest.h>

#include "properties/exchange_rules.h"

namespace rumo {
namespace {

TEST(DialogIntegerTest, AcceptsSignedNumbersWithBlanksAround) {
    EXPECT_EQ(parseDialogInt(" 12 "), 12);
    EXPECT_EQ(parseDialogInt("\t12\t"), 12);
    EXPECT_EQ(parseDialogInt("-5"), -5);
    EXPECT_EQ(parseDialogInt("+7"), 7);
    EXPECT_EQ(parseDialogInt("0"), 0);
    EXPECT_EQ(parseDialogInt(" 00 "), 0);
    EXPECT_EQ(parseDialogInt("600"), 600);
    EXPECT_EQ(parseDialogInt("2147483647"), 2147483647);
    EXPECT_EQ(parseDialogInt("-2147483648"), -2147483647 - 1);
}

TEST(DialogIntegerTest, RefusesWhatIsNotAnInteger) {
    for (const char* text : {"", "   ", "abc", "12abc", "1 2", "-", "+", "--1", "1.5", "１２",
                             "0x10", "\n12", "12\n"}) {
        EXPECT_FALSE(parseDialogInt(text).has_value()) << '"' << text << '"';
    }
}

TEST(DialogIntegerTest, ZeroNeedsAFirstDigitZero) {
    EXPECT_FALSE(parseDialogInt("-0").has_value());
    EXPECT_FALSE(parseDialogInt("+0").has_value());
    EXPECT_FALSE(parseDialogInt(" -00").has_value());
    EXPECT_EQ(parseDialogInt("0"), 0);
}

TEST(DialogIntegerTest, RefusesNumbersOutsideThe32BitRange) {
    EXPECT_FALSE(parseDialogInt("2147483648").has_value());
    EXPECT_FALSE(parseDialogInt("-2147483649").has_value());
    EXPECT_FALSE(parseDialogInt("99999999999999999999999").has_value());
}

// The whole text counts, not only its first characters.
TEST(DialogIntegerTest, GarbageAfterALongRunOfBlanksIsRefused) {
    EXPECT_FALSE(parseDialogInt("1" + std::string(40, ' ') + "x").has_value());
    EXPECT_EQ(parseDialogInt("1" + std::string(40, ' ')), 1);
}

TEST(CheckStateTest, OnlyZeroToTwoAreShown) {
    EXPECT_EQ(checkStateFromStored(0), 0);
    EXPECT_EQ(checkStateFromStored(1), 1);
    EXPECT_EQ(checkStateFromStored(2), 2);
    EXPECT_EQ(checkStateFromStored(3), 0);
    EXPECT_EQ(checkStateFromStored(-1), 0);
    EXPECT_EQ(checkStateFromStored(1 << 30), 0);
}

}  // namespace
}  // namespace rumo
