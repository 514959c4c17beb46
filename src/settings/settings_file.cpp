#include "settings/settings_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/fsuid.h>
#endif

#include <QByteArray>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "common/qt_values.h"
#include "common/translate.h"

namespace rumo {

namespace {

constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;
constexpr int kMaxLinks = 40;
// A name of its own, so that cleaning up after a killed writer never touches a file the user
// keeps beside the settings (such as "rumo.conf.backup").
constexpr const char* kTemporarySuffix = ".saving-";
constexpr std::size_t kTemporaryTail = 6;
// A writer holds the lock for milliseconds; one that holds it longer is stuck, and the user is
// told rather than kept waiting.
constexpr auto kLockWait = std::chrono::seconds(3);

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
    void reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }

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

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<passwd> accountOf(uid_t uid, std::vector<char>& buffer) {
    buffer.resize(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return std::nullopt;
    }
    return entry;
}

std::string userName(uid_t uid) {
    std::vector<char> buffer;
    const std::optional<passwd> account = accountOf(uid, buffer);
    return account ? std::string(account->pw_name) : "user " + std::to_string(uid);
}

std::string notYours(const std::string& path, uid_t owner, uid_t acting) {
    return path + ": belongs to " + userName(owner) + ", not to " + userName(acting) +
           "; settings are written only by the user they belong to";
}

// A group only the user is in (a private group, as Debian gives each user) may write to the
// user's folder; so OpenSSH on Debian judges ~/.ssh too.
bool isPrivateGroup(gid_t gid, uid_t uid) {
    std::vector<char> userBuffer;
    const std::optional<passwd> account = accountOf(uid, userBuffer);
    if (!account || account->pw_gid != gid) {
        return false;
    }
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return false;
    }
    for (char** member = found->gr_mem; *member; ++member) {
        if (std::strcmp(*member, account->pw_name) != 0) {
            return false;
        }
    }
    return true;
}

// The folder must be the acting user's, and others must not be able to put or replace files in
// it: whoever can could redirect a save through a link of theirs, or hold its lock.
std::string checkFolder(const std::string& folder, const struct stat& info, uid_t acting) {
    if (!S_ISDIR(info.st_mode)) {
        return failure(folder, ENOTDIR);
    }
    if (info.st_uid != acting) {
        return notYours(folder, info.st_uid, acting);
    }
    const bool othersWrite =
        (info.st_mode & S_IWOTH) != 0 ||
        ((info.st_mode & S_IWGRP) != 0 && !isPrivateGroup(info.st_gid, acting));
    if (othersWrite && (info.st_mode & S_ISVTX) == 0) {
        return folder +
               ": other users can write to this folder; the settings are not written until "
               "it is private (chmod go-w '" +
               folder + "')";
    }
    return {};
}

// Root acting for a user (sudo with HOME kept) takes that user's file-system identity for this
// thread: what it creates is the user's, and what the user may not open it may not either. Linux
// keeps this identity per thread, so the rest of the program is untouched.
class FileIdentity {
public:
    FileIdentity() = default;
    FileIdentity(const FileIdentity&) = delete;
    FileIdentity& operator=(const FileIdentity&) = delete;
    ~FileIdentity() {
#ifdef __linux__
        if (changed_) {
            ::setfsuid(0);
            ::setfsgid(savedGroup_);
        }
#endif
    }

    // Takes the identity of the owner of `folder`, or of the nearest folder above it that exists
    // (the settings folder is made on first use). The uid acted for, or a reason for refusing.
    std::string actFor(const std::string& folder, uid_t& acting) {
        const uid_t me = ::geteuid();
        acting = me;
        std::string existing = folder;
        struct stat info {};
        while (::stat(existing.c_str(), &info) != 0) {
            if (errno != ENOENT || existing == "/" || existing == ".") {
                return failure(existing, errno);
            }
            existing = folderOf(existing);
        }
        // Anyone may make a folder of their own in a sticky folder such as /tmp.
        const bool shared = existing != folder && (info.st_mode & S_ISVTX) != 0;
        if (info.st_uid == me || shared) {
            return {};
        }
#ifdef __linux__
        if (me == 0) {
            std::vector<char> buffer;
            const std::optional<passwd> account = accountOf(info.st_uid, buffer);
            const gid_t groupId = account ? account->pw_gid : info.st_gid;
            savedGroup_ = static_cast<gid_t>(::setfsgid(groupId));
            ::setfsuid(info.st_uid);
            changed_ = true;
            if (static_cast<uid_t>(::setfsuid(static_cast<uid_t>(-1))) == info.st_uid &&
                static_cast<gid_t>(::setfsgid(static_cast<gid_t>(-1))) == groupId) {
                acting = info.st_uid;
                return {};
            }
        }
#endif
        return notYours(existing, info.st_uid, me);
    }

private:
    bool changed_ = false;
    gid_t savedGroup_ = 0;
};

// Makes the missing folders of `folder`, private to their owner.
std::string makeFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        return {};
    }
    if (folder != "/" && folder != ".") {
        if (std::string failed = makeFolders(folderOf(folder)); !failed.empty()) {
            return failed;
        }
    }
    if (::mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
        return failure(folder, errno);
    }
    return {};
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

// The lock is a file of its own: the settings file is replaced by every write, so a lock on it
// would be a lock on a file that no longer has the name. flock is dropped by the kernel when its
// holder dies, so a killed writer never blocks the next; a live one that keeps it too long is
// reported.
std::string takeLock(int folder, const std::string& lockPath, uid_t acting, Descriptor& lock) {
    const std::string name = nameOf(lockPath);
    lock.reset(::openat(folder, name.c_str(),
                        O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kOwnerOnly));
    if (lock.get() < 0) {
        return failure(lockPath, errno);
    }
    struct stat info {};
    if (::fstat(lock.get(), &info) != 0) {
        return failure(lockPath, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return failure(lockPath, EINVAL);
    }
    if (info.st_uid != acting) {
        return notYours(lockPath, info.st_uid, acting);
    }
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    auto pause = std::chrono::microseconds(200);
    while (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return failure(lockPath, errno);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return lockPath + ": " +
                   translate("Messages", "The settings file is in use by another program");
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
    return {};
}

bool isTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string prefix = name + kTemporarySuffix;
    return entry.size() == prefix.size() + kTemporaryTail &&
           entry.compare(0, prefix.size(), prefix) == 0;
}

// Temporary files of writers killed before their rename ("<file>.saving-XXXXXX"). Called under the
// lock, when no writer of ours is between creating and renaming one.
void removeAbandonedTemporaries(int folder, const std::string& name, uid_t acting) {
    const int listed = ::dup(folder);
    DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!entries) {
        if (listed >= 0) {
            ::close(listed);
        }
        return;
    }
    ::rewinddir(entries);
    std::vector<std::string> abandoned;
    while (const dirent* entry = ::readdir(entries)) {
        struct stat info {};
        if (isTemporaryOf(entry->d_name, name) &&
            ::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == acting) {
            abandoned.emplace_back(entry->d_name);
        }
    }
    ::closedir(entries);
    for (const std::string& left : abandoned) {
        ::unlinkat(folder, left.c_str(), 0);
    }
}

// A new file of our own beside the target, opened for writing.
int createTemporary(int folder, const std::string& name, std::string& temporary) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[kTemporaryTail] = {};
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
            return -1;
        }
        temporary = name + kTemporarySuffix;
        for (const unsigned char r : random) {
            temporary += kLetters[r % (sizeof kLetters - 1)];
        }
        const int fd = ::openat(folder, temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kOwnerOnly);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

std::string replaceFile(int folder, const std::string& target, const std::string& bytes) {
    const std::string name = nameOf(target);
    std::string temporary;
    Descriptor out(createTemporary(folder, name, temporary));
    if (out.get() < 0) {
        return failure(target, errno);
    }
    auto abandon = [&](int error) {
        ::unlinkat(folder, temporary.c_str(), 0);
        return failure(target, error);
    };
    if (::fchmod(out.get(), kOwnerOnly) != 0 || !writeAll(out.get(), bytes) ||
        ::fsync(out.get()) != 0) {
        return abandon(errno);
    }
    if (::close(out.release()) != 0) {
        return abandon(errno);
    }
    if (::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) {
        return abandon(errno);
    }
    // The rename itself must survive a power cut too.
    ::fsync(folder);
    return {};
}

}  // namespace

SettingsFileText decodeSettingsFile(std::string bytes) {
    using Encoding = SettingsFileText::Encoding;
    const auto byte = [&](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100U;
    };
    const bool littleMark = byte(0) == 0xFF && byte(1) == 0xFE;
    const bool bigMark = byte(0) == 0xFE && byte(1) == 0xFF;
    // Without a mark, an ASCII character paired with a zero byte is UTF-16 (Notepad's "Unicode"
    // saved by a tool that drops the mark); a UTF-8 file never holds a zero byte.
    const bool little = littleMark || (byte(0) > 0 && byte(0) < 0x80 && byte(1) == 0);
    const bool big = bigMark || (byte(0) == 0 && byte(1) > 0 && byte(1) < 0x80);
    if (!little && !big) {
        return {std::move(bytes), Encoding::Utf8};
    }
    const bool mark = littleMark || bigMark;
    const Encoding encoding = little ? Encoding::Utf16LE : Encoding::Utf16BE;
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::Stateless);
    const QString text =
        decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())).sliced(mark ? 2 : 0));
    SettingsFileText file{text.toStdString(), encoding, mark};
    // An unpaired surrogate or an odd last byte has no UTF-8 form: a write would change it.
    file.exact = !decoder.hasError() && encodeSettingsFile(file.utf8, encoding, mark) == bytes;
    return file;
}

std::string encodeSettingsFile(std::string utf8, SettingsFileText::Encoding encoding,
                               bool byteOrderMark) {
    using Encoding = SettingsFileText::Encoding;
    if (encoding == Encoding::Utf8) {
        return utf8;
    }
    const bool little = encoding == Encoding::Utf16LE;
    QStringEncoder encoder(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                           QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder(qtText(utf8));
    const std::string mark = byteOrderMark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
    return mark + bytes.toStdString();
}

std::optional<std::string> readSettingsFile(const std::string& path) {
    // Root reads for a user only what that user could read; anyone else reads as themselves.
    FileIdentity identity;
    uid_t acting = 0;
    identity.actFor(folderOf(QFileInfo(qtText(path)).absoluteFilePath().toStdString()), acting);
    const Descriptor in(openRegular(path));
    std::string bytes;
    if (in.get() < 0 || !readAll(in.get(), bytes)) {
        return std::nullopt;
    }
    return bytes;
}

std::string editSettingsFile(
    const std::string& givenPath,
    const std::function<std::optional<std::string>(const std::string&)>& edit) {
    const std::string path = QFileInfo(qtText(givenPath)).absoluteFilePath().toStdString();
    const std::string settingsFolder = folderOf(path);
    FileIdentity identity;
    uid_t acting = 0;
    if (std::string refused = identity.actFor(settingsFolder, acting); !refused.empty()) {
        return refused;
    }
    // The settings folder is made on first use; the folder a link points into is not: a link
    // to nowhere is reported rather than followed into a tree of new folders.
    if (std::string failed = makeFolders(settingsFolder); !failed.empty()) {
        return failed;
    }
    struct stat info {};
    if (::stat(settingsFolder.c_str(), &info) != 0) {
        return failure(settingsFolder, errno);
    }
    if (std::string refused = checkFolder(settingsFolder, info, acting); !refused.empty()) {
        return refused;
    }
    const std::optional<std::string> target = resolveLinks(path);
    if (!target) {
        return failure(path, errno);
    }
    // A refusal beyond a link says where it was found.
    const auto viaLink = [&](std::string refused) {
        return *target == path || refused.empty() ? refused
                                                  : refused + " (" + path + " leads there)";
    };
    // Everything from here on goes through the folder the file is in, checked once: its name
    // cannot be turned into a link to elsewhere meanwhile.
    const std::string targetFolder = folderOf(*target);
    const Descriptor folder(::open(targetFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0 || ::fstat(folder.get(), &info) != 0) {
        return failure(targetFolder, errno);
    }
    if (std::string refused = checkFolder(targetFolder, info, acting); !refused.empty()) {
        return viaLink(refused);
    }

    // Nothing is made beside a file of someone else's, not even our lock.
    const std::string name = nameOf(*target);
    if (::fstatat(folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        info.st_uid != acting) {
        return viaLink(notYours(*target, info.st_uid, acting));
    }

    Descriptor lock(-1);
    if (std::string failed = takeLock(folder.get(), *target + ".flock", acting, lock);
        !failed.empty()) {
        return viaLink(failed);
    }

    // Read under the lock, from the file itself: what another writer stored just before counts.
    const Descriptor in(
        ::openat(folder.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    std::string current;
    const bool exists = in.get() >= 0;
    if (!exists && errno != ENOENT) {
        return failure(*target, errno);
    }
    if (exists) {
        if (::fstat(in.get(), &info) != 0) {
            return failure(*target, errno);
        }
        if (!S_ISREG(info.st_mode)) {
            return failure(*target, EINVAL);
        }
        // Never through a link to a file of someone else's, and never over one.
        if (info.st_uid != acting) {
            return viaLink(notYours(*target, info.st_uid, acting));
        }
        if (!readAll(in.get(), current)) {
            // Writing now would replace values we cannot see.
            return failure(*target, errno);
        }
    }
    const std::optional<std::string> next = edit(current);
    if (!next) {
        if (exists && (info.st_mode & 07777) != kOwnerOnly && ::fchmod(in.get(), kOwnerOnly) != 0) {
            return failure(*target, errno);
        }
        return {};
    }
    // The rename would replace even a file the user made read-only.
    if (exists && (info.st_mode & S_IWUSR) == 0) {
        return failure(*target, EACCES);
    }
    removeAbandonedTemporaries(folder.get(), name, acting);
    return replaceFile(folder.get(), *target, *next);
}

}  // namespace rumo
