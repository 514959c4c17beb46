#include "screen/frame_canvas.h"

#include "common/qt_values.h"
#include "platform/large_image.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace rumo {

namespace {

QRect qtRect(const Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

// Where a sprite's ink lands, clipped to the canvas. In 64 bits: an anchor may lie anywhere in
// the 32-bit range.
QRect placedRect(const QRect& ink, QPoint anchor, const QRect& bounds) {
    if (ink.isEmpty()) {
        return {};
    }
    const qint64 left = qint64(anchor.x()) + ink.x();
    const qint64 top = qint64(anchor.y()) + ink.y();
    const qint64 l = std::max<qint64>(left, bounds.left());
    const qint64 t = std::max<qint64>(top, bounds.top());
    const qint64 r = std::min<qint64>(left + ink.width(), qint64(bounds.right()) + 1);
    const qint64 b = std::min<qint64>(top + ink.height(), qint64(bounds.bottom()) + 1);
    if (l >= r || t >= b) {
        return {};
    }
    return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
                 static_cast<int>(b - t));
}

// Where a text's cell goes: as the step says, or moved left to end at the canvas's right edge
// when the step asks for it and the text would run past the edge.
QPoint textAnchor(const TextStep& step, const TextSprite& sprite, int canvasWidth) {
    qint64 x = step.x;
    if (step.keepInRightEdge && x + sprite.advance() > canvasWidth) {
        x = std::max<qint64>(qint64(canvasWidth) - sprite.advance(), INT32_MIN);
    }
    return QPoint(static_cast<int>(x), step.y);
}

}  // namespace

QRegion FrameCanvas::compose(const Frame& frame, bool redrawAll) {
    const QSize size(std::max(frame.width, 1), std::max(frame.height, 1));
    const QRect bounds(QPoint(0, 0), size);
    const std::size_t staticCount = std::min(frame.staticSteps, frame.steps.size());
    const bool staticChanged =
        staticStale_ || staticSize_ != size || staticSteps_.size() != staticCount ||
        !std::equal(staticSteps_.begin(), staticSteps_.end(), frame.steps.begin());
    if (size_ != size) {
        size_ = size;
        image_ = keepImage_ ? allocateLargeImage(size, QImage::Format_RGB32) : QImage();
        redrawAll = true;
        // Sprites are kept up to a few screens' worth of pixels.
        sprites_.setMaxSpritePixels(
            std::max<qint64>(qint64(4) * size.width() * size.height(), qint64(1) << 20));
    }
    if (staticChanged) {
        paintStatic(frame);
        redrawAll = true;
    }

    std::vector<Placed> items = placeTexts(frame, staticCount);
    const QRegion dirty = redrawAll ? QRegion(bounds) : changedRegion(items);
    if (keepImage_ && !dirty.isEmpty()) {
        for (const QRect& rect : dirty) {
            restore(rect);
        }
        QPainter painter(&image_);
        for (Placed& item : items) {
            if (!item.rect.isEmpty() && dirty.intersects(item.rect)) {
                place(painter, item);
            }
        }
    }
    placed_ = std::move(items);
    return dirty;
}

std::vector<FrameCanvas::Placed> FrameCanvas::placeTexts(const Frame& frame,
                                                         std::size_t staticCount) {
    const QRect bounds(QPoint(0, 0), size_);
    std::vector<Placed> items;
    items.reserve(frame.steps.size() - staticCount);
    for (std::size_t i = staticCount; i < frame.steps.size(); ++i) {
        if (const auto* text = std::get_if<TextStep>(&frame.steps[i])) {
            Placed item;
            item.sprite = sprites_.get(text->font, text->text);
            item.colour = text->colour;
            item.anchor = textAnchor(*text, *item.sprite, size_.width());
            item.rect = placedRect(item.sprite->inkRect(), item.anchor, bounds);
            items.push_back(std::move(item));
        }
    }
    return items;
}

QRegion FrameCanvas::changedRegion(const std::vector<Placed>& items) const {
    QRegion dirty;
    const std::size_t count = std::max(items.size(), placed_.size());
    for (std::size_t i = 0; i < count; ++i) {
        const bool hasOld = i < placed_.size();
        const bool hasNew = i < items.size();
        if (hasOld && hasNew && placed_[i] == items[i]) {
            continue;
        }
        if (hasOld) {
            dirty += placed_[i].rect;
        }
        if (hasNew) {
            dirty += items[i].rect;
        }
    }
    // A text that overlaps a restored area is drawn again whole, so its area is restored whole
    // too; repeat until no further text is drawn into.
    std::vector<bool> redrawn(items.size(), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!redrawn[i] && !items[i].rect.isEmpty() && dirty.intersects(items[i].rect)) {
                redrawn[i] = true;
                if (!(QRegion(items[i].rect) - dirty).isEmpty()) {
                    dirty += items[i].rect;
                    grew = true;
                }
            }
        }
    }
    return dirty;
}

void FrameCanvas::paint(QPainter& painter, const QRegion& region) {
    const QRegion visible = region & QRect(QPoint(0, 0), size_);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : visible) {
        if (plainStatic_) {
            painter.fillRect(rect, QColor::fromRgb(*plainStatic_));
        } else {
            painter.drawImage(rect.topLeft(), static_, rect);
        }
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (Placed& item : placed_) {
        if (!item.rect.isEmpty() && visible.intersects(item.rect)) {
            place(painter, item);
        }
    }
    painter.restore();
}

QImage FrameCanvas::snapshot() {
    if (keepImage_) {
        return image_;
    }
    QImage image(size_, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter, QRegion(QRect(QPoint(0, 0), size_)));
    return image;
}

void FrameCanvas::paintStatic(const Frame& frame) {
    staticStale_ = false;
    staticSize_ = size_;
    const std::size_t count = std::min(frame.staticSteps, frame.steps.size());
    staticSteps_.assign(frame.steps.begin(), frame.steps.begin() + static_cast<long>(count));
    // Only the background colour (no picture, no memo): restoring is filling, and no
    // screen-sized buffer is kept for it.
    const auto* fill = count == 1 ? std::get_if<FillStep>(&staticSteps_.front()) : nullptr;
    if (fill != nullptr && qtRect(fill->rect).contains(QRect(QPoint(0, 0), size_))) {
        plainStatic_ = qtColour(fill->colour).rgb();
        static_ = QImage();
        return;
    }
    plainStatic_.reset();
    // The layer is painted over in full, so a buffer of the right size is used again rather
    // than a second one held beside it.
    if (static_.size() != size_) {
        static_ = QImage();
        static_ = allocateLargeImage(size_, QImage::Format_RGB32);
    }
    QPainter painter(&static_);
    for (const DrawStep& step : staticSteps_) {
        paintStep(painter, step);
    }
}

void FrameCanvas::paintStep(QPainter& painter, const DrawStep& step) {
    const QRect canvas(QPoint(0, 0), size_);
    if (const auto* fill = std::get_if<FillStep>(&step)) {
        painter.fillRect(qtRect(fill->rect), qtColour(fill->colour));
    } else if (const auto* tile = std::get_if<TileStep>(&step)) {
        if (pictures_ != nullptr) {
            pictures_->tile(painter, tile->picture.id,
                            QRect(0, 0, tile->areaWidth, tile->areaHeight).intersected(canvas),
                            tile->scale);
        }
    } else if (const auto* picture = std::get_if<PictureStep>(&step)) {
        if (pictures_ != nullptr) {
            pictures_->draw(painter, picture->picture.id, qtRect(picture->target), canvas);
        }
    } else if (const auto* text = std::get_if<TextStep>(&step)) {
        Placed item;
        item.sprite = sprites_.get(text->font, text->text);
        item.colour = text->colour;
        item.anchor = textAnchor(*text, *item.sprite, canvas.width());
        item.rect = placedRect(item.sprite->inkRect(), item.anchor, canvas);
        if (!item.rect.isEmpty()) {
            place(painter, item);
        }
    }
}

void FrameCanvas::place(QPainter& painter, Placed& item) {
    if (item.sprite->cached()) {
        // The ink meets the canvas, so its corner lies within a sprite's size of it.
        const QPoint corner(static_cast<int>(qint64(item.anchor.x()) + item.sprite->inkRect().x()),
                            static_cast<int>(qint64(item.anchor.y()) + item.sprite->inkRect().y()));
        painter.drawImage(corner, item.sprite->coloured(item.colour));
    } else {
        drawTextDirect(painter, *item.sprite, item.colour, item.anchor.x(), item.anchor.y());
    }
}

void FrameCanvas::restore(const QRect& rect) {
    const QRect r = rect.intersected(QRect(QPoint(0, 0), size_));
    if (plainStatic_) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y)) + r.x();
            std::fill(row, row + r.width(), *plainStatic_);
        }
        return;
    }
    const auto bytes = static_cast<std::size_t>(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        std::memcpy(image_.scanLine(y) + r.x() * 4, static_.constScanLine(y) + r.x() * 4, bytes);
    }
}

}  // namespace rumo
