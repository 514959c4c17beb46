// The Wayland half of notice_hold.h: inhibitors from wayland-protocols on the surfaces Qt made.
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>
#include <string_view>

#include "idle-inhibit-unstable-v1-client-protocol.h"
#include "keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h"
#include "platform/notice_hold.h"

namespace rumo {

namespace {

struct Globals {
    zwp_idle_inhibit_manager_v1* idle = nullptr;
    zwp_keyboard_shortcuts_inhibit_manager_v1* shortcuts = nullptr;
    wl_seat* seat = nullptr;
};

void announced(void* data, wl_registry* registry, uint32_t name, const char* interface,
               uint32_t /*version*/) {
    auto* globals = static_cast<Globals*>(data);
    const std::string_view which(interface);
    if (which == zwp_idle_inhibit_manager_v1_interface.name && globals->idle == nullptr) {
        globals->idle = static_cast<zwp_idle_inhibit_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
    } else if (which == zwp_keyboard_shortcuts_inhibit_manager_v1_interface.name &&
               globals->shortcuts == nullptr) {
        globals->shortcuts =
            static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1*>(wl_registry_bind(
                registry, name, &zwp_keyboard_shortcuts_inhibit_manager_v1_interface, 1));
    } else if (which == wl_seat_interface.name && globals->seat == nullptr) {
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
}

void withdrawn(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

const wl_registry_listener kRegistryListener = {announced, withdrawn};

void* nativeResource(const char* name, QWindow* window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (native == nullptr) {
        return nullptr;
    }
    return window != nullptr ? native->nativeResourceForWindow(name, window)
                             : native->nativeResourceForIntegration(name);
}

// Bound once, on a queue of our own so that Qt's events are not dispatched from inside our
// round trip; the bound objects then go to Qt's queue, which dispatches whatever they receive.
const Globals& globals() {
    static const Globals bound = [] {
        Globals found;
        auto* display = static_cast<wl_display*>(nativeResource("wl_display", nullptr));
        if (display == nullptr) {
            return found;
        }
        wl_event_queue* queue = wl_display_create_queue(display);
        auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
        wl_registry* registry = wl_display_get_registry(wrapper);
        wl_registry_add_listener(registry, &kRegistryListener, &found);
        wl_display_roundtrip_queue(display, queue);
        for (void* proxy : {static_cast<void*>(found.idle), static_cast<void*>(found.shortcuts),
                            static_cast<void*>(found.seat)}) {
            if (proxy != nullptr) {
                wl_proxy_set_queue(static_cast<wl_proxy*>(proxy), nullptr);
            }
        }
        wl_registry_destroy(registry);
        wl_proxy_wrapper_destroy(wrapper);
        wl_event_queue_destroy(queue);
        return found;
    }();
    return bound;
}

// The inhibitors of one window, made again whenever Qt makes its surface again (a Wayland
// window's surface lives only while it is shown).
class SurfaceHold : public QObject {
public:
    static constexpr const char* kName = "rumo-surface-hold";

    SurfaceHold(QWindow* window, bool shortcuts)
        : QObject(window), window_(window), shortcuts_(shortcuts) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
        follow();
    }
    ~SurfaceHold() override { drop(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            drop();
        } else if (event->type() == QEvent::Expose || event->type() == QEvent::Show) {
            follow();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void follow() {
        auto* surface = static_cast<wl_surface*>(nativeResource("surface", window_));
        if (surface == surface_) {
            return;
        }
        drop();
        surface_ = surface;
        if (surface_ == nullptr) {
            return;
        }
        const Globals& found = globals();
        if (found.idle != nullptr) {
            idle_ = zwp_idle_inhibit_manager_v1_create_inhibitor(found.idle, surface_);
        }
        if (shortcuts_ && found.shortcuts != nullptr && found.seat != nullptr) {
            shortcuts_inhibitor_ = zwp_keyboard_shortcuts_inhibit_manager_v1_inhibit_shortcuts(
                found.shortcuts, surface_, found.seat);
        }
        wl_display_flush(static_cast<wl_display*>(nativeResource("wl_display", nullptr)));
    }

    void drop() {
        if (idle_ != nullptr) {
            zwp_idle_inhibitor_v1_destroy(idle_);
            idle_ = nullptr;
        }
        if (shortcuts_inhibitor_ != nullptr) {
            zwp_keyboard_shortcuts_inhibitor_v1_destroy(shortcuts_inhibitor_);
            shortcuts_inhibitor_ = nullptr;
        }
        surface_ = nullptr;
    }

    QWindow* window_;
    bool shortcuts_;
    wl_surface* surface_ = nullptr;
    zwp_idle_inhibitor_v1* idle_ = nullptr;
    zwp_keyboard_shortcuts_inhibitor_v1* shortcuts_inhibitor_ = nullptr;
};

}  // namespace

void holdWaylandSurface(QWindow* window, bool shortcuts) {
    if (window == nullptr || canHoldKeyboard() ||
        window->findChild<QObject*>(QLatin1String(SurfaceHold::kName),
                                    Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    new SurfaceHold(window, shortcuts);
}

}  // namespace rumo
