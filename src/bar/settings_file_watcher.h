// Tells when the settings file may have changed, whoever wrote it: another process (the
// properties dialog, rumo --where, rumo-settings) replaces the file by renaming a new one over
// it, so the file and its folder are both watched.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace rumo {

class SettingsFileWatcher : public QObject {
    Q_OBJECT
public:
    // Watches `file` (it need not exist yet) and its folder.
    explicit SettingsFileWatcher(const QString& file, QObject* parent = nullptr);

signals:
    // Once for a burst of changes: a replace touches the folder twice and the file once.
    void changed();

private:
    void rewatch();

    QString file_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

}  // namespace rumo
