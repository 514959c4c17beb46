#include <dbus/dbus.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <string>

#include "platform/bus_thread.h"
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

// logind's object for this session: by its id where the session gave one, else by our process.
std::string logindSession(DBusConnection* system) {
    const char* id = std::getenv("XDG_SESSION_ID");
    DBusMessage* call = nullptr;
    if (id != nullptr && *id != '\0') {
        call = dbus_message_new_method_call("org.freedesktop.login1", "/org/freedesktop/login1",
                                            "org.freedesktop.login1.Manager", "GetSession");
        dbus_message_append_args(call, DBUS_TYPE_STRING, &id, DBUS_TYPE_INVALID);
    } else {
        const dbus_uint32_t pid = static_cast<dbus_uint32_t>(getpid());
        call = dbus_message_new_method_call("org.freedesktop.login1", "/org/freedesktop/login1",
                                            "org.freedesktop.login1.Manager", "GetSessionByPID");
        dbus_message_append_args(call, DBUS_TYPE_UINT32, &pid, DBUS_TYPE_INVALID);
    }
    DBusMessage* reply = callAndWait(system, call);
    std::string path;
    const char* value = nullptr;
    if (reply != nullptr &&
        dbus_message_get_args(reply, nullptr, DBUS_TYPE_OBJECT_PATH, &value, DBUS_TYPE_INVALID)) {
        path = value;
    }
    if (reply != nullptr) {
        dbus_message_unref(reply);
    }
    return path;
}

bool lockThroughLogind(DBusConnection* system) {
    if (system == nullptr) {
        return false;
    }
    const std::string session = logindSession(system);
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
