#include "settings/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "common/qt_values.h"

namespace rumo {

namespace {

constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;
constexpr int kMaxLinks = 40;
// A name of its own, so that cleaning up after a killed writer never touches a file the user
// keeps beside the settings (such as "rumo.conf.backup").
constexpr const char* kTemporarySuffix = ".saving-";

std::string failure(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at, which is the file we replace; the links stay.
std::optional<std::string> resolveLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : folderOf(path) + '/' + target;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Reads all of an open file straight into `out`; false with errno set on a read error.
bool readAll(int fd, std::string& out) {
    struct stat info {};
    const std::size_t expected =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    out.resize(expected + 1);  // one more byte tells whether the file grew meanwhile
    std::size_t have = 0;
    for (;;) {
        if (have == out.size()) {
            out.resize(out.size() * 2);
        }
        const ssize_t got = ::read(fd, out.data() + have, out.size() - have);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            out.resize(have);
            return true;
        }
        have += static_cast<std::size_t>(got);
    }
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Opens for reading without blocking on a FIFO or a device someone put in the file's place.
int openRegular(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Temporary files of writers killed before their rename ("<file>.saving-XXXXXX"). Called under the
// lock, when no writer of ours is between creating and renaming one.
void removeAbandonedTemporaries(const std::string& target) {
    const QFileInfo file(qtText(target));
    const QDir folder = file.absoluteDir();
    const QString pattern =
        file.fileName() + QString::fromLatin1(kTemporarySuffix) + QStringLiteral("??????");
    for (const QFileInfo& left : folder.entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        if (left.ownerId() == ::geteuid() && !left.isSymLink()) {
            QFile::remove(left.filePath());
        }
    }
}

std::string replaceFile(const std::string& target, const std::string& bytes) {
    std::string temporary = target + kTemporarySuffix + "XXXXXX";
    Descriptor out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (out.get() < 0) {
        return failure(target, errno);
    }
    auto abandon = [&](int error) {
        ::unlink(temporary.c_str());
        return failure(target, error);
    };
    if (::fchmod(out.get(), kOwnerOnly) != 0 || !writeAll(out.get(), bytes) ||
        ::fsync(out.get()) != 0) {
        return abandon(errno);
    }
    if (::close(out.release()) != 0) {
        return abandon(errno);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return abandon(errno);
    }
    // The rename itself must survive a power cut too.
    const Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
    return {};
}

}  // namespace

SettingsFileText decodeSettingsFile(std::string bytes) {
    using Encoding = SettingsFileText::Encoding;
    const bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
    const bool big = bytes.compare(0, 2, "\xFE\xFF") == 0;
    if (!little && !big) {
        return {std::move(bytes), Encoding::Utf8};
    }
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())).sliced(2));
    return {text.toStdString(), little ? Encoding::Utf16LE : Encoding::Utf16BE};
}

std::string encodeSettingsFile(std::string utf8, SettingsFileText::Encoding encoding) {
    using Encoding = SettingsFileText::Encoding;
    if (encoding == Encoding::Utf8) {
        return utf8;
    }
    const bool little = encoding == Encoding::Utf16LE;
    QStringEncoder encoder(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                           QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder(qtText(utf8));
    return std::string(little ? "\xFF\xFE" : "\xFE\xFF") + bytes.toStdString();
}

std::optional<std::string> readSettingsFile(const std::string& path) {
    const Descriptor in(openRegular(path));
    std::string bytes;
    if (in.get() < 0 || !readAll(in.get(), bytes)) {
        return std::nullopt;
    }
    return bytes;
}

std::string editSettingsFile(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string&)>& edit) {
    // The settings folder is made on first use; the folder a link points into is not: a link
    // to nowhere is reported rather than followed into a tree of new folders.
    const QString folder = QFileInfo(qtText(path)).absolutePath();
    if (!QFileInfo::exists(folder) && !QDir().mkpath(folder)) {
        return failure(folder.toStdString(), errno ? errno : EACCES);
    }
    const std::optional<std::string> target = resolveLinks(path);
    if (!target) {
        return failure(path, errno);
    }

    // The lock is a file of its own: the settings file is replaced by every write, so a lock on
    // it would be a lock on a file that no longer has the name. flock is dropped by the kernel
    // when its holder dies, so a killed writer never blocks the next.
    const std::string lockPath = *target + ".flock";
    const Descriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kOwnerOnly));
    if (lock.get() < 0) {
        return failure(*target, errno);  // the file the user knows, not our lock
    }
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return failure(*target, errno);  // the file the user knows, not our lock
        }
    }

    // Read under the lock, from the file itself: what another writer stored just before counts.
    std::string current;
    bool exists = true;
    {
        const Descriptor in(openRegular(*target));
        if (in.get() < 0 && errno == ENOENT) {
            exists = false;
        } else if (in.get() < 0 || !readAll(in.get(), current)) {
            // Writing now would replace values we cannot see.
            return failure(*target, errno);
        }
    }
    const std::optional<std::string> next = edit(current);
    if (!next) {
        if (!exists) {
            return {};
        }
        struct stat info {};
        if (::stat(target->c_str(), &info) == 0 && (info.st_mode & 07777) != kOwnerOnly &&
            ::chmod(target->c_str(), kOwnerOnly) != 0) {
            return failure(*target, errno);
        }
        return {};
    }
    // The rename would replace even a file the user made read-only, or one of another user's.
    if (exists && ::access(target->c_str(), W_OK) != 0) {
        return failure(*target, errno);
    }
    removeAbandonedTemporaries(*target);
    return replaceFile(*target, *next);
}

}  // namespace rumo
