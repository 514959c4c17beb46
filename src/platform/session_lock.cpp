#include <dbus/dbus.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <string>

#include "platform/bus_thread.h"
#include "platform/logind_session.h"
#include "platform/notice_hold.h"

namespace rumo {

namespace {

// Long enough for a locker being started; the caller never waits for it.
constexpr int kLockTimeoutMs = 10000;

// The answer, or null on an error or none in time. Takes the call.
DBusMessage* callAndWait(DBusConnection* bus, DBusMessage* call) {
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply =
        dbus_connection_send_with_reply_and_block(bus, call, kLockTimeoutMs, &error);
    dbus_message_unref(call);
    dbus_error_free(&error);
    return reply;
}

bool answered(DBusMessage* reply) {
    if (reply == nullptr) {
        return false;
    }
    dbus_message_unref(reply);
    return true;
}

bool lockThroughScreenSaver(DBusConnection* session) {
    return session != nullptr &&
           answered(callAndWait(
               session, dbus_message_new_method_call("org.freedesktop.ScreenSaver",
                                                     "/org/freedesktop/ScreenSaver",
                                                     "org.freedesktop.ScreenSaver", "Lock")));
}

bool lockThroughLogind(DBusConnection* system) {
    if (system == nullptr) {
        return false;
    }
    const std::string session = logindSessionPath(system, kLockTimeoutMs);
    return !session.empty() &&
           answered(callAndWait(
               system, dbus_message_new_method_call("org.freedesktop.login1", session.c_str(),
                                                    "org.freedesktop.login1.Session", "Lock")));
}

}  // namespace

bool canHoldKeyboard() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void lockSession(std::function<void(bool locked)> done) {
    QPointer<QObject> receiver = QCoreApplication::instance();
    BusThread::post([done = std::move(done), receiver](BusThread::Buses& buses) {
        const bool locked =
            lockThroughScreenSaver(buses.session) || lockThroughLogind(buses.system());
        if (done && receiver) {
            QMetaObject::invokeMethod(
                receiver, [done, locked] { done(locked); }, Qt::QueuedConnection);
        }
    });
}

}  // namespace rumo
