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

TEST(CommandLine, WindowIdMayBeHexadecimal) {
    EXPECT_EQ(parseWindowId("0xc00011"), 0xc00011u);
    EXPECT_EQ(parseWindowId(" 0XC00011"), 0xc00011u);
    EXPECT_EQ(parseWindowId("0x1fz"), 0x1fu);
    EXPECT_EQ(parseWindowId("0xffffffffffffffff"), 0xffffffffffffffffu);
    EXPECT_FALSE(parseWindowId("0x10000000000000000"));
    EXPECT_FALSE(parseWindowId("0x0"));
    EXPECT_EQ(parseWindowId("0x"), std::nullopt);  // no hexadecimal digit: the decimal 0
    EXPECT_EQ(parseWindowId("0123"), 123u);
}

// XScreenSaver names its window in XSCREENSAVER_WINDOW (hexadecimal) and may pass --root;
// xsecurelock's XScreenSaver module runs "program -root" with a decimal id there.
TEST(CommandLine, PreviewTakesTheScreenSaverWindowFromTheEnvironment) {
    const PreviewEnvironment hex{"0x2600007"};
    const PreviewEnvironment decimal{"39845895"};
    EXPECT_EQ(parseCommandLine({"-p"}, hex).previewWindow, 0x2600007u);
    EXPECT_EQ(parseCommandLine({"-p", "-root"}, hex).previewWindow, 0x2600007u);
    EXPECT_EQ(parseCommandLine({"/p", "--root"}, decimal).previewWindow, 39845895u);
    EXPECT_EQ(parseCommandLine({"-p", "0x10"}, hex).previewWindow, 16u);  // a given id wins
    EXPECT_FALSE(parseCommandLine({"-p", "-root"}).previewWindow);
    EXPECT_FALSE(parseCommandLine({"-p"}, PreviewEnvironment{"none"}).previewWindow);
    for (const char* root : {"-root", "--root"}) {
        const Launch launch = parseCommandLine({root}, decimal);
        EXPECT_EQ(launch.mode, RunMode::Preview) << root;
        EXPECT_EQ(launch.previewWindow, 39845895u) << root;
        EXPECT_EQ(parseCommandLine({root}).mode, RunMode::Nothing) << root;
    }
    EXPECT_EQ(parseCommandLine({}, decimal).mode, RunMode::Resident);
}

}  // namespace
}  // namespace rumo
