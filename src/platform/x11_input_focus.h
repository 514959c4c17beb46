// Watches where the X server's keyboard focus goes, for the sign screen lockers give: when
// XScreenSaver cannot take the keyboard to lock the screen, it takes the focus from every window
// (to None) before trying again. Window managers then move it on at once, so the moment is
// recorded as it happens rather than asked for afterwards.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>

namespace rumo {

class X11FocusWatch : public QAbstractNativeEventFilter {
public:
    // Starts watching on X11; elsewhere it never sees anything.
    X11FocusWatch();
    ~X11FocusWatch() override;
    X11FocusWatch(const X11FocusWatch&) = delete;
    X11FocusWatch& operator=(const X11FocusWatch&) = delete;

    // True when the focus went to no window (None or PointerRoot) within the last milliseconds.
    bool focusWentNowhereWithin(int milliseconds) const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool watching_ = false;
    QElapsedTimer wentNowhere_;
};

}  // namespace rumo
