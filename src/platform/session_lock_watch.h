// Hears logind ask this session to lock (`loginctl lock-session`, a lid closed, the idle time of
// xss-lock), so that a notice holding the keyboard can let go of it before the locker that
// xss-lock starts tries to take it: lockers such as xsecurelock give up at once when they cannot.
#pragma once

#include <QObject>

namespace rumo {

class SessionLockWatch : public QObject {
    Q_OBJECT
public:
    // Starts listening on a thread of its own; where there is no system bus or no logind, it
    // never hears anything. Nothing ever waits for that thread.
    explicit SessionLockWatch(QObject* parent = nullptr);

signals:
    void lockRequested();
};

}  // namespace rumo
