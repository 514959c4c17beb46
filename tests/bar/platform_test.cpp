#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>

#include "platform/activation_channel.h"
#include "platform/display_settings.h"
#include "platform/instance_guard.h"
#include "platform/screen_savers.h"

namespace rumo {
namespace {

void makeFile(const QDir& dir, const QString& name, bool executable) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    if (executable) {
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
}

TEST(ScreenSavers, ListsTheHacksOnlyByName) {
    QTemporaryDir root;
    const QDir dir(root.path());
    makeFile(dir, QStringLiteral("swirl"), true);
    makeFile(dir, QStringLiteral("Galaxy"), true);
    makeFile(dir, QStringLiteral("README"), false);
    makeFile(dir, QStringLiteral("xscreensaver-getimage"), true);
    dir.mkdir(QStringLiteral("subdir"));
    EXPECT_EQ(listScreenSavers(root.path()), (std::vector<std::string>{"Galaxy", "swirl"}));
    EXPECT_TRUE(listScreenSavers(root.filePath(QStringLiteral("missing"))).empty());
    EXPECT_TRUE(listScreenSavers(QString()).empty());
}

TEST(ActivationChannel, ASecondStartReachesTheRunningBar) {
    QTemporaryDir folder;
    EXPECT_FALSE(requestRunningBarShown(folder.path()));  // nobody listens yet

    ActivationListener listener(folder.path());
    ASSERT_TRUE(listener.listen());
    int requests = 0;
    QObject::connect(&listener, &ActivationListener::showRequested, [&] { ++requests; });
    EXPECT_TRUE(requestRunningBarShown(folder.path()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return requests == 1; }, 10000));

    // A socket left behind by a dead owner does not stop the next bar from listening.
    ActivationListener successor(folder.path());
    EXPECT_TRUE(successor.listen());
}

TEST(DisplaySettings, TheRunningDesktopsToolComesFirst) {
    auto firstOf = [](std::string_view desktop) {
        return displaySettingsToolsFor(desktop)[0].name;
    };
    EXPECT_EQ(firstOf("GNOME"), "gnome-control-center");
    EXPECT_EQ(firstOf("ubuntu:GNOME"), "gnome-control-center");
    EXPECT_EQ(firstOf("KDE"), "systemsettings");
    EXPECT_EQ(firstOf("XFCE"), "xfce4-display-settings");
    EXPECT_EQ(firstOf("LXQt"), "lxqt-config-monitor");
    EXPECT_EQ(firstOf("Unknown:LXQt"), "lxqt-config-monitor");
    EXPECT_EQ(firstOf(""), "gnome-control-center");
    // Every tool is still tried, each once, with its arguments.
    const std::vector<ToolCandidate> lxqt = displaySettingsToolsFor("LXQt:XFCE");
    ASSERT_EQ(lxqt.size(), displaySettingsTools().size());
    EXPECT_EQ(lxqt[1].name, "xfce4-display-settings");
    EXPECT_EQ(lxqt[2].name, "gnome-control-center");
    EXPECT_EQ(lxqt[2].arguments, std::vector<std::string>{"display"});
}

TEST(InstanceGuard, ItsFolderDependsOnTheUserAloneAndAnUntakableLockRefusesTheStart) {
    QTemporaryDir root;
    const QDir dir(root.path());
    const uid_t uid = ::getuid();
    const QString home = dir.filePath(QStringLiteral("home"));
    const QString fallback = home + QStringLiteral("/.cache/Zelkar/runtime");
    // No runtime folder for the user: the same folder of the user's home for every start.
    EXPECT_EQ(instanceFolderFor(uid, dir.filePath(QStringLiteral("run")), home), fallback);
    EXPECT_EQ(QFileInfo(fallback).permissions() & 0x0077, 0);
    // One others may enter is not used either.
    ASSERT_TRUE(dir.mkpath(QStringLiteral("run/%1").arg(uid)));
    const QString runtime = dir.filePath(QStringLiteral("run/%1").arg(uid));
    ::chmod(QFile::encodeName(runtime).constData(), 0755);
    EXPECT_EQ(instanceFolderFor(uid, dir.filePath(QStringLiteral("run")), home), fallback);
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    EXPECT_EQ(instanceFolderFor(uid, dir.filePath(QStringLiteral("run")), home), runtime);

    InstanceGuard first(runtime);
    InstanceGuard second(runtime);
    EXPECT_EQ(first.acquire(), InstanceGuard::Outcome::Held);
    EXPECT_EQ(second.acquire(), InstanceGuard::Outcome::HeldElsewhere);
    // A lock that cannot be opened tells nothing about another process.
    InstanceGuard nowhere(dir.filePath(QStringLiteral("missing/folder")));
    EXPECT_EQ(nowhere.acquire(), InstanceGuard::Outcome::Unusable);
}

}  // namespace
}  // namespace rumo
