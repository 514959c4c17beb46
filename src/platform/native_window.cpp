#include "platform/native_window.h"

#include <QGuiApplication>
#include <cstdlib>

#ifdef RUMO_HAVE_XCB
#include <xcb/xcb.h>
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

}  // namespace rumo
