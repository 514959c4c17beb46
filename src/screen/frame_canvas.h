// Executes a frame's drawing steps on an off-screen image. The background, pictures and memos
// are kept as a static layer; each frame restores only what the moving and changing texts
// covered and blends their cached sprites, and reports the region that changed, so the window
// copies only that region, in one transfer.
#pragma once

#include <QImage>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

#include "screen/frame_steps.h"
#include "screen/picture_table.h"
#include "screen/text_sprites.h"

class QPainter;

namespace rumo {

class FrameCanvas {
public:
    // keepImage false: no image of the whole frame is kept; a window paints the frame straight
    // into its own buffer with paint(), which saves a screen-sized buffer per window.
    explicit FrameCanvas(PictureTable* pictures = nullptr, bool keepImage = true)
        : pictures_(pictures), keepImage_(keepImage) {}

    // Brings the image up to the frame; returns the region that differs from the previous
    // frame (all of it when the size or the static layer changed, or when redrawAll is set).
    QRegion compose(const Frame& frame, bool redrawAll = false);

    // The last composed frame (kept images only).
    const QImage& image() const { return image_; }
    // The last composed frame, drawn afresh when no image is kept.
    QImage snapshot();
    // Draws the part of the last composed frame within region (canvas pixels) with painter.
    void paint(QPainter& painter, const QRegion& region);

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
    // The frame's texts where they land this frame, in drawing order.
    std::vector<Placed> placeTexts(const Frame& frame, std::size_t staticCount);
    // What differs from the last frame, grown over every text drawn into it.
    QRegion changedRegion(const std::vector<Placed>& items) const;
    void paintStep(QPainter& painter, const DrawStep& step);
    void place(QPainter& painter, Placed& item);
    void restore(const QRect& rect);

    PictureTable* pictures_;
    bool keepImage_ = true;
    QSize size_;
    TextSprites sprites_;
    QImage image_;
    QImage static_;
    QSize staticSize_;
    std::optional<QRgb> plainStatic_;  // the static layer is this colour alone
    std::vector<DrawStep> staticSteps_;
    bool staticStale_ = false;
    std::vector<Placed> placed_;
};

}  // namespace rumo
