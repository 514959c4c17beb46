#include "platform/screen_saver_inhibitor.h"

#include <dbus/dbus.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <optional>
#include <string>

#include "common/translate.h"
#include "platform/bus_thread.h"

#ifdef RUMO_HAVE_XSS
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#endif

namespace rumo {

namespace {

constexpr const char* kSaverService = "org.freedesktop.ScreenSaver";
constexpr const char* kSaverPath = "/org/freedesktop/ScreenSaver";
constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
// What the desktop shows as the reason, in the interface's language.
std::string inhibitReason() {
    return translate("Notice", "Away notice showing");
}
constexpr dbus_uint32_t kPortalIdle = 8;
// A service being started on demand may take a while; the notice does not wait for it anyway.
constexpr int kInhibitTimeoutMs = 20000;
constexpr int kReleaseTimeoutMs = 250;

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

// The answer, or null when there is none in time (no such service, an error, a silent bus).
DBusMessage* callAndWait(DBusConnection* bus, DBusMessage* call, int timeoutMs) {
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(bus, call, timeoutMs, &error);
    dbus_message_unref(call);
    dbus_error_free(&error);
    return reply;
}

std::optional<dbus_uint32_t> inhibitScreenSaver(DBusConnection* bus, const std::string& name) {
    DBusMessage* call =
        dbus_message_new_method_call(kSaverService, kSaverPath, kSaverService, "Inhibit");
    const char* application = name.c_str();
    const std::string reasonText = inhibitReason();
    const char* reason = reasonText.c_str();
    dbus_message_append_args(call, DBUS_TYPE_STRING, &application, DBUS_TYPE_STRING, &reason,
                             DBUS_TYPE_INVALID);
    DBusMessage* reply = callAndWait(bus, call, kInhibitTimeoutMs);
    std::optional<dbus_uint32_t> cookie;
    dbus_uint32_t value = 0;
    if (reply != nullptr &&
        dbus_message_get_args(reply, nullptr, DBUS_TYPE_UINT32, &value, DBUS_TYPE_INVALID)) {
        cookie = value;
    }
    if (reply != nullptr) {
        dbus_message_unref(reply);
    }
    return cookie;
}

// The portal's inhibition lasts until its request object is closed (or the connection goes).
std::optional<std::string> inhibitThroughPortal(DBusConnection* bus) {
    DBusMessage* call = dbus_message_new_method_call(kPortalService, kPortalPath,
                                                     "org.freedesktop.portal.Inhibit", "Inhibit");
    DBusMessageIter arguments;
    dbus_message_iter_init_append(call, &arguments);
    const char* window = "";
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &window);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_UINT32, &kPortalIdle);
    DBusMessageIter options;
    DBusMessageIter entry;
    DBusMessageIter value;
    const char* key = "reason";
    const std::string reasonText = inhibitReason();
    const char* reason = reasonText.c_str();
    dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "{sv}", &options);
    dbus_message_iter_open_container(&options, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
    dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
    dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "s", &value);
    dbus_message_iter_append_basic(&value, DBUS_TYPE_STRING, &reason);
    dbus_message_iter_close_container(&entry, &value);
    dbus_message_iter_close_container(&options, &entry);
    dbus_message_iter_close_container(&arguments, &options);
    DBusMessage* reply = callAndWait(bus, call, kInhibitTimeoutMs);
    std::optional<std::string> handle;
    const char* path = nullptr;
    if (reply != nullptr &&
        dbus_message_get_args(reply, nullptr, DBUS_TYPE_OBJECT_PATH, &path, DBUS_TYPE_INVALID)) {
        handle = path;
    }
    if (reply != nullptr) {
        dbus_message_unref(reply);
    }
    return handle;
}

// Sent together and waited for together, so letting go takes one short time-out at most.
void releaseAll(DBusConnection* bus, std::optional<dbus_uint32_t> cookie,
                const std::optional<std::string>& handle) {
    DBusPendingCall* pending[2] = {nullptr, nullptr};
    if (cookie) {
        DBusMessage* call =
            dbus_message_new_method_call(kSaverService, kSaverPath, kSaverService, "UnInhibit");
        dbus_message_append_args(call, DBUS_TYPE_UINT32, &*cookie, DBUS_TYPE_INVALID);
        dbus_connection_send_with_reply(bus, call, &pending[0], kReleaseTimeoutMs);
        dbus_message_unref(call);
    }
    if (handle) {
        DBusMessage* call = dbus_message_new_method_call(kPortalService, handle->c_str(),
                                                         "org.freedesktop.portal.Request", "Close");
        dbus_connection_send_with_reply(bus, call, &pending[1], kReleaseTimeoutMs);
        dbus_message_unref(call);
    }
    dbus_connection_flush(bus);
    for (DBusPendingCall* call : pending) {
        if (call != nullptr) {
            dbus_pending_call_block(call);
            dbus_pending_call_unref(call);
        }
    }
}

}  // namespace

struct ScreenSaverInhibitor::Held {
    std::optional<dbus_uint32_t> cookie;
    std::optional<std::string> handle;
};

ScreenSaverInhibitor::ScreenSaverInhibitor() : held_(std::make_shared<Held>()) {}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
    release();
}

void ScreenSaverInhibitor::inhibit() {
    if (wanted_) {
        return;
    }
    wanted_ = true;
    xSuspended_ = suspendXSaver(true);
    BusThread::post([held = held_, name = QCoreApplication::applicationName().toStdString()](
                        BusThread::Buses& buses) {
        if (buses.session == nullptr) {
            return;
        }
        held->cookie = inhibitScreenSaver(buses.session, name);
        held->handle = inhibitThroughPortal(buses.session);
    });
}

bool ScreenSaverInhibitor::release(std::chrono::milliseconds wait) {
    if (xSuspended_) {
        suspendXSaver(false);
        xSuspended_ = false;
    }
    if (!wanted_) {
        return BusThread::drained(std::chrono::milliseconds(0));
    }
    wanted_ = false;
    if (!BusThread::sessionAnswered(std::chrono::milliseconds(0))) {
        return false;  // nothing was asked yet, and the bus is not worth waiting for
    }
    BusThread::post([held = held_](BusThread::Buses& buses) {
        if (buses.session != nullptr) {
            releaseAll(buses.session, held->cookie, held->handle);
        }
        held->cookie.reset();
        held->handle.reset();
    });
    return BusThread::drained(wait);
}

}  // namespace rumo
