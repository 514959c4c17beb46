#include "app/autostart_entry.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

TEST(AutostartEntry, LivesInTheUsersAutostartFolder) {
    EXPECT_EQ(autostartEntryPath("/x/cfg/", "/home/u", "rumo"), "/x/cfg/autostart/rumo.desktop");
    // An unset or relative XDG_CONFIG_HOME is ignored, as the base-directory rules say.
    EXPECT_EQ(autostartEntryPath("", "/home/u", "rumo"), "/home/u/.config/autostart/rumo.desktop");
    EXPECT_EQ(autostartEntryPath("cfg", "/home/u", "copy"),
              "/home/u/.config/autostart/copy.desktop");
    EXPECT_EQ(autostartEntryPath("", "", "rumo"), "");
}

TEST(AutostartEntry, ExecQuotesWhatTheDesktopWouldSplitOrExpand) {
    EXPECT_EQ(desktopExecArgument("/usr/bin/rumo"), "/usr/bin/rumo");
    EXPECT_EQ(desktopExecArgument("/opt/my apps/rumo"), "\"/opt/my apps/rumo\"");
    EXPECT_EQ(desktopExecArgument("/opt/100%/rumo"), "/opt/100%%/rumo");
    // Inside quotes a $ is escaped with a backslash, and the value escapes that backslash again.
    EXPECT_EQ(desktopExecArgument("/opt/$x/rumo"), "\"/opt/\\\\$x/rumo\"");
    EXPECT_NE(autostartEntry("/usr/bin/rumo").find("\nExec=/usr/bin/rumo\n"), std::string::npos);
}

TEST(AutostartEntry, NoEntryForAPathThatCannotStartTheProgram) {
    EXPECT_EQ(autostartEntry(""), "");
    EXPECT_EQ(autostartEntry("rumo"), "");
    EXPECT_EQ(autostartEntry("/opt/\xFF\xFE/rumo"), "");  // an entry holds only UTF-8
    EXPECT_NE(autostartEntry("/opt/会社/rumo"), "");
}

}  // namespace
}  // namespace rumo
