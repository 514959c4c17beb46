// Where the bar sits: placed at the stored position (brought wholly into one screen's available
// area when it does not lie there, frame included), and every move of the user's stored.
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "bar/bar_placement.h"

class QWidget;

namespace rumo {

class SettingsStore;

class BarPosition : public QObject {
public:
    // `writeFailed` hears why a move could not be stored.
    BarPosition(QWidget& window, SettingsStore& store,
                std::function<void(const std::string&)> writeFailed);

    // Gives the window its fixed size and moves it to the stored place; before it is shown.
    void placeAtStoredPosition();

    // The window has just been shown.
    void windowShown();

    // The window has moved: a move of the user's is stored, the bar's own ones are not.
    void windowMoved();

private:
    // Watches for the window's frame, to fit it in whole.
    void watchFrameUntilInside();
    // Fits the framed window wholly into one screen's available area; true once it lies there.
    bool keepFrameInside();

    QWidget& window_;
    SettingsStore& store_;
    std::function<void(const std::string&)> writeFailed_;
    bool skipFirstMove_ = true;
    // Where the bar placed itself: arriving there is not a move of the user's, so it is not
    // stored. Cleared by the first move elsewhere.
    std::optional<QPoint> placedAt_;
    QTimer frameWatch_;
    int frameWatchTicks_ = 0;
    int steadyLooks_ = 0;
    // The watch has moved the framed window: it must then stay put for a few looks.
    bool movedInside_ = false;
    // Under Wayland, XWayland included, the compositor places windows; a position read there
    // means nothing, and none is stored.
    bool compositorPlaces_ = false;
};

}  // namespace rumo
