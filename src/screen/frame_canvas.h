// Executes a frame's drawing steps on an off-screen image. The background, pictures and memos
// are kept as a static layer; each frame restores only what the moving and changing texts
// covered and blends their cached sprites, and reports the region that changed, so the window
// copies only that region, in one transfer.
#pragma once

#include <QImage>
#include <QRegion>
#include <memory>
#include <vector>

#include "screen/frame_steps.h"
#include "screen/picture_table.h"
#include "screen/text_sprites.h"

class QPainter;

namespace rumo {

class FrameCanvas {
public:
    explicit FrameCanvas(PictureTable* pictures = nullptr) : pictures_(pictures) {}

    // Brings the image up to the frame; returns the region that differs from the previous
    // frame (all of it when the size or the static layer changed, or when redrawAll is set).
    QRegion compose(const Frame& frame, bool redrawAll = false);

    // The last composed frame.
    const QImage& image() const { return image_; }

    // The static layer is painted again at the next compose (a picture's pixels arrived).
    void invalidate() { staticStale_ = true; }

private:
    struct Placed {
        std::shared_ptr<TextSprite> sprite;
        Colour colour = 0;
        QPoint anchor;
        QRect rect;  // the pixels it may touch, in canvas coordinates
        bool operator==(const Placed& other) const {
            return sprite == other.sprite && colour == other.colour && anchor == other.anchor;
        }
    };

    void paintStatic(const Frame& frame);
    void paintStep(QPainter& painter, const DrawStep& step);
    void place(QPainter& painter, Placed& item);
    void restore(const QRect& rect);

    PictureTable* pictures_;
    TextSprites sprites_;
    QImage image_;
    QImage static_;
    std::vector<DrawStep> staticSteps_;
    bool staticStale_ = false;
    std::vector<Placed> placed_;
};

}  // namespace rumo
