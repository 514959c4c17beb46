#include "platform/logind_session.h"

#include <dbus/dbus.h>
#include <unistd.h>

#include <cstdlib>

namespace rumo {

std::string logindSessionPath(DBusConnection* system, int timeoutMs) {
    if (system == nullptr) {
        return {};
    }
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
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(system, call, timeoutMs, &error);
    dbus_message_unref(call);
    dbus_error_free(&error);
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

}  // namespace rumo
