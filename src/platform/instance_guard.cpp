#include "platform/instance_guard.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace rumo {

namespace {

// Why a folder cannot hold the guard, or empty when it can: it must be a real folder of ours
// that nobody else can enter, or a process of another user could hold or remove our lock.
QString unusableBecause(const QString& folder) {
    if (folder.isEmpty()) {
        return QStringLiteral("not set");
    }
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!S_ISDIR(info.st_mode)) {
        return QStringLiteral("not a folder");
    }
    if (info.st_uid != ::geteuid()) {
        return QStringLiteral("owned by another user");
    }
    if ((info.st_mode & 0077) != 0) {
        return QStringLiteral("open to other users");
    }
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    return {};
}

// Our own folder under the user's cache folder, made private if we made it. The home folder is
// the user's own from the password database: HOME and XDG_CACHE_HOME differ between a desktop
// session, an ssh shell and su.
QString fallbackFolder(const QString& home) {
    const QString cache = QDir(home).filePath(QStringLiteral(".cache"));
    const QString folder = QDir(cache).filePath(QStringLiteral("Zelkar/runtime"));
    QDir().mkpath(cache + QStringLiteral("/Zelkar"));
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
        info.st_uid == ::geteuid() && (info.st_mode & 0077) != 0) {
        ::chmod(path.constData(), 0700);
    }
    return folder;
}

QString homeOf(uid_t uid) {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && found->pw_dir[0] == '/') {
        return QFile::decodeName(found->pw_dir);
    }
    return QDir::homePath();  // a user the database does not know has only this
}

QString chooseInstanceFolder() {
    // Test sessions keep their instances apart by naming a folder of their own.
    const QString forced = qEnvironmentVariable("RUMO_INSTANCE_FOLDER");
    if (!forced.isEmpty()) {
        return forced;
    }
    const uid_t uid = ::getuid();
    return instanceFolderFor(uid, QStringLiteral("/run/user"), homeOf(uid));
}

}  // namespace

QString instanceFolderFor(uid_t uid, const QString& runtimeBase, const QString& home) {
    const QString runtime = QDir(runtimeBase).filePath(QString::number(uid));
    if (unusableBecause(runtime).isEmpty()) {
        return runtime;
    }
    const QString folder = fallbackFolder(home);
    if (const QString why = unusableBecause(folder); !why.isEmpty()) {
        std::fprintf(stderr, "rumo: the single-instance lock's folder %s is %s\n",
                     qPrintable(folder), qPrintable(why));
    }
    return folder;
}

QString instanceFolder() {
    static const QString folder = chooseInstanceFolder();
    return folder;
}

InstanceGuard::InstanceGuard(QString folder, const QString& fileName) {
    if (folder.isEmpty()) {
        folder = instanceFolder();
    }
    path_ = QDir(folder).filePath(fileName);
}

InstanceGuard::~InstanceGuard() {
    if (fd_ >= 0) {
        ::close(fd_);  // the lock goes with the descriptor; the file stays for the next start
    }
}

InstanceGuard::Outcome InstanceGuard::acquire() {
    // The file is never removed: removing it would let a start that opened the old file and a
    // start that made a new one both hold "the" lock.
    const int fd = ::open(QFile::encodeName(path_).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "rumo: cannot open the single-instance lock %s: %s\n",
                     qPrintable(path_), std::strerror(errno));
        return Outcome::Unusable;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            const bool another = errno == EWOULDBLOCK;
            if (!another) {
                std::fprintf(stderr, "rumo: cannot lock %s: %s\n", qPrintable(path_),
                             std::strerror(errno));
            }
            ::close(fd);
            return another ? Outcome::HeldElsewhere : Outcome::Unusable;
        }
    }
    fd_ = fd;
    return Outcome::Held;
}

}  // namespace rumo
