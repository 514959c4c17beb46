// The window that shows the away notice: full screen (as the base of SaverWindow) or as a
// preview inside another program's window. It loads its scene when created, runs the frame
// loop on a timer, and takes no input of its own.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "screen/away_scene.h"
#include "screen/frame_canvas.h"
#include "screen/frame_composer.h"
#include "screen/notice_pictures.h"
#include "screen/picture_table.h"

namespace rumo {

class SettingsStore;

// The current moment, in epoch seconds and local time.
FrameClock systemClock();

class AwayScreen : public QWidget {
    Q_OBJECT
public:
    explicit AwayScreen(SettingsStore& store, QWidget* parent = nullptr);

    void setPictureRules(PictureRules rules);
    void setClock(std::function<FrameClock()> clock) { clock_ = std::move(clock); }

    const AwayScene& scene() const { return scene_; }
    int timerInterval() const { return timer_.interval(); }
    const QImage& frameImage() const { return canvas_.image(); }

    // One timer tick: the next frame, copied to the window where it changed.
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choosePictures();
    Frame nextFrame();

    AwayScene scene_;
    PictureTable pictures_;
    FrameCanvas canvas_{&pictures_};
    PictureRules rules_;
    bool picturesChosen_ = false;
    bool copyingTick_ = false;
    bool firstFrameDrawn_ = false;
    QTimer timer_;
    std::function<FrameClock()> clock_ = systemClock;
};

}  // namespace rumo
