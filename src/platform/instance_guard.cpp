#include "platform/instance_guard.h"

#include <QDir>
#include <QStandardPaths>

namespace rumo {

InstanceGuard::InstanceGuard(QString folder) {
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    QDir().mkpath(folder);
    path_ = QDir(folder).filePath(QStringLiteral("Rumo.lock"));
}

InstanceGuard::~InstanceGuard() {
    if (lock_) {
        lock_->unlock();
    }
}

bool InstanceGuard::tryAcquire() {
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock whose owner is gone (killed, crashed) is taken over at once: QLockFile checks that
    // the recorded process still lives. A live owner is never considered stale.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        return true;
    }
    lock_.reset();
    return false;
}

}  // namespace rumo
