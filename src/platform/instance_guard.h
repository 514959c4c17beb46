// The per-user guard that lets only one resident process run: an exclusive flock(2) on a lock
// file in the user's runtime folder. The kernel releases it with its process, crash included,
// and grants it to exactly one of any number of simultaneous starts; no process ever judges
// another's lock stale, so a live owner is never taken over.
#pragma once

#include <sys/types.h>

#include <QString>

namespace rumo {

// The folder of the guard and of the activation socket beside it, for the user alone whatever the
// caller's environment (a desktop session, an ssh shell, su): the user's runtime folder
// (/run/user/<uid>) when it is a folder of the user's own that no one else may enter; otherwise
// ~/.cache/Zelkar/runtime of the user's home in the password database (made 0700).
// RUMO_INSTANCE_FOLDER names another folder, for test sessions that must not meet.
QString instanceFolder();

// The choice itself: `runtimeBase`/<uid>, else the folder under `home`.
QString instanceFolderFor(uid_t uid, const QString& runtimeBase, const QString& home);

class InstanceGuard {
public:
    // The folder defaults to instanceFolder(); the resident bar and the notice each have a lock
    // of their own there.
    explicit InstanceGuard(QString folder = {}, const QString& fileName = residentLockName());

    static QString residentLockName() { return QStringLiteral("Rumo.lock"); }
    static QString noticeLockName() { return QStringLiteral("RumoNotice.lock"); }
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    enum class Outcome {
        Held,           // this process now holds the guard
        HeldElsewhere,  // another live process does
        Unusable,       // the lock file cannot be opened or locked (said on stderr)
    };
    Outcome acquire();
    // True only when this process now holds the guard.
    bool tryAcquire() { return acquire() == Outcome::Held; }

    QString lockPath() const { return path_; }

private:
    QString path_;
    int fd_ = -1;
};

}  // namespace rumo
