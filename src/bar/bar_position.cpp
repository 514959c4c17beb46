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

}  // namespace

BarPosition::BarPosition(QWidget& window, SettingsStore& store,
                         std::function<void(const std::string&)> writeFailed)
    : QObject(&window), window_(window), store_(store), writeFailed_(std::move(writeFailed)) {}

void BarPosition::placeAtStoredPosition() {
    const DialogRect client = toPixels(bar::barTemplate().client, baseUnitsOf(window_.font()));
    // One pixel wider and taller than the template, as the bar has always been; a bar is never
    // resized or maximised.
    window_.setFixedSize(client.width + 1, client.height + 1);
    compositorPlaces_ = QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
    if (compositorPlaces_) {
        return;
    }
    // Only values beyond any window system's coordinates are brought to its edge, where the
    // window's own extent cannot overflow.
    auto representable = [](int value) {
        return std::clamp(value, kMinCoordinate, kMaxCoordinate);
    };
    bar::Box window{representable(store_.read(settings::Left)),
                    representable(store_.read(settings::Top)), window_.width(), window_.height()};
    // A place left by an unplugged monitor or a larger screen would leave the bar out of reach.
    // The stored values stay until the user moves the bar.
    broughtInto_ = bar::areaToBringInto(window, availableScreenAreas());
    if (broughtInto_) {
        window = bar::fitInside(window, *broughtInto_);
    }
    placedAt_ = QPoint(window.x, window.y);
    window_.move(*placedAt_);
    if (broughtInto_) {
        watchFrameUntilInside();
    }
}

void BarPosition::watchFrameUntilInside() {
    // The window's frame is known only once the window manager has framed the shown window,
    // with no event saying so; until then the bar watches for it, and the moves it and the
    // window manager make meanwhile are not the user's.
    frameWatch_.setInterval(kFrameWatchInterval);
    connect(&frameWatch_, &QTimer::timeout, this, [this] {
        // A window manager still settling the new window may shift it once more: the bar
        // must stay inside for a few looks in a row.
        steadyLooks_ = keepBroughtInPlaceInside() ? steadyLooks_ + 1 : 0;
        if (steadyLooks_ >= kSteadyLooks || ++frameWatchTicks_ >= kFrameWatchTicks) {
            frameWatch_.stop();
            placedAt_ = window_.pos();
        }
    });
    frameWatch_.start();
}

bool BarPosition::keepBroughtInPlaceInside() {
    const QRect frame = window_.frameGeometry();
    if (!broughtInto_ || !window_.isVisible() || frame.size() == window_.size()) {
        return false;
    }
    const bar::Box fitted = bar::fitInside(toBox(frame), *broughtInto_);
    if (QPoint(fitted.x, fitted.y) == frame.topLeft()) {
        return true;
    }
    placedAt_ = QPoint(fitted.x, fitted.y);
    window_.move(*placedAt_);
    return false;
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
