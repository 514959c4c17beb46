#include "app/command_line.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

RunMode modeOf(std::vector<std::string> arguments) {
    return parseCommandLine(arguments).mode;
}

TEST(CommandLine, SaverSwitchIgnoresCaseAndOneLeadingDashOrSlash) {
    for (const char* argument : {"s", "S", "-s", "-S", "/s", "/S"}) {
        EXPECT_EQ(modeOf({argument}), RunMode::Saver) << argument;
    }
}

TEST(CommandLine, AnythingButTheWholeLetterSelectsNothing) {
    for (const char* argument :
         {"--s", "//s", "/s2", "/c:1234", "c:1234", "config", "", "-", "x", "ss", "-ps"}) {
        EXPECT_EQ(modeOf({argument}), RunMode::Nothing) << argument;
    }
}

TEST(CommandLine, NoArgumentOrCSelectsTheResidentMode) {
    EXPECT_EQ(modeOf({}), RunMode::Resident);
    EXPECT_EQ(modeOf({"C"}), RunMode::Resident);
    EXPECT_EQ(modeOf({"/c"}), RunMode::Resident);
    EXPECT_EQ(modeOf({"-c", "ignored"}), RunMode::Resident);
}

TEST(CommandLine, ArgumentsAfterTheFirstAreIgnoredExceptThePreviewWindow) {
    EXPECT_EQ(modeOf({"s", "p", "c"}), RunMode::Saver);
    const Launch preview = parseCommandLine({"/p", "4194313", "extra"});
    EXPECT_EQ(preview.mode, RunMode::Preview);
    ASSERT_TRUE(preview.previewWindow.has_value());
    EXPECT_EQ(*preview.previewWindow, 4194313u);
}

TEST(CommandLine, PreviewWithoutAUsableWindowIdHasNoWindow) {
    EXPECT_FALSE(parseCommandLine({"p"}).previewWindow);
    EXPECT_FALSE(parseCommandLine({"p", "0"}).previewWindow);
    EXPECT_FALSE(parseCommandLine({"p", "abc"}).previewWindow);
    EXPECT_FALSE(parseCommandLine({"p", "99999999999999999999999"}).previewWindow);
    EXPECT_EQ(parseCommandLine({"p"}).mode, RunMode::Preview);
}

TEST(CommandLine, WindowIdIsReadLikeAtol) {
    EXPECT_EQ(parseWindowId("  123"), 123u);
    EXPECT_EQ(parseWindowId("123abc"), 123u);
    EXPECT_EQ(parseWindowId("\t42 "), 42u);
    EXPECT_FALSE(parseWindowId("-5"));
    EXPECT_FALSE(parseWindowId(""));
}

}  // namespace
}  // namespace rumo
