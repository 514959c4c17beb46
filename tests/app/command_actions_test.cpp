#include "app/command_actions.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

namespace rumo {
namespace {

// Qt reports no file for a program installed under a folder whose name is not UTF-8.
TEST(CommandActions, TheProgramsPathComesFromTheSystemWhenQtHasNone) {
    const std::string path = programFilePath(QString());
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("rumo_shell_tests"), std::string::npos) << path;
    EXPECT_EQ(programFilePath(QStringLiteral("/usr/bin/rumo")), "/usr/bin/rumo");
}

TEST(CommandActions, AnEntryThatCouldNotStartTheProgramIsAFailure) {
    const QTemporaryDir config;
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    EXPECT_EQ(applyAutostart(true, QStringLiteral("rumo"), ""), 1);
    EXPECT_EQ(applyAutostart(true, QStringLiteral("rumo"), "/opt/\xFF/rumo"), 1);
    EXPECT_FALSE(QFileInfo::exists(config.filePath(QStringLiteral("autostart/rumo.desktop"))));
    EXPECT_EQ(applyAutostart(true, QStringLiteral("rumo"), "/usr/bin/rumo"), 0);
    EXPECT_TRUE(QFileInfo::exists(config.filePath(QStringLiteral("autostart/rumo.desktop"))));
    qputenv("XDG_CONFIG_HOME", configHome);
}

}  // namespace
}  // namespace rumo
