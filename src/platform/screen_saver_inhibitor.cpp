#include "platform/screen_saver_inhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

#ifdef RUMO_HAVE_XSS
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#endif

namespace rumo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
constexpr int kReleaseTimeoutMs = 2000;

// The X server's own saver, suspended for this connection (the server ends the suspension
// itself if the process dies).
bool suspendXSaver(bool suspend) {
#ifdef RUMO_HAVE_XSS
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return false;
    }
    int event = 0;
    int error = 0;
    if (!XScreenSaverQueryExtension(display, &event, &error)) {
        return false;
    }
    XScreenSaverSuspend(display, suspend ? True : False);
    XFlush(display);
    return true;
#else
    (void)suspend;
    return false;
#endif
}

}  // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QObject* parent) : QObject(parent) {}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
    release();
}

void ScreenSaverInhibitor::inhibit() {
    if (wanted_) {
        return;
    }
    wanted_ = true;
    xSuspended_ = suspendXSaver(true);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || asked_) {
        return;
    }
    asked_ = true;
    // Asked without waiting: a slow or absent service must not delay the notice.
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << QStringLiteral("離席中の表示");
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            &ScreenSaverInhibitor::inhibitAnswered);
}

void ScreenSaverInhibitor::inhibitAnswered(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    asked_ = false;
    const QDBusPendingReply<quint32> reply = *call;
    if (reply.isError()) {
        return;  // no such service on this desktop
    }
    cookie_ = reply.value();
    if (!wanted_) {
        release();  // the notice ended while the answer was on its way
    }
}

void ScreenSaverInhibitor::release() {
    wanted_ = false;
    if (xSuspended_) {
        suspendXSaver(false);
        xSuspended_ = false;
    }
    if (cookie_) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                           QStringLiteral("UnInhibit"));
        call << *cookie_;
        cookie_.reset();
        QDBusConnection::sessionBus().call(call, QDBus::Block, kReleaseTimeoutMs);
    }
}

}  // namespace rumo
