// Keeps the desktop's screen saver and idle lock from starting while the full-screen notice
// shows: an inhibition held through the freedesktop screen-saver service on the session bus, and
// the X server's own saver suspended. Either may be missing; the notice never depends on them.
#pragma once

#include <QObject>
#include <optional>

class QDBusPendingCallWatcher;

namespace rumo {

class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    explicit ScreenSaverInhibitor(QObject* parent = nullptr);
    // Releases whatever is still held.
    ~ScreenSaverInhibitor() override;

    void inhibit();
    void release();

private:
    void inhibitAnswered(QDBusPendingCallWatcher* call);

    bool wanted_ = false;
    bool asked_ = false;
    std::optional<quint32> cookie_;
    bool xSuspended_ = false;
};

}  // namespace rumo
