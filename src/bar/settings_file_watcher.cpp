#include "bar/settings_file_watcher.h"

#include <QFileInfo>

namespace rumo {

namespace {

// Long enough to see a replace as one change, short enough to feel immediate.
constexpr int kSettleMs = 100;

}  // namespace

SettingsFileWatcher::SettingsFileWatcher(const QString& file, QObject* parent)
    : QObject(parent), file_(file) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] {
        rewatch();
        emit changed();
    });
    auto changedSoon = [this] {
        // A replaced file is a new file: the watch on the old one is gone.
        rewatch();
        settle_.start();
    };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, changedSoon);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, changedSoon);
    rewatch();
}

void SettingsFileWatcher::rewatch() {
    const QString folder = QFileInfo(file_).absolutePath();
    if (!watcher_.directories().contains(folder) && QFileInfo(folder).isDir()) {
        watcher_.addPath(folder);
    }
    if (!watcher_.files().contains(file_) && QFileInfo::exists(file_)) {
        watcher_.addPath(file_);
    }
}

}  // namespace rumo
