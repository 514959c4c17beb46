#include "platform/instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

// Our own folder under the cache folder, made private if we made it.
QString fallbackFolder() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) {
        cache = QDir::homePath() + QStringLiteral("/.cache");
    }
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

QString chooseInstanceFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString why = unusableBecause(runtime);
    if (why.isEmpty()) {
        return runtime;
    }
    const QString folder = fallbackFolder();
    const QString fallbackWhy = unusableBecause(folder);
    std::fprintf(
        stderr, "rumo: XDG_RUNTIME_DIR (%s) is %s; the single-instance lock is kept in %s%s\n",
        qPrintable(runtime), qPrintable(why), qPrintable(folder),
        fallbackWhy.isEmpty() ? "" : qPrintable(QStringLiteral(", which is ") + fallbackWhy));
    return folder;
}

}  // namespace

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

bool InstanceGuard::tryAcquire() {
    // The file is never removed: removing it would let a start that opened the old file and a
    // start that made a new one both hold "the" lock.
    const int fd = ::open(QFile::encodeName(path_).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        // Without a lock file we cannot tell whether another bar runs; running beats refusing
        // to start at all.
        std::fprintf(stderr, "rumo: cannot open the single-instance lock %s: %s\n",
                     qPrintable(path_), std::strerror(errno));
        return true;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            ::close(fd);
            return false;
        }
    }
    fd_ = fd;
    return true;
}

}  // namespace rumo
