// Lets a second resident start bring the running bar back: a per-user local socket beside the
// single-instance guard. The running process listens; a refused start connects and asks.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace rumo {

class ActivationListener : public QObject {
    Q_OBJECT
public:
    // The folder defaults to the user's runtime folder, the guard's folder.
    explicit ActivationListener(QString folder = {}, QObject* parent = nullptr);

    // Call only while holding the single-instance guard: a socket left by a dead owner is removed.
    bool listen();

signals:
    void showRequested();

private:
    QString path_;
    QLocalServer server_;
};

// From a refused start: asks the running bar to show itself. True when it received the request.
bool requestRunningBarShown(QString folder = {});

}  // namespace rumo
