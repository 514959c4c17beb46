// Lets a second resident start bring the running bar back: a per-user local socket beside the
// single-instance guard. The running process listens; a refused start connects and asks, handing
// over what its launcher gave it to let a window come forward (a Wayland activation token, an
// X11 startup id), since the window manager grants that only to the start the user made.
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <optional>

class QWindow;

namespace rumo {

// What a start's launcher handed it for bringing a window forward; either may be empty.
struct LaunchActivation {
    QByteArray waylandToken;  // XDG_ACTIVATION_TOKEN
    QByteArray startupId;     // DESKTOP_STARTUP_ID
};

// The request line a start sends, and what a line received asks for (nothing when it is no
// request). Tokens that are not plain printable text are left out rather than passed on.
QByteArray showRequestLine(const LaunchActivation& activation);
std::optional<LaunchActivation> parseShowRequest(const QByteArray& line);

class ActivationListener : public QObject {
    Q_OBJECT
public:
    // The folder defaults to the user's runtime folder, the guard's folder.
    explicit ActivationListener(QString folder = {}, QObject* parent = nullptr);

    // Call only while holding the single-instance guard: a socket left by a dead owner is removed.
    bool listen();

signals:
    void showRequested(const rumo::LaunchActivation& activation);

private:
    QString path_;
    QLocalServer server_;
};

// Keeps what this process's launcher gave it, before Qt takes the startup id out of the
// environment (which it does when it connects to the X server). Call before the application
// object exists.
void keepLaunchActivation();

// From a refused start: asks the running bar to show itself, passing on what keepLaunchActivation
// kept. True when it received the request.
bool requestRunningBarShown(QString folder = {});

// Brings a shown window of ours forward for a start that asked for it: with the start's token
// where the desktop gave one (the start notification it began then ends too), otherwise as a
// request the user made.
void activateForLaunch(QWindow& window, const LaunchActivation& activation);

}  // namespace rumo
