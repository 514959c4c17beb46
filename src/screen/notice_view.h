// The window that shows the away notice: full screen (as the base of NoticeWindow) or as a
// preview inside another program's window. Its notice driver holds the scene and draws the
// frames; the window runs the frame loop on a timer and takes no input of its own.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "screen/notice_driver.h"

namespace rumo {

class SettingsStore;

class NoticeView : public QWidget {
    Q_OBJECT
public:
    explicit NoticeView(SettingsStore& store, QWidget* parent = nullptr);
    // A notice of a scene already loaded (every window of a multi-screen notice has its own copy).
    explicit NoticeView(NoticeScene scene, QWidget* parent = nullptr);

    void setPictureRules(PictureRules rules) { driver_.setPictureRules(std::move(rules)); }
    void setClock(std::function<FrameClock()> clock) { driver_.setClock(std::move(clock)); }
    void setStartTime(std::int64_t epochSeconds) { driver_.setStartTime(epochSeconds); }

    const NoticeScene& scene() const { return driver_.scene(); }
    int timerInterval() const { return driver_.frameInterval(); }
    QImage frameImage() { return driver_.image(); }

    // One timer tick: the next frame, copied to the window where it changed.
    void tick();

    // Whether each tick raises the window above whatever has come over it (a notification, a
    // window another program opened). Off while the desktop's own locker holds the screen.
    void setKeptInFront(bool kept) { keptInFront_ = kept; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NoticeDriver driver_;
    bool copyingTick_ = false;
    bool firstFrameDrawn_ = false;
    bool keptInFront_ = true;
    QTimer timer_;
};

}  // namespace rumo
