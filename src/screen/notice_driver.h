// The notice without a window: its scene, clock, slide state, pictures and canvas. Every notice
// window and the rendering tool draw through it, so what the tool renders is what a window shows.
#pragma once

#include <QImage>
#include <QObject>
#include <QRegion>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "screen/frame_canvas.h"
#include "screen/frame_composer.h"
#include "screen/notice_pictures.h"
#include "screen/notice_scene.h"
#include "screen/picture_table.h"

namespace rumo {

class PictureWorker;

// The current moment, in epoch seconds and local time.
FrameClock systemClock();

class NoticeDriver : public QObject {
    Q_OBJECT
public:
    // keepImage false (windows): the frame is painted straight into the window's own buffer.
    explicit NoticeDriver(NoticeScene scene, bool keepImage = true, QObject* parent = nullptr);
    ~NoticeDriver() override;

    // Before the first paint; without rules no picture layer is drawn.
    void setPictureRules(PictureRules rules);
    void setClock(std::function<FrameClock()> clock) { clock_ = std::move(clock); }
    // The notice's start, when it began before this driver's first paint (the rendering tool).
    void setStartTime(std::int64_t epochSeconds) { scene_.startTime = epochSeconds; }

    // The window's size in its own (logical) pixels and its device pixel ratio. The frame is laid
    // out in logical pixels and drawn at device resolution. Pictures already chosen are decoded
    // again for a new size or ratio.
    void resize(QSize logicalSize, qreal devicePixelRatio = 1.0);
    QSize size() const { return size_; }
    qreal devicePixelRatio() const { return ratio_; }

    // A paint request from the window system: the text starts again from its entry and the
    // whole frame is drawn. Returns the region drawn, in logical pixels.
    QRegion paint();
    // One timer tick: the next frame; returns the region that changed, in logical pixels.
    QRegion tick();
    bool painted() const { return scene_.startTime.has_value() && framesDrawn_ > 0; }

    // Milliseconds between ticks: 20 frames a second for moving text, one for the others.
    int frameInterval() const;
    // Milliseconds from `epochMilliseconds` to the next tick. Once-a-second patterns change on the
    // clock's whole seconds (the slides, the minutes), so their ticks land just after each one
    // instead of up to a second late.
    int nextTickDelay(std::int64_t epochMilliseconds) const;
    const NoticeScene& scene() const { return scene_; }
    // The last frame, at device resolution.
    QImage image() { return canvas_.snapshot(); }
    // Draws the part of the last frame within region (logical pixels) with a window's painter.
    void paintInto(QPainter& painter, const QRegion& region);

signals:
    // A picture decoded off the window's thread is ready: the next tick draws the whole frame.
    void pictureArrived();

private:
    // A picture read off the window's thread, by its id in the table.
    struct Load {
        QString path;
        bool foreground = true;
        bool headerKnown = false;
        bool unusable = false;    // its header said no: the rules take it as no picture
        bool settled = false;     // its first pixels came, or never will: it is drawn as it is
        PictureScreen requested;  // the screen its latest decode was asked for
    };

    void choosePictures();
    PictureLoader loaderFor(bool foreground);
    PictureScreen pictureScreen() const;
    int requestLoad(const QString& path, bool foreground);
    void startLoad(int id, bool withHeader);
    void headerArrived(int id, std::optional<QSize> size);
    void pixelsArrived(int id, const PictureScreen& screen, std::optional<PreparedPicture> picture);
    void loadNextSlideAhead(const NoticeScene& scene);
    void holdSlideUntilReady(NoticeScene& scene);
    void decodeAgain();
    QRegion compose(bool redrawAll);
    void catchUpSlides(std::int64_t elapsed);

    NoticeScene scene_;
    PictureTable pictures_;
    FrameCanvas canvas_;
    PictureRules rules_;
    std::unique_ptr<PictureWorker> worker_;
    std::map<int, Load> loads_;
    std::map<std::pair<QString, bool>, int> loadIds_;  // by file and layer
    std::optional<PictureHandle> slideOnShow_;  // the last slide drawn with its pixels in hand
    int slideAhead_ = -1;                       // the slide last loaded ahead of its moment
    QTimer decodeAgainTimer_;
    std::function<FrameClock()> clock_ = systemClock;
    QSize size_{1, 1};
    qreal ratio_ = 1.0;
    bool picturesChosen_ = false;
    bool redrawPending_ = false;
    long long framesDrawn_ = 0;
    std::optional<std::int64_t> lastElapsed_;  // of the last frame, for the slide catch-up
};

}  // namespace rumo
