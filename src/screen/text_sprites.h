// Text rendered once per (font, text) as a coverage sprite and kept, so a frame only blends
// pixels instead of rasterising large glyphs again. Coloured copies are kept per colour.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "screen/frame_steps.h"

namespace rumo {

class TextSprite {
public:
    // Ink bounds relative to the top-left corner of the text's cell; empty when nothing is inked.
    QRect inkRect() const { return inkRect_; }
    // False for text too large to keep as a sprite; such text is drawn directly.
    bool cached() const { return !coverage_.isNull(); }
    const QFont& font() const { return font_; }
    const QString& text() const { return text_; }
    qreal ascent() const { return ascent_; }
    // How far the text advances the pen: its drawn width as laid out.
    int advance() const { return advance_; }

    // Premultiplied sprite in the given colour; the last few colours are kept.
    const QImage& coloured(Colour colour);

private:
    friend class TextSprites;
    QFont font_;
    QString text_;
    qreal ascent_ = 0;
    int advance_ = 0;
    QRect inkRect_;
    QImage coverage_;  // Alpha8, inkRect_'s size
    std::vector<std::pair<Colour, QImage>> colours_;
    // For text drawn directly: the pen position before each character, measured once.
    std::vector<qreal> penBefore_;
    std::vector<qsizetype> charStart_;

    friend void drawTextDirect(QPainter&, TextSprite&, Colour, int, int);
};

class TextSprites {
public:
    // maxSpritePixels: the largest sprite (width times height) kept; larger text is drawn directly.
    explicit TextSprites(qint64 maxSpritePixels = 8 << 20) : maxPixels_(maxSpritePixels) {}

    void setMaxSpritePixels(qint64 pixels) { maxPixels_ = pixels; }
    std::shared_ptr<TextSprite> get(const FontSpec& font, const std::string& text);

private:
    struct Entry {
        FontSpec font;
        std::string text;
        std::shared_ptr<TextSprite> sprite;
    };
    std::shared_ptr<TextSprite> render(const FontSpec& font, const std::string& text) const;

    qint64 maxPixels_;
    std::list<Entry> entries_;  // most recently used first
};

// Draws text the direct way, its cell's top-left corner at (x, y), skipping characters that lie
// wholly outside the painter's target (so very long text costs only what is visible).
void drawTextDirect(QPainter& painter, TextSprite& sprite, Colour colour, int x, int y);

}  // namespace rumo
