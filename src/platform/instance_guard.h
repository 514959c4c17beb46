// The per-user guard that lets only one resident process run. A lock file in the user's runtime
// folder: released with its process, crash included, and race-free between simultaneous starts.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace rumo {

class InstanceGuard {
public:
    // The folder defaults to the user's runtime folder.
    explicit InstanceGuard(QString folder = {});
    ~InstanceGuard();

    // True when this process now holds the guard; false when another live process does.
    bool tryAcquire();

    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace rumo
