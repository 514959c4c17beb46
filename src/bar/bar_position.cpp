#include "bar/bar_position.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "bar/bar_template.h"
#include "common/dialog_font.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

// Window positions X11 can express (16-bit signed).
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;

// How often, and how long, a bar brought onto the screen looks for its frame.
constexpr int kFrameWatchInterval = 50;  // ms
constexpr int kFrameWatchTicks = 60;
constexpr int kSteadyLooks = 6;

bar::Box toBox(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

std::vector<bar::Box> availableScreenAreas() {
    std::vector<bar::Box> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(toBox(screen->availableGeometry()));
    }
    return areas;
}

// Under Wayland the compositor places every window, XWayland's included: a position asked for
// is not kept, and one read back is the compositor's choice, not the user's.
bool compositorPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")) ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland");
}

}  // namespace

BarPosition::BarPosition(QWidget& window, SettingsStore& store,
                         std::function<void(const std::string&)> writeFailed)
    : QObject(&window), window_(window), store_(store), writeFailed_(std::move(writeFailed)) {
    frameWatch_.setInterval(kFrameWatchInterval);
    connect(&frameWatch_, &QTimer::timeout, this, [this] {
        // A window manager still settling the new window may shift it once more: the bar
        // must stay inside for a few looks in a row.
        // One that was framed inside at once is left alone from then on: a move is the user's.
        steadyLooks_ = keepFrameInside() ? steadyLooks_ + 1 : 0;
        if ((steadyLooks_ > 0 && !movedInside_) || steadyLooks_ >= kSteadyLooks ||
            ++frameWatchTicks_ >= kFrameWatchTicks) {
            frameWatch_.stop();
            placedAt_ = window_.pos();
        }
    });
}

void BarPosition::placeAtStoredPosition() {
    const DialogRect client = toPixels(bar::barClient(), baseUnitsOf(window_.font()));
    // One pixel wider and taller than the client area, as the bar has always been; a bar is never
    // resized or maximised.
    window_.setFixedSize(client.width + 1, client.height + 1);
    compositorPlaces_ = compositorPlacesWindows();
    if (compositorPlaces_) {
        return;
    }
    // Only values beyond any window system's coordinates are brought to its edge, where the
    // window's own extent cannot overflow.
    auto representable = [](int value) {
        return std::clamp(value, kMinCoordinate, kMaxCoordinate);
    };
    // The stored place is the frame's corner; the frame's size is known only once the window
    // manager has framed the shown window, so the client area stands for it until then.
    bar::Box window{representable(store_.read(settings::Left)),
                    representable(store_.read(settings::Top)), window_.width(), window_.height()};
    // A place left by an unplugged monitor or a larger screen would leave the bar out of reach.
    // The stored values stay until the user moves the bar.
    const std::optional<bar::Box> area = bar::areaToBringInto(window, availableScreenAreas());
    if (area) {
        window = bar::fitInside(window, *area);
    }
    placedAt_ = QPoint(window.x, window.y);
    window_.move(*placedAt_);
    // Under X11 the window manager adds a title bar and borders that the stored place may leave
    // under a panel or off the screen, known only once it has framed the shown window.
    if (area || QGuiApplication::platformName() == QStringLiteral("xcb")) {
        watchFrameUntilInside();
    }
    // A panel that starts after the bar (both start at log-in) takes its edge of the screen
    // then; the bar moves out from under it.
    auto workAreaChanged = [this] {
        if (window_.isVisible() && !frameWatch_.isActive()) {
            watchFrameUntilInside();
        }
    };
    for (const QScreen* screen : QGuiApplication::screens()) {
        connect(screen, &QScreen::availableGeometryChanged, this, workAreaChanged);
    }
    connect(qApp, &QGuiApplication::screenAdded, this, [this, workAreaChanged](QScreen* screen) {
        connect(screen, &QScreen::availableGeometryChanged, this, workAreaChanged);
    });
}

void BarPosition::watchFrameUntilInside() {
    // The window's frame is known only once the window manager has framed the shown window,
    // with no event saying so; until then the bar watches for it, and the moves it and the
    // window manager make meanwhile are not the user's.
    frameWatchTicks_ = 0;
    steadyLooks_ = 0;
    movedInside_ = false;
    frameWatch_.start();
}

void BarPosition::windowShown() {
    // A frame the window system draws itself is there at once, and nothing will shift it: no
    // watch is needed, and a move right away is already the user's.
    if (frameWatch_.isActive() && keepFrameInside()) {
        frameWatch_.stop();
        placedAt_ = window_.pos();
    }
}

bool BarPosition::keepFrameInside() {
    const QRect frame = window_.frameGeometry();
    if (!window_.isVisible()) {
        return false;
    }
    const std::optional<bar::Box> area = bar::areaToBringInto(toBox(frame), availableScreenAreas());
    if (area) {
        const bar::Box fitted = bar::fitInside(toBox(frame), *area);
        placedAt_ = QPoint(fitted.x, fitted.y);
        window_.move(*placedAt_);
        movedInside_ = true;
        return false;
    }
    // Inside, but perhaps only because the frame is not there yet.
    return frame.size() != window_.size();
}

void BarPosition::windowMoved() {
    // The first move comes from placing the window, before it was ever shown, and arriving at
    // the place the bar chose is no move of the user's; every other one is kept.
    if (frameWatch_.isActive() || (placedAt_ && window_.pos() == *placedAt_)) {
        skipFirstMove_ = false;
        return;
    }
    if (!skipFirstMove_ && !compositorPlaces_) {
        placedAt_.reset();
        // Both or neither: a place half written would be one the bar never had.
        const WriteStatus status = store_.write(
            {integerWrite(settings::Top, window_.y()), integerWrite(settings::Left, window_.x())});
        if (!status.ok() && writeFailed_) {
            writeFailed_(status.error);
        }
    }
    skipFirstMove_ = false;
}

}  // namespace rumo
