#include "platform/native_window.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

#ifdef RUMO_HAVE_XCB
#include "platform/x11_connection.h"
#endif

namespace rumo {

std::optional<QSize> nativeWindowSize(std::uint64_t windowId) {
#ifdef RUMO_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || windowId > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    const auto cookie = xcb_get_geometry(connection, static_cast<xcb_drawable_t>(windowId));
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(connection, cookie, &error);
    std::free(error);
    if (reply == nullptr) {
        return std::nullopt;
    }
    const QSize size(reply->width, reply->height);
    std::free(reply);
    return size;
#else
    (void)windowId;
    return std::nullopt;
#endif
}

void keepOffTaskbar(std::uint64_t windowId) {
#ifdef RUMO_HAVE_XCB
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || windowId > 0xFFFFFFFFu) {
        return;
    }
    // Qt keeps the states it finds on the window when it maps it.
    const xcb_atom_t states[]{x11Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                              x11Atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(windowId),
                        x11Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
    xcb_flush(connection);
#else
    (void)windowId;
#endif
}

#ifdef RUMO_HAVE_XCB
namespace {

// The window manager's name, as it announces itself on its check window.
QByteArray windowManagerName(xcb_connection_t* connection) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    auto read = [connection](xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 64), nullptr);
        QByteArray value;
        if (reply != nullptr) {
            value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
            std::free(reply);
        }
        return value;
    };
    const QByteArray check =
        read(root, x11Atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() != sizeof(xcb_window_t)) {
        return {};
    }
    xcb_window_t window = 0;
    std::memcpy(&window, check.constData(), sizeof window);
    return read(window, x11Atom(connection, "_NET_WM_NAME"), x11Atom(connection, "UTF8_STRING"));
}

}  // namespace
#endif

void keepToTheCloseBox(std::uint64_t windowId) {
#ifdef RUMO_HAVE_XCB
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || windowId > 0xFFFFFFFFu ||
        windowManagerName(connection) != QByteArrayLiteral("Openbox")) {
        return;
    }
    const xcb_atom_t types[]{x11Atom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                             x11Atom(connection, "_NET_WM_WINDOW_TYPE_UTILITY")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(windowId),
                        x11Atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 2, types);
    xcb_flush(connection);
#else
    (void)windowId;
#endif
}

void unshade(std::uint64_t windowId) {
#ifdef RUMO_HAVE_XCB
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || windowId > 0xFFFFFFFFu) {
        return;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(windowId);
    message.type = x11Atom(connection, "_NET_WM_STATE");
    message.data.data32[0] = 0;  // remove
    message.data.data32[1] = x11Atom(connection, "_NET_WM_STATE_SHADED");
    message.data.data32[3] = 1;  // from an application
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
#else
    (void)windowId;
#endif
}

void flushWindowRequests() {
#ifdef RUMO_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 != nullptr) {
        xcb_flush(x11->connection());
    }
#endif
}

}  // namespace rumo
