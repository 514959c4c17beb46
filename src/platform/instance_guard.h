// The per-user guard that lets only one resident process run: an exclusive flock(2) on a lock
// file in the user's runtime folder. The kernel releases it with its process, crash included,
// and grants it to exactly one of any number of simultaneous starts; no process ever judges
// another's lock stale, so a live owner is never taken over.
#pragma once

#include <QString>

namespace rumo {

// The folder of the guard and of the activation socket beside it: $XDG_RUNTIME_DIR when it is a
// folder of this user's own that no one else may enter; otherwise a folder of the user's own that
// is the same for every start (under the cache folder, made 0700), named once on stderr.
QString instanceFolder();

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

    // True when this process now holds the guard; false when another live process does.
    bool tryAcquire();

    QString lockPath() const { return path_; }

private:
    QString path_;
    int fd_ = -1;
};

}  // namespace rumo
