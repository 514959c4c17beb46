#include "screen/picture_table.h"
#include "common/qt_values.h"

#include <QPainter>
#include <cmath>

namespace rumo {

namespace {

constexpr std::size_t kKeptScaled = 8;

}  // namespace

PictureHandle PictureTable::add(PreparedPicture picture, PictureSource source) {
    const int id = static_cast<int>(pictures_.size());
    PictureHandle handle{id, picture.originalSize.width(), picture.originalSize.height()};
    pictures_.push_back(std::move(picture));
    sources_.push_back(std::move(source));
    return handle;
}

PictureHandle PictureTable::addPending(QSize originalSize, PictureSource source) {
    PreparedPicture pending;
    pending.originalSize = originalSize;
    return add(std::move(pending), std::move(source));
}

void PictureTable::setSize(int id, QSize originalSize) {
    if (id >= 0 && static_cast<std::size_t>(id) < pictures_.size()) {
        pictures_[static_cast<std::size_t>(id)].originalSize = originalSize;
    }
}

void PictureTable::fulfil(int id, PreparedPicture picture) {
    if (id < 0 || static_cast<std::size_t>(id) >= pictures_.size()) {
        return;
    }
    // The layout already used the size the header gave.
    picture.originalSize = pictures_[static_cast<std::size_t>(id)].originalSize;
    pictures_[static_cast<std::size_t>(id)] = std::move(picture);
    // Copies made from the pixels replaced are stale.
    tiles_.erase(id);
    std::erase_if(scaled_, [id](const auto& entry) { return std::get<0>(entry.first) == id; });
}

std::vector<std::pair<int, PictureSource>> PictureTable::sources() const {
    std::vector<std::pair<int, PictureSource>> list;
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        if (!sources_[i].path.isEmpty()) {
            list.emplace_back(static_cast<int>(i), sources_[i]);
        }
    }
    return list;
}

const PreparedPicture* PictureTable::find(int id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= pictures_.size()) {
        return nullptr;
    }
    return &pictures_[static_cast<std::size_t>(id)];
}

PictureLoader PictureTable::loader(PictureDecodeHook decode, PictureScreen screen,
                                   bool foreground) {
    return [this, decode = std::move(decode), screen,
            foreground](const std::string& path) -> std::optional<PictureHandle> {
        if (!decode || path.empty()) {
            return std::nullopt;
        }
        const QString file = qtText(path);
        std::optional<PreparedPicture> picture = decode(file, screen, foreground);
        if (!picture || picture->image.isNull() || picture->originalSize.isEmpty()) {
            return std::nullopt;
        }
        return add(std::move(*picture), {file, foreground});
    };
}

void PictureTable::draw(QPainter& painter, int id, const QRect& target, const QRect& canvas) {
    const PreparedPicture* picture = find(id);
    if (picture == nullptr || picture->image.isNull() || target.isEmpty()) {
        return;
    }
    // Where the part the image holds lands inside the target.
    const double sx = static_cast<double>(target.width()) / picture->originalSize.width();
    const double sy = static_cast<double>(target.height()) / picture->originalSize.height();
    const QRectF placedF(target.x() + picture->sourceRect.x() * sx,
                         target.y() + picture->sourceRect.y() * sy,
                         picture->sourceRect.width() * sx, picture->sourceRect.height() * sy);
    const QRect placed = placedF.toRect();
    if (placed.size() == picture->image.size()) {
        painter.drawImage(placed.topLeft(), picture->image);
        return;
    }
    // Scale only the visible part, so a picture enlarged far beyond the canvas costs no more
    // than the canvas.
    const QRect visible = placed.intersected(canvas);
    if (visible.isEmpty()) {
        return;
    }
    const auto key = std::make_tuple(id, placed.x(), placed.y(), placed.width(), placed.height());
    auto found = scaled_.find(key);
    if (found == scaled_.end()) {
        if (scaled_.size() >= kKeptScaled) {
            scaled_.clear();
        }
        const double fx = static_cast<double>(picture->image.width()) / placed.width();
        const double fy = static_cast<double>(picture->image.height()) / placed.height();
        // In the picture's own format: a transparent pixel stays transparent when scaled.
        QImage part(visible.size(), picture->image.format());
        // Nearest pixel, like a colour-on-colour stretch: no smoothing.
        for (int y = 0; y < part.height(); ++y) {
            const int srcY = std::min(picture->image.height() - 1,
                                      static_cast<int>((visible.y() - placed.y() + y) * fy));
            const auto* in = reinterpret_cast<const QRgb*>(picture->image.constScanLine(srcY));
            auto* out = reinterpret_cast<QRgb*>(part.scanLine(y));
            for (int x = 0; x < part.width(); ++x) {
                const int srcX = std::min(picture->image.width() - 1,
                                          static_cast<int>((visible.x() - placed.x() + x) * fx));
                out[x] = in[srcX];
            }
        }
        found = scaled_.emplace(key, std::move(part)).first;
    }
    painter.drawImage(visible.topLeft(), found->second);
}

void PictureTable::tile(QPainter& painter, int id, const QRect& canvas, double scale) {
    const PreparedPicture* picture = find(id);
    if (picture == nullptr || picture->image.isNull()) {
        return;
    }
    auto found = tiles_.find(id);
    if (found == tiles_.end()) {
        QImage tileImage = picture->image;
        if (picture->image.size() != picture->originalSize ||
            picture->sourceRect != QRect(QPoint(0, 0), picture->originalSize)) {
            // The decoder kept a part or a scaled copy; rebuild the tile at its own size, but
            // never larger than the canvas it covers.
            const QSize size = picture->originalSize.boundedTo(canvas.size().expandedTo({1, 1}));
            tileImage = QImage(size, picture->image.format());
            tileImage.fill(Qt::transparent);
            QPainter tilePainter(&tileImage);
            draw(tilePainter, id, QRect(QPoint(0, 0), picture->originalSize),
                 QRect(QPoint(0, 0), size));
        }
        // Kept with its transparency, so the background colour shows through it.
        found = tiles_.emplace(id, std::move(tileImage)).first;
    }
    painter.save();
    painter.setBrushOrigin(0, 0);
    QBrush brush(found->second);
    if (scale != 1.0) {
        brush.setTransform(QTransform::fromScale(scale, scale));
    }
    painter.fillRect(canvas, brush);
    painter.restore();
}

}  // namespace rumo
