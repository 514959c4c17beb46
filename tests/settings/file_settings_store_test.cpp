#include "settings/file_settings_store.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <random>

#include "settings/int_text.h"

namespace rumo {
namespace {

// Keys outside the table, as the writers below fill them in; -1 when missing.
int integerOr(const SettingsSnapshot& values, const SettingKey& key) {
    return parseStoredInt(values.find(key).value_or("")).value_or(-1);
}

const QString kTool = QStringLiteral(RUMO_BINARY_DIR "/rumo-settings");

// Each test has a settings file of its own, removed before it starts.
class FileSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        appName_ = QStringLiteral("store-") + QString::fromUtf8(info->name());
        store_ = std::make_unique<FileSettingsStore>(appName_);
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

    void writeFile(const QByteArray& bytes) {
        QFile file(store_->filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray fileBytes() {
        QFile file(store_->filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString appName_;
    std::unique_ptr<FileSettingsStore> store_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(FileSettingsStoreTest, ReadingAMissingFileCreatesNothing) {
    EXPECT_EQ(store_->read(settings::Size), 240);
    EXPECT_FALSE(QFileInfo::exists(store_->filePath()));  // reading creates nothing
}

TEST_F(FileSettingsStoreTest, FileIsPrivateToItsOwner) {
    ASSERT_TRUE(store_->set(settings::Password, "secret"));
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                        QFileDevice::WriteOther;
    EXPECT_EQ(QFileInfo(store_->filePath()).permissions() & (ownerOnly | others), ownerOnly);
    QFile::setPermissions(store_->filePath(),
                          ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ASSERT_TRUE(store_->set(settings::Esc, true));
    EXPECT_EQ(QFileInfo(store_->filePath()).permissions() & others, QFileDevice::Permissions());
}

TEST_F(FileSettingsStoreTest, CorruptFileReadsAsDefaultsAndAWriteKeepsWhatCouldBeRead) {
    {
        QFile file(store_->filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "[Config]\nName=Taro\nSize=abc\n\x01\xff\xfe garbage ===\n[[[broken\n"
            "Screen\n");
    }
    EXPECT_EQ(store_->read(settings::Size), 240);
    EXPECT_EQ(store_->read(settings::Screen), 0);
    EXPECT_EQ(store_->read(settings::Name), "Taro");
    ASSERT_TRUE(store_->set(settings::Riseki, true));
    EXPECT_EQ(store_->read(settings::Name), "Taro");
    EXPECT_EQ(store_->read(settings::Riseki), 1);
}

TEST_F(FileSettingsStoreTest, BinaryGarbageReadsAsDefaults) {
    {
        QFile file(store_->filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray junk;
        for (int i = 0; i < 4096; ++i) {
            junk.append(static_cast<char>((i * 7919) & 0xFF));
        }
        file.write(junk);
    }
    EXPECT_EQ(store_->read(settings::Size), 240);
    EXPECT_TRUE(store_->set(settings::Size, 200));
    EXPECT_EQ(store_->read(settings::Size), 200);
}

TEST_F(FileSettingsStoreTest, UnreadableOrReadOnlyFileIsNeverReplaced) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    ASSERT_TRUE(store_->set(settings::Name, "Taro"));
    QFile::setPermissions(store_->filePath(), QFileDevice::Permissions());
    EXPECT_EQ(store_->read(settings::Name), "");
    EXPECT_FALSE(store_->set(settings::Esc, true));
    QFile::setPermissions(store_->filePath(), QFileDevice::ReadOwner);
    const WriteStatus readOnly = store_->write({textWrite(settings::Esc, "1")});
    EXPECT_NE(readOnly.error.find("Permission denied"), std::string::npos) << readOnly.error;
    QFile::setPermissions(store_->filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(store_->read(settings::Name), "Taro");
    EXPECT_EQ(store_->snapshot().find(settings::Esc.key()), std::nullopt);
}

TEST_F(FileSettingsStoreTest, ReadsSeeWhatAnotherProcessJustWrote) {
    for (int round = 0; round < 6; ++round) {
        const QString value = QString::number(round % 2);
        runTool(
            {QStringLiteral("set-int"), QStringLiteral("Config"), QStringLiteral("Esc"), value});
        EXPECT_EQ(store_->read(settings::Esc), round % 2) << "round " << round;
    }
}

TEST_F(FileSettingsStoreTest, TwoProcessesWritingDifferentKeysLoseNothing) {
    // The race is in the locking, not in the disk: on a memory file system the 2,000 writes take
    // a second or two instead of twenty spent waiting for fsync.
    const QTemporaryDir memory(QStringLiteral("/dev/shm/rumo-store-XXXXXX"));
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", configHome); });
    if (memory.isValid()) {
        qputenv("XDG_CONFIG_HOME", memory.path().toUtf8());
        store_ = std::make_unique<FileSettingsStore>(appName_);
    }
    constexpr int kWrites = 1000;
    const QString count = QString::number(kWrites);
    QProcess* first =
        startTool({QStringLiteral("fill"), QStringLiteral("Config"), QStringLiteral("A"), count});
    QProcess* second =
        startTool({QStringLiteral("fill"), QStringLiteral("Config"), QStringLiteral("B"), count});
    ASSERT_TRUE(first->waitForFinished(120000));
    ASSERT_TRUE(second->waitForFinished(120000));
    ASSERT_EQ(first->exitCode(), 0);
    ASSERT_EQ(second->exitCode(), 0);
    const SettingsSnapshot values = store_->snapshot();
    for (int n = 1; n <= kWrites; ++n) {
        ASSERT_EQ(integerOr(values, {"Config", "A" + std::to_string(n)}), n);
        ASSERT_EQ(integerOr(values, {"Config", "B" + std::to_string(n)}), n);
    }
}

TEST_F(FileSettingsStoreTest, WritersKilledAtRandomPointsNeverLoseACommittedValue) {
    ASSERT_TRUE(store_->set(settings::Name, "Taro"));
    std::mt19937 random(20261209);
    for (int round = 0; round < 4; ++round) {
        const std::string prefix = "K" + std::to_string(round) + "_";
        QProcess* writer = startTool({QStringLiteral("fill"), QStringLiteral("Config"),
                                      QString::fromStdString(prefix), QStringLiteral("100000")});
        // Killed after a random number of writes, at whatever point of a write it then is.
        const int target = std::uniform_int_distribution<int>(1, 40)(random);
        const std::string last = prefix + std::to_string(target);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (integerOr(store_->snapshot(), {"Config", last}) != target &&
               std::chrono::steady_clock::now() < deadline) {
            QThread::usleep(std::uniform_int_distribution<unsigned>(0, 3000)(random));
        }
        writer->kill();
        ASSERT_TRUE(writer->waitForFinished(10000));

        // Every key that made it to disk is whole, nothing committed before is lost, and the next
        // write works.
        const SettingsSnapshot values = store_->snapshot();
        EXPECT_EQ(values.read(settings::Name), "Taro");
        for (int earlier = 0; earlier < round; ++earlier) {
            EXPECT_EQ(integerOr(values, {"Config", "K" + std::to_string(earlier) + "_1"}), 1);
        }
        int written = 0;
        while (integerOr(values, {"Config", prefix + std::to_string(written + 1)}) == written + 1) {
            ++written;
        }
        EXPECT_GE(written, target);
        EXPECT_EQ(integerOr(values, {"Config", prefix + std::to_string(written + 2)}), -1);
        EXPECT_TRUE(store_->set(settings::Screen, round));
        EXPECT_EQ(store_->read(settings::Screen), round);
    }
    // A killed writer's temporary file holds the password too: the next write removes it, and
    // only it.
    const QDir folder = QFileInfo(store_->filePath()).absoluteDir();
    QFile backup(store_->filePath() + QStringLiteral(".backup"));
    ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
    backup.close();
    QFile abandoned(store_->filePath() + QStringLiteral(".saving-AbC123"));
    ASSERT_TRUE(abandoned.open(QIODevice::WriteOnly));
    abandoned.close();
    ASSERT_TRUE(store_->set(settings::Esc, true));
    EXPECT_EQ(folder.entryList({QFileInfo(store_->filePath()).fileName() + QStringLiteral(".*")},
                               QDir::Files | QDir::Hidden),
              (QStringList{QFileInfo(store_->filePath()).fileName() + QStringLiteral(".backup"),
                           QFileInfo(store_->filePath()).fileName() + QStringLiteral(".flock")}));
}

TEST_F(FileSettingsStoreTest, OtherLinesSurviveWritesByteForByte) {
    const QByteArray original(
        "; kept by hand\n"
        "[Config]\n"
        "Name=\x8E\x52\x93\x63\n"    // 山田 in Shift-JIS, as a Japanese Windows machine wrote it
        "Place1=\xE5\xA4\xA7\xE9\n"  // a cut UTF-8 sequence
        "Memo1=\"unbalanced\n"
        "Place2=\xE5\xA4\xA7\xE9\x98\xAA\n");
    writeFile(original);
    EXPECT_EQ(store_->read(settings::Name), "山田");
    EXPECT_EQ(store_->read(settings::Place(1)), "大\xEF\xBF\xBD");
    EXPECT_EQ(store_->read(settings::Place(2)), "大阪");
    EXPECT_EQ(store_->read(settings::Memo(1)), "unbalanced");

    ASSERT_TRUE(store_->set(settings::Endflg, false));
    ASSERT_TRUE(store_->set(settings::Path, "/home/u"));
    EXPECT_EQ(fileBytes(), original + "Endflg=0\nPath=/home/u\n");
    // Saving what was shown leaves the undecodable bytes alone; a changed value is UTF-8.
    ASSERT_TRUE(store_
                    ->write({textWrite(settings::Name, "山田"),
                             textWrite(settings::Place(1), "大\xEF\xBF\xBD")})
                    .ok());
    EXPECT_EQ(fileBytes(), original + "Endflg=0\nPath=/home/u\n");
    ASSERT_TRUE(store_->set(settings::Name, "山本"));
    EXPECT_TRUE(fileBytes().contains("Name=山本\n"));
}

TEST_F(FileSettingsStoreTest, FilesOfQSettingsAndOursReadTheSameThroughEither) {
    const QString tricky = QStringLiteral(" 会議室, 3F; \"x\" \\ @ \t\u0001end ");
    {
        QSettings qt(store_->filePath(), QSettings::IniFormat);
        qt.setValue(QStringLiteral("Config/Where"), tricky);
        qt.setValue(QStringLiteral("Config/Minf2/Memo2x"), 12);
        qt.setValue(QStringLiteral("Config/Gazo/Gazo3"), QStringLiteral("@/写真.jpg"));
    }
    EXPECT_EQ(store_->read(settings::Where), tricky.toStdString());
    EXPECT_EQ(store_->read(settings::MemoX(2)), 12);
    EXPECT_EQ(store_->read(settings::Gazo(3)), "@/写真.jpg");

    ASSERT_TRUE(store_->set(settings::Name, tricky.toStdString()));
    ASSERT_TRUE(store_->set(settings::MemoY(4), -3));
    ASSERT_TRUE(store_->set(settings::Gazo(3), "@@x"));
    QSettings qt(store_->filePath(), QSettings::IniFormat);
    EXPECT_EQ(qt.value(QStringLiteral("Config/Name")).toString(), tricky);
    EXPECT_EQ(qt.value(QStringLiteral("Config/Minf4/Memo4y")).toInt(), -3);
    EXPECT_EQ(qt.value(QStringLiteral("Config/Gazo/Gazo3")).toString(), QStringLiteral("@@x"));
    EXPECT_EQ(qt.value(QStringLiteral("Config/Where")).toString(), tricky);
}

TEST_F(FileSettingsStoreTest, AUtf16FileStaysUtf16) {
    const QString text = QStringLiteral("[Config]\r\nWhere=会議室\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    writeFile(bytes);
    EXPECT_EQ(store_->read(settings::Where), "会議室");
    ASSERT_TRUE(store_->set(settings::Esc, true));
    const QString after = QStringLiteral("[Config]\r\nWhere=会議室\r\nEsc=1\r\n");
    QByteArray expected("\xFF\xFE", 2);
    expected.append(reinterpret_cast<const char*>(after.utf16()), after.size() * 2);
    EXPECT_EQ(fileBytes(), expected);

    // Without its mark it is still UTF-16, and stays so.
    writeFile(expected.mid(2));
    ASSERT_TRUE(store_->set(settings::Name, "山"));
    const QString named = after + QStringLiteral("Name=山\r\n");
    EXPECT_EQ(fileBytes(),
              QByteArray(reinterpret_cast<const char*>(named.utf16()), named.size() * 2));

    // An unpaired surrogate in another line has no form a write could keep: refused, untouched.
    QByteArray broken = expected;
    broken.append("\x00\xD8\r\x00\n\x00", 6);
    writeFile(broken);
    EXPECT_EQ(store_->read(settings::Where), "会議室");
    const WriteStatus refused = store_->write({textWrite(settings::Name, "x")});
    EXPECT_NE(refused.error.find("UTF-16"), std::string::npos) << refused.error;
    EXPECT_EQ(fileBytes(), broken);
}

TEST_F(FileSettingsStoreTest, WritesGoThroughLinksAndALinkToNowhereIsReported) {
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("real.conf"));
    QFile::remove(store_->filePath());
    ASSERT_TRUE(QFile::link(target, store_->filePath()));
    ASSERT_TRUE(store_->set(settings::Where, "a"));
    EXPECT_TRUE(QFileInfo(store_->filePath()).isSymLink());
    EXPECT_EQ(store_->read(settings::Where), "a");

    QFile::remove(store_->filePath());
    ASSERT_TRUE(
        QFile::link(elsewhere.filePath(QStringLiteral("gone/real.conf")), store_->filePath()));
    const WriteStatus status = store_->write({textWrite(settings::Where, "b")});
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error.find("No such file"), std::string::npos) << status.error;
}

// A held lock is reported once its wait is over, naming the lock; the next write works.
TEST_F(FileSettingsStoreTest, AHeldLockGivesAClearFailure) {
    ASSERT_TRUE(store_->set(settings::Name, "Taro"));
    {
        QFile lock(store_->filePath() + QStringLiteral(".flock"));
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
        ASSERT_EQ(::flock(lock.handle(), LOCK_EX), 0);
        const WriteStatus busy = store_->write({textWrite(settings::Name, "Jiro")});
        EXPECT_NE(busy.error.find("設定ファイルが他のプログラムに使用されています"),
                  std::string::npos);
        EXPECT_NE(busy.error.find(".flock"), std::string::npos) << busy.error;
    }
    EXPECT_TRUE(store_->set(settings::Name, "Jiro"));
}

TEST_F(FileSettingsStoreTest, AFolderOthersCanWriteIsRefused) {
    const QTemporaryDir config;
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", configHome); });
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    store_ = std::make_unique<FileSettingsStore>(appName_);
    const QString folder = QFileInfo(store_->filePath()).absolutePath();
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
    const WriteStatus loose = store_->write({textWrite(settings::Name, "Taro")});
    EXPECT_NE(loose.error.find(folder.toStdString() + ": other users can write"), std::string::npos)
        << loose.error;
    EXPECT_FALSE(QFileInfo::exists(store_->filePath()));
    // A sticky folder keeps others from replacing what is ours.
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 01777), 0);
    EXPECT_TRUE(store_->set(settings::Name, "Taro"));
}

// Another user's settings folder, as `sudo -E` leaves it to root: kept in a folder of its own,
// with its settings written by root (this process) and by its owner (through setpriv).
class OwnedSettingsTest : public ::testing::Test {
protected:
    static constexpr uid_t kOwner = 65534;  // nobody

    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs root to act for another user";
        }
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()) {
            GTEST_SKIP() << "setpriv (util-linux) is not installed";
        }
        ASSERT_TRUE(base_.isValid());
        ASSERT_EQ(::chmod(native(base_.path()), 0755), 0);
        config_ = base_.filePath(QStringLiteral("config"));
        ASSERT_TRUE(QDir().mkpath(config_));
        ASSERT_EQ(::chmod(native(config_), 0700), 0);
        ASSERT_EQ(::chown(native(config_), kOwner, kOwner), 0);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_));
        store_ = std::make_unique<FileSettingsStore>(QStringLiteral("owned"));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", configHome_); }

    static const char* native(const QString& path) {
        static QByteArray bytes;
        bytes = QFile::encodeName(path);
        return bytes.constData();
    }

    // The tool run as the owner; its exit status, with what it printed in `output`.
    int asOwner(const QStringList& arguments, QString* output = nullptr) {
        QProcess process;
        process.setProgram(QStringLiteral("setpriv"));
        process.setArguments(QStringList{QStringLiteral("--reuid=65534"),
                                         QStringLiteral("--regid=65534"),
                                         QStringLiteral("--clear-groups"), QStringLiteral("--"),
                                         kTool, QStringLiteral("--app"), QStringLiteral("owned")} +
                             arguments);
        process.start();
        process.waitForFinished(30000);
        if (output) {
            *output =
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    static uid_t ownerOf(const QString& path) {
        struct stat info {};
        return ::lstat(native(path), &info) == 0 ? info.st_uid : uid_t(-1);
    }

    QByteArray configHome_ = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir base_;
    QString config_;
    std::unique_ptr<FileSettingsStore> store_;
};

TEST_F(OwnedSettingsTest, RootWritesAsTheOwnerAndLeavesTheOwnerEverything) {
    ASSERT_TRUE(store_->set(settings::Password, "secret"));
    const QString file = store_->filePath();
    for (const QString& made :
         {QFileInfo(file).absolutePath(), file, file + QStringLiteral(".flock")}) {
        EXPECT_EQ(ownerOf(made), kOwner) << made.toStdString();
    }
    QString output;
    EXPECT_EQ(asOwner({QStringLiteral("set"), QStringLiteral("Config"), QStringLiteral("Esc"),
                       QStringLiteral("1")}),
              0);
    EXPECT_EQ(asOwner({QStringLiteral("get"), QStringLiteral("Config"), QStringLiteral("Password")},
                      &output),
              0);
    EXPECT_EQ(output, QStringLiteral("secret\n"));
    EXPECT_EQ(store_->read(settings::Esc), 1);

    // The owner, for their part, may not write into root's folder, and is told whose it is.
    ASSERT_EQ(::chown(native(QFileInfo(file).absolutePath()), 0, 0), 0);
    ASSERT_EQ(::chown(native(config_), 0, 0), 0);
    ASSERT_EQ(::chmod(native(config_), 0755), 0);
    EXPECT_EQ(asOwner({QStringLiteral("set"), QStringLiteral("Config"), QStringLiteral("Esc"),
                       QStringLiteral("0")},
                      &output),
              1);
    EXPECT_TRUE(output.contains(QStringLiteral("belongs to root"))) << output.toStdString();
}

TEST_F(OwnedSettingsTest, ALinkToAnotherUsersFileIsNeverWritten) {
    const QString folder = QFileInfo(store_->filePath()).absolutePath();
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chown(native(folder), kOwner, kOwner), 0);
    const QString victim = folder + QStringLiteral("/victim.conf");
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept\n");
    }
    ASSERT_EQ(::chmod(native(victim), 0640), 0);
    const auto untouched = [&] {
        QFile file(victim);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("kept\n"));
        struct stat info {};
        EXPECT_EQ(::stat(native(victim), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640U);
        EXPECT_EQ(info.st_uid, 0U);
        EXPECT_FALSE(QFileInfo::exists(victim + QStringLiteral(".flock")));
    };

    ASSERT_TRUE(QFile::link(victim, store_->filePath()));
    ASSERT_EQ(::lchown(native(store_->filePath()), kOwner, kOwner), 0);
    const WriteStatus asRoot = store_->write({textWrite(settings::Where, "x")});
    EXPECT_NE(asRoot.error.find(victim.toStdString() + ": belongs to root"), std::string::npos)
        << asRoot.error;
    EXPECT_NE(asOwner({QStringLiteral("set"), QStringLiteral("Config"), QStringLiteral("Where"),
                       QStringLiteral("x")}),
              0);
    untouched();

    // Nor is the lock followed anywhere.
    ASSERT_TRUE(QFile::remove(store_->filePath()));
    ASSERT_TRUE(QFile::link(victim, store_->filePath() + QStringLiteral(".flock")));
    const WriteStatus lock = store_->write({textWrite(settings::Where, "x")});
    EXPECT_NE(lock.error.find(".flock"), std::string::npos) << lock.error;
    untouched();
}

// A tiny file system of our own: full, then read-only. Mounting needs privileges a test run may
// not have.
TEST_F(FileSettingsStoreTest, AFullDiskOrReadOnlyMountIsReportedAndKeepsTheFile) {
    QTemporaryDir mountPoint;
    const auto run = [](const QStringList& arguments) {
        return QProcess::execute(QStringLiteral("mount"), arguments) == 0;
    };
    if (!run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
              QStringLiteral("size=64k"), QStringLiteral("tmpfs"), mountPoint.path()})) {
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    }
    const auto unmount =
        qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {mountPoint.path()}); });
    QFile::remove(store_->filePath());
    ASSERT_TRUE(QFile::link(mountPoint.filePath(QStringLiteral("rumo.conf")), store_->filePath()));
    ASSERT_TRUE(store_->set(settings::Name, "Taro"));
    const QByteArray before = fileBytes();
    {
        QFile filler(mountPoint.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    const WriteStatus full = store_->write({textWrite(settings::Memo(1), std::string(16384, 'm'))});
    EXPECT_FALSE(full.ok());
    EXPECT_NE(full.error.find("No space left"), std::string::npos) << full.error;
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(QDir(mountPoint.path()).entryList(QDir::Files).size(), 3);  // no temporary left

    QFile::remove(mountPoint.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(run({QStringLiteral("-o"), QStringLiteral("remount,ro"), mountPoint.path()}));
    const WriteStatus readOnly = store_->write({textWrite(settings::Memo(1), "m")});
    EXPECT_FALSE(readOnly.ok());
    EXPECT_NE(readOnly.error.find("Read-only"), std::string::npos) << readOnly.error;
    EXPECT_EQ(fileBytes(), before);
}

}  // namespace
}  // namespace rumo
