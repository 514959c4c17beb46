// Keeps a running XScreenSaver daemon from blanking over the notice. XScreenSaver 6 ignores the
// X server's suspended saver and only hears D-Bus inhibitions through a helper that is often not
// running; its documentation asks programs to tell it now and then that the user is active.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace rumo {

class XScreenSaverNudge : public QObject {
    Q_OBJECT
public:
    explicit XScreenSaverNudge(QObject* parent = nullptr);

    // Starts telling the daemon, when xscreensaver-command is installed; a daemon that is not
    // running makes the command end at once without harm.
    void start();
    void stop();

private:
    void nudge();

    QString command_;
    QTimer timer_;
};

}  // namespace rumo
