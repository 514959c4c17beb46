#include "screen/text_sprites.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/qt_values.h"
#include "screen/font_mapping.h"

namespace rumo {

namespace {

constexpr std::size_t kKeptSprites = 48;
constexpr std::size_t kKeptColours = 3;

// The ink bounds of an ARGB image, by its alpha.
QRect inkBounds(const QImage& image) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                if (first < 0) {
                    first = x;
                }
                last = x;
            }
        }
        if (first >= 0) {
            left = std::min(left, first);
            right = std::max(right, last);
            top = std::min(top, y);
            bottom = y;
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

const QImage& TextSprite::coloured(Colour colour) {
    for (auto& [kept, image] : colours_) {
        if (kept == colour) {
            return image;
        }
    }
    if (colours_.size() >= kKeptColours) {
        colours_.erase(colours_.begin());
    }
    // One table entry per coverage value turns the coverage into premultiplied colour.
    std::array<QRgb, 256> table{};
    const QColor c = qtColour(colour);
    for (int a = 0; a < 256; ++a) {
        table[static_cast<std::size_t>(a)] = qRgba(
            (c.red() * a + 127) / 255, (c.green() * a + 127) / 255, (c.blue() * a + 127) / 255, a);
    }
    QImage image(coverage_.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* in = coverage_.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out[x] = table[in[x]];
        }
    }
    colours_.emplace_back(colour, std::move(image));
    return colours_.back().second;
}

std::shared_ptr<TextSprite> TextSprites::get(const FontSpec& font, const std::string& text) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->text == text && it->font == font) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front().sprite;
        }
    }
    if (entries_.size() >= kKeptSprites) {
        entries_.pop_back();
    }
    entries_.push_front({font, text, render(font, text)});
    return entries_.front().sprite;
}

std::shared_ptr<TextSprite> TextSprites::render(const FontSpec& description,
                                                const std::string& text) const {
    auto sprite = std::make_shared<TextSprite>();
    sprite->font_ = qtFont(description);
    sprite->text_ = qtText(text);
    const QFontMetricsF metrics(sprite->font_);
    sprite->ascent_ = metrics.ascent();
    const int pixels = sprite->font_.pixelSize();
    // Room around the advance for glyphs reaching past it (italics, accents, decorations).
    const int margin = pixels / 2 + 2;
    const qreal advance = metrics.horizontalAdvance(sprite->text_);
    sprite->advance_ = static_cast<int>(std::ceil(std::min<qreal>(advance, 1e9)));
    const qreal width = advance + 2.0 * margin;
    const qreal height = metrics.ascent() + metrics.descent() + 2.0 * margin;
    if (width * height > static_cast<qreal>(maxPixels_) || width > 32767 || height > 32767) {
        sprite->inkRect_ =
            QRect(-margin, -margin, static_cast<int>(width), static_cast<int>(height));
        return sprite;  // drawn directly, not kept
    }
    QImage canvas(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(sprite->font_);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(margin, margin + sprite->ascent_), sprite->text_);
    }
    const QRect ink = inkBounds(canvas);
    if (ink.isEmpty()) {
        sprite->coverage_ = QImage(1, 1, QImage::Format_Alpha8);
        sprite->coverage_.fill(0);
        sprite->inkRect_ = QRect();
        return sprite;
    }
    sprite->coverage_ = canvas.copy(ink).convertToFormat(QImage::Format_Alpha8);
    sprite->inkRect_ = ink.translated(-margin, -margin);
    return sprite;
}

void drawTextDirect(QPainter& painter, TextSprite& sprite, Colour colour, int x, int y) {
    const QString& text = sprite.text();
    if (sprite.charStart_.empty()) {
        const QFontMetricsF metrics(sprite.font());
        qreal pen = 0;
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
            sprite.charStart_.push_back(i);
            sprite.penBefore_.push_back(pen);
            pen += metrics.horizontalAdvance(text.mid(i, length));
            i += length;
        }
        sprite.charStart_.push_back(text.size());
        sprite.penBefore_.push_back(pen);
    }
    // Only the characters that can reach the target are drawn (a font size of slack on each
    // side covers glyphs reaching past their advance).
    const qreal limit = painter.device() != nullptr ? painter.device()->width() : 0;
    const qreal slack = sprite.font().pixelSize();
    const std::vector<qreal>& pens = sprite.penBefore_;
    const std::size_t count = pens.size() - 1;
    std::size_t first = 0;
    while (first < count && x + pens[first + 1] + slack < 0) {
        ++first;
    }
    std::size_t last = first;
    while (last < count && x + pens[last] <= limit + slack) {
        ++last;
    }
    if (last == first) {
        return;
    }
    const qsizetype from = sprite.charStart_[first];
    const qsizetype to = sprite.charStart_[last];
    painter.setFont(sprite.font());
    painter.setPen(qtColour(colour));
    painter.drawText(QPointF(x + pens[first], y + sprite.ascent()), text.mid(from, to - from));
}

}  // namespace rumo
