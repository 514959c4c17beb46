#include "settings/qsettings_store.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <chrono>

namespace rumo {
namespace {

const QString kTool = QStringLiteral(RUMO_BINARY_DIR "/rumo-settings");

// Each test has a settings file of its own, removed before it starts.
class QSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        appName_ = QStringLiteral("store-") + QString::fromUtf8(info->name());
        store_ = std::make_unique<QSettingsStore>(appName_);
        QFile::remove(store_->filePath());
        QDir().mkpath(QFileInfo(store_->filePath()).absolutePath());
    }

    QProcess* startTool(const QStringList& arguments) {
        auto* process = new QProcess;
        process->setProgram(kTool);
        process->setArguments(QStringList{QStringLiteral("--app"), appName_} + arguments);
        process->start();
        processes_.emplace_back(process);
        return process;
    }

    void runTool(const QStringList& arguments) {
        QProcess* process = startTool(arguments);
        ASSERT_TRUE(process->waitForFinished(30000));
        ASSERT_EQ(process->exitCode(), 0);
    }

    QString appName_;
    std::unique_ptr<QSettingsStore> store_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(QSettingsStoreTest, MissingFileAndKeysReadAsDefaults) {
    EXPECT_EQ(readSetting(*store_, configKey("Size")), 240);
    EXPECT_EQ(readTextSetting(*store_, memoGroupKey("MFont", 3)), "ＭＳ Ｐ明朝");
    EXPECT_FALSE(QFileInfo::exists(store_->filePath()));  // reading creates nothing
}

TEST_F(QSettingsStoreTest, ValuesRoundTripInTheirSections) {
    ASSERT_TRUE(store_->writeText(configKey("Where"), "会議室, 3F"));
    ASSERT_TRUE(store_->writeInt(memoPositionKey('x', 2), -40));
    ASSERT_TRUE(store_->writeText(placeImageKey(7), "/home/a b/写真.jpg"));
    EXPECT_EQ(readTextSetting(*store_, configKey("Where")), "会議室, 3F");
    EXPECT_EQ(readSetting(*store_, memoPositionKey('x', 2)), -40);
    EXPECT_EQ(readSetting(*store_, memoPositionKey('x', 3)), 0);
    EXPECT_EQ(readTextSetting(*store_, placeImageKey(7)), "/home/a b/写真.jpg");
}

TEST_F(QSettingsStoreTest, TextInAnIntegerKeyReadsAsDefault) {
    ASSERT_TRUE(store_->writeText(configKey("Size"), "huge"));
    EXPECT_EQ(readSetting(*store_, configKey("Size")), 240);
    ASSERT_TRUE(store_->writeText(configKey("Size"), "99999999999"));
    EXPECT_EQ(readSetting(*store_, configKey("Size")), 240);
}

TEST_F(QSettingsStoreTest, FileIsPrivateToItsOwner) {
    ASSERT_TRUE(store_->writeText(configKey("Password"), "secret"));
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                        QFileDevice::WriteOther;
    EXPECT_EQ(QFileInfo(store_->filePath()).permissions() & (ownerOnly | others), ownerOnly);
    QFile::setPermissions(store_->filePath(),
                          ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ASSERT_TRUE(store_->writeInt(configKey("Esc"), 1));
    EXPECT_EQ(QFileInfo(store_->filePath()).permissions() & others, QFileDevice::Permissions());
}

TEST_F(QSettingsStoreTest, CorruptFileReadsAsDefaultsAndAWriteKeepsWhatCouldBeRead) {
    {
        QFile file(store_->filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "[Config]\nName=Taro\nSize=abc\n\x01\xff\xfe garbage ===\n[[[broken\n"
            "Screen\n");
    }
    EXPECT_EQ(readSetting(*store_, configKey("Size")), 240);
    EXPECT_EQ(readSetting(*store_, configKey("Screen")), 0);
    EXPECT_EQ(readTextSetting(*store_, configKey("Name")), "Taro");
    ASSERT_TRUE(store_->writeInt(configKey("Riseki"), 1));
    EXPECT_EQ(readTextSetting(*store_, configKey("Name")), "Taro");
    EXPECT_EQ(readSetting(*store_, configKey("Riseki")), 1);
}

TEST_F(QSettingsStoreTest, BinaryGarbageReadsAsDefaults) {
    {
        QFile file(store_->filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray junk;
        for (int i = 0; i < 4096; ++i) {
            junk.append(static_cast<char>((i * 7919) & 0xFF));
        }
        file.write(junk);
    }
    EXPECT_EQ(readSetting(*store_, configKey("Size")), 240);
    EXPECT_TRUE(store_->writeInt(configKey("Size"), 200));
    EXPECT_EQ(readSetting(*store_, configKey("Size")), 200);
}

TEST_F(QSettingsStoreTest, UnreadableFileIsNeverReplaced) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    ASSERT_TRUE(store_->writeText(configKey("Name"), "Taro"));
    QFile::setPermissions(store_->filePath(), QFileDevice::Permissions());
    EXPECT_EQ(readTextSetting(*store_, configKey("Name")), "");
    EXPECT_FALSE(store_->writeInt(configKey("Esc"), 1));
    QFile::setPermissions(store_->filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readTextSetting(*store_, configKey("Name")), "Taro");
}

TEST_F(QSettingsStoreTest, ReadsSeeWhatAnotherProcessJustWrote) {
    for (int round = 0; round < 6; ++round) {
        const QString value = QString::number(round % 2);
        runTool(
            {QStringLiteral("set-int"), QStringLiteral("Config"), QStringLiteral("Esc"), value});
        EXPECT_EQ(readSetting(*store_, configKey("Esc")), round % 2) << "round " << round;
    }
}

TEST_F(QSettingsStoreTest, TwoProcessesWritingDifferentKeysLoseNothing) {
    QProcess* first = startTool({QStringLiteral("fill"), QStringLiteral("Config"),
                                 QStringLiteral("A"), QStringLiteral("60")});
    QProcess* second = startTool({QStringLiteral("fill"), QStringLiteral("Config"),
                                  QStringLiteral("B"), QStringLiteral("60")});
    ASSERT_TRUE(first->waitForFinished(60000));
    ASSERT_TRUE(second->waitForFinished(60000));
    ASSERT_EQ(first->exitCode(), 0);
    ASSERT_EQ(second->exitCode(), 0);
    for (int n = 1; n <= 60; ++n) {
        EXPECT_EQ(store_->readInt({"Config", "A" + std::to_string(n)}, -1), n);
        EXPECT_EQ(store_->readInt({"Config", "B" + std::to_string(n)}, -1), n);
    }
}

TEST_F(QSettingsStoreTest, AWriterKilledMidWriteLeavesAReadableFile) {
    QProcess* writer = startTool({QStringLiteral("fill"), QStringLiteral("Config"),
                                  QStringLiteral("K"), QStringLiteral("100000")});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (store_->readInt({"Config", "K20"}, -1) != 20 &&
           std::chrono::steady_clock::now() < deadline) {
        QThread::msleep(5);
    }
    writer->kill();
    ASSERT_TRUE(writer->waitForFinished(10000));
    // Every key that made it to disk is whole, and the next write works.
    int written = 0;
    while (store_->readInt({"Config", "K" + std::to_string(written + 1)}, -1) == written + 1) {
        ++written;
    }
    EXPECT_GE(written, 20);
    EXPECT_EQ(store_->readInt({"Config", "K" + std::to_string(written + 2)}, -1), -1);
    EXPECT_TRUE(store_->writeInt(configKey("Screen"), 3));
    EXPECT_EQ(readSetting(*store_, configKey("Screen")), 3);
}

}  // namespace
}  // namespace rumo
