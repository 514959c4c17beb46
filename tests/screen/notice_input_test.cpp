#include "screen/notice_input.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

constexpr auto kClose = InputVerdict::Close;
constexpr auto kIgnore = InputVerdict::Ignore;

// Feeds a typed key the way the window does: the key press, then its character.
InputVerdict type(NoticeInput& input, int virtualKey, std::string_view character) {
    const InputVerdict verdict = input.keyPressed(virtualKey);
    input.characterTyped(character);
    return verdict;
}

InputVerdict typeText(NoticeInput& input, std::string_view text) {
    InputVerdict last = kIgnore;
    for (char c : text) {
        last = type(input, 0, std::string_view(&c, 1));
    }
    return last;
}

InputVerdict pressEnter(NoticeInput& input) {
    return type(input, NoticeInput::kEnterKey, "\r");
}

TEST(NoticeInputUnrestricted, FirstMouseMoveIsOnlyRecorded) {
    NoticeInput input({});
    EXPECT_EQ(input.mouseMoved(10, 20), kIgnore);
    EXPECT_EQ(input.mouseMoved(10, 20), kIgnore);  // the same place again
    EXPECT_EQ(input.mouseMoved(10, 21), kClose);
    EXPECT_EQ(input.mouseMoved(11, 20), kClose);
}

TEST(NoticeInputUnrestricted, FirstMoveMayBeAtMinusOne) {
    NoticeInput input({});
    EXPECT_EQ(input.mouseMoved(-1, -1), kIgnore);
    EXPECT_EQ(input.mouseMoved(-1, -1), kIgnore);
    EXPECT_EQ(input.mouseMoved(0, -1), kClose);
}

TEST(NoticeInputUnrestricted, ButtonsKeysAndAltCombinationsClose) {
    NoticeInput input({});
    EXPECT_EQ(input.buttonPressed(), kClose);
    EXPECT_EQ(input.keyPressed('A'), kClose);
    EXPECT_EQ(input.keyPressed(0), kClose);
    EXPECT_EQ(input.systemKeyPressed(), kClose);
}

TEST(NoticeInputEscOnly, OnlyEscCloses) {
    NoticeInput input({.escOnly = true});
    EXPECT_EQ(input.mouseMoved(1, 1), kIgnore);
    EXPECT_EQ(input.mouseMoved(500, 500), kIgnore);
    EXPECT_EQ(input.buttonPressed(), kIgnore);
    EXPECT_EQ(input.systemKeyPressed(), kIgnore);  // Alt+F4
    EXPECT_EQ(type(input, 'A', "a"), kIgnore);
    EXPECT_EQ(pressEnter(input), kIgnore);
    EXPECT_EQ(type(input, NoticeInput::kEscKey, "\x1b"), kClose);
}

// Every mode against every kind of event, after the first mouse position has been recorded. The
// password notice alone holds when the focus is taken from it: a shortcut of the window manager
// or a program raising a window must not be a way round the password.
TEST(NoticeInputRules, ModeByEvent) {
    constexpr auto kReclaim = InputVerdict::Reclaim;
    struct Row {
        const char* mode;
        InputRestrictions restrictions;
        InputVerdict key, esc, click, move, altKey, activationLost, grabLost;
    };
    const Row rows[] = {
        {"any input", {}, kClose, kClose, kClose, kClose, kClose, kClose, kClose},
        {"Esc only", {.escOnly = true}, kIgnore, kClose, kIgnore, kIgnore, kIgnore, kClose, kClose},
        {"password",
         {.passwordLock = true, .password = "pw"},
         kIgnore,
         kIgnore,
         kIgnore,
         kIgnore,
         kIgnore,
         kReclaim,
         kReclaim},
        {"password and Esc",
         {.escOnly = true, .passwordLock = true, .password = "pw"},
         kIgnore,
         kIgnore,
         kIgnore,
         kIgnore,
         kIgnore,
         kReclaim,
         kReclaim},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        const auto fresh = [&] {
            NoticeInput input(row.restrictions);
            input.mouseMoved(5, 5);
            return input;
        };
        EXPECT_EQ(fresh().keyPressed('A'), row.key);
        EXPECT_EQ(fresh().keyPressed(NoticeInput::kEscKey), row.esc);
        EXPECT_EQ(fresh().buttonPressed(), row.click);
        EXPECT_EQ(fresh().mouseMoved(6, 5), row.move);
        EXPECT_EQ(fresh().systemKeyPressed(), row.altKey);
        EXPECT_EQ(fresh().activationLost(), row.activationLost);
        EXPECT_EQ(fresh().grabLost(), row.grabLost);
    }
}

TEST(NoticeInputPassword, EmptyPasswordOpensWithEnterAlone) {
    NoticeInput input({.passwordLock = true});
    EXPECT_EQ(pressEnter(input), kClose);
}

TEST(NoticeInputPassword, WrongThenRightAttempt) {
    NoticeInput input({.passwordLock = true, .password = "abc"});
    typeText(input, "abd");
    EXPECT_EQ(pressEnter(input), kIgnore);
    EXPECT_TRUE(input.typed().empty());  // Enter starts the next attempt afresh
    typeText(input, "abc");
    EXPECT_EQ(pressEnter(input), kClose);
}

TEST(NoticeInputPassword, BackspaceIsTypedNotErasing) {
    NoticeInput input({.passwordLock = true, .password = "abc"});
    typeText(input, "abx");
    type(input, 0, "\b");
    typeText(input, "c");
    EXPECT_EQ(input.typed(), "abx\bc");
    EXPECT_EQ(pressEnter(input), kIgnore);
    typeText(input, "abc");
    EXPECT_EQ(pressEnter(input), kClose);
}

TEST(NoticeInputPassword, ComparisonIsCaseSensitiveAndByteWise) {
    NoticeInput input({.passwordLock = true, .password = "Pass"});
    typeText(input, "pass");
    EXPECT_EQ(pressEnter(input), kIgnore);
    NoticeInput japanese({.passwordLock = true, .password = "ひみつ"});
    type(japanese, 0, "ひ");
    type(japanese, 0, "み");
    type(japanese, 0, "つ");
    EXPECT_EQ(pressEnter(japanese), kClose);
}

TEST(NoticeInputPassword, WinsOverEscAndIgnoresMouseAndAlt) {
    NoticeInput input({.escOnly = true, .passwordLock = true, .password = "x"});
    EXPECT_EQ(type(input, NoticeInput::kEscKey, "\x1b"), kIgnore);
    EXPECT_EQ(input.mouseMoved(0, 0), kIgnore);
    EXPECT_EQ(input.mouseMoved(9, 9), kIgnore);
    EXPECT_EQ(input.buttonPressed(), kIgnore);
    EXPECT_EQ(input.systemKeyPressed(), kIgnore);
    // The Esc typed above is part of this attempt, so it fails; the next one succeeds.
    typeText(input, "x");
    EXPECT_EQ(pressEnter(input), kIgnore);
    typeText(input, "x");
    EXPECT_EQ(pressEnter(input), kClose);
}

TEST(NoticeInputPassword, CharactersAreKeptEvenWithoutALock) {
    NoticeInput input({.escOnly = true});
    typeText(input, "ab");
    EXPECT_EQ(input.typed(), "ab");
    pressEnter(input);
    EXPECT_EQ(input.typed(), "");
}

}  // namespace
}  // namespace rumo
