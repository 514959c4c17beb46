#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/activation_channel.h"
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

}  // namespace
}  // namespace rumo
