#include "common/launch_commands.h"

#include <gtest/gtest.h>

#include <map>

namespace rumo {
namespace {

TEST(LaunchCommands, NoticeIsTheRunningExecutableWithS) {
    const LaunchCommand command = noticeCommand("/opt/rumo/bin/rumo-renamed");
    EXPECT_EQ(command.program, "/opt/rumo/bin/rumo-renamed");
    EXPECT_EQ(command.arguments, (std::vector<std::string>{"-s"}));
}

TEST(LaunchCommands, ScreenSaverDrawsIntoTheHostWindow) {
    const auto command = screenSaverCommand("/usr/libexec/xscreensaver", "swirl", 0x60001d);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, "/usr/libexec/xscreensaver/swirl");
    EXPECT_EQ(command->arguments, (std::vector<std::string>{"-window-id", "0x60001d"}));
    EXPECT_EQ(screenSaverCommand("/hacks/", "galaxy", 1)->program, "/hacks/galaxy");
}

TEST(LaunchCommands, ScreenSaverRefusesMissingOrUnsafeNames) {
    // Nothing chosen yet: nothing starts (no directory is opened instead).
    EXPECT_FALSE(screenSaverCommand("/hacks", "", 1));
    EXPECT_FALSE(screenSaverCommand("/hacks", "..", 1));
    EXPECT_FALSE(screenSaverCommand("/hacks", ".", 1));
    EXPECT_FALSE(screenSaverCommand("/hacks", "../bin/sh", 1));
    EXPECT_FALSE(screenSaverCommand("/hacks", "/bin/sh", 1));
    EXPECT_FALSE(screenSaverCommand("/hacks", "a\\b", 1));
    EXPECT_FALSE(screenSaverCommand("", "swirl", 1));
}

TEST(LaunchCommands, DisplaySettingsTakesTheFirstInstalledTool) {
    const std::vector<ToolCandidate> tools{
        {"gnome-control-center", {"display"}}, {"systemsettings", {"kcm_kscreen"}}, {"arandr", {}}};
    std::map<std::string, std::string> installed{{"systemsettings", "/usr/bin/systemsettings"},
                                                 {"arandr", "/usr/bin/arandr"}};
    std::vector<std::string> asked;
    auto find = [&](std::string_view name) {
        asked.emplace_back(name);
        const auto it = installed.find(std::string(name));
        return it == installed.end() ? std::string() : it->second;
    };
    const auto command = firstAvailableTool(tools, find);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, "/usr/bin/systemsettings");
    EXPECT_EQ(command->arguments, (std::vector<std::string>{"kcm_kscreen"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"gnome-control-center", "systemsettings"}));

    installed.clear();
    EXPECT_FALSE(firstAvailableTool(tools, find));
}

}  // namespace
}  // namespace rumo
