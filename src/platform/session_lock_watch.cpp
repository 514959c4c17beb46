#include "platform/session_lock_watch.h"

#include <dbus/dbus.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <string>
#include <thread>

#include "platform/logind_session.h"

namespace rumo {

namespace {

constexpr int kLogindAnswerMs = 5000;

void listen(QPointer<SessionLockWatch> watch) {
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* system = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
    dbus_error_free(&error);
    if (system == nullptr) {
        return;
    }
    dbus_connection_set_exit_on_disconnect(system, FALSE);
    const std::string session = logindSessionPath(system, kLogindAnswerMs);
    if (session.empty()) {
        dbus_connection_close(system);
        dbus_connection_unref(system);
        return;
    }
    const std::string rule =
        "type='signal',sender='org.freedesktop.login1',interface='org.freedesktop.login1.Session',"
        "member='Lock',path='" +
        session + "'";
    dbus_bus_add_match(system, rule.c_str(), nullptr);
    // Runs for as long as the process does; the process ending takes it along.
    while (dbus_connection_read_write(system, -1)) {
        while (DBusMessage* message = dbus_connection_pop_message(system)) {
            if (dbus_message_is_signal(message, "org.freedesktop.login1.Session", "Lock")) {
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(),
                    [watch] {
                        if (watch) {
                            emit watch->lockRequested();
                        }
                    },
                    Qt::QueuedConnection);
            }
            dbus_message_unref(message);
        }
    }
}

}  // namespace

SessionLockWatch::SessionLockWatch(QObject* parent) : QObject(parent) {
    dbus_threads_init_default();
    std::thread(listen, QPointer<SessionLockWatch>(this)).detach();
}

}  // namespace rumo
