#include "platform/x11_input_focus.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

#ifdef RUMO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace rumo {

X11FocusWatch::X11FocusWatch() {
#ifdef RUMO_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr) {
        return;
    }
    // Event masks are kept per client, so this takes nothing from the window manager's; but it
    // replaces what Qt asked of the root for itself (screen and property changes), which stays.
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, root), nullptr);
    if (attributes == nullptr) {
        return;
    }
    const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_FOCUS_CHANGE;
    std::free(attributes);
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
    watching_ = true;
#endif
}

X11FocusWatch::~X11FocusWatch() {
    if (watching_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool X11FocusWatch::focusWentNowhereWithin(int milliseconds) const {
    return wentNowhere_.isValid() && !wentNowhere_.hasExpired(milliseconds);
}

bool X11FocusWatch::nativeEventFilter(const QByteArray& eventType, void* message,
                                      qintptr* /*result*/) {
#ifdef RUMO_HAVE_XCB
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) == XCB_FOCUS_IN) {
        const auto* focus = static_cast<const xcb_focus_in_event_t*>(message);
        if (focus->detail == XCB_NOTIFY_DETAIL_NONE ||
            focus->detail == XCB_NOTIFY_DETAIL_POINTER_ROOT) {
            wentNowhere_.start();
        }
    }
#else
    (void)eventType;
    (void)message;
#endif
    return false;
}

}  // namespace rumo
