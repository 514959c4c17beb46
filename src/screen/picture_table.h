// The notice's decoded pictures, by the id the core's picture handles carry, and how one is
// drawn over the placement a frame gives it (scaled once and kept when it is not a plain copy).
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "screen/picture_decoder.h"
#include "screen/picture_handle.h"

class QPainter;

namespace rumo {

// Decodes a picture file for a screen; nothing when it cannot be used.
using PictureDecodeHook = std::function<std::optional<PreparedPicture>(
    const QString& path, const PictureScreen& screen, bool foreground)>;

// The file a picture came from and the layer it was decoded for, to decode it again for another
// screen.
struct PictureSource {
    QString path;
    bool foreground = true;
};

class PictureTable {
public:
    PictureHandle add(PreparedPicture picture, PictureSource source = {});
    // A picture still being decoded: drawn as nothing until fulfil() gives its pixels. Its size
    // may come later still, from its header (setSize()).
    PictureHandle addPending(QSize originalSize, PictureSource source);
    void setSize(int id, QSize originalSize);
    // New pixels for a picture; its size for the layout stays the one it was added with.
    void fulfil(int id, PreparedPicture picture);
    const PreparedPicture* find(int id) const;
    // Every picture added with its file, by id.
    std::vector<std::pair<int, PictureSource>> sources() const;

    // A loader for the core's picture rules: decodes through the hook and registers the result.
    PictureLoader loader(PictureDecodeHook decode, PictureScreen screen, bool foreground);

    // Draws the whole picture placed over target (in canvas pixels), clipped to the canvas.
    void draw(QPainter& painter, int id, const QRect& target, const QRect& canvas);
    // Tiles the picture from the canvas's top-left corner, each tile its original size times
    // scale (the canvas's device pixel ratio).
    void tile(QPainter& painter, int id, const QRect& canvas, double scale = 1.0);

private:
    std::vector<PreparedPicture> pictures_;
    std::vector<PictureSource> sources_;
    std::map<std::tuple<int, int, int, int, int>, QImage> scaled_;  // id and placed rect
    std::map<int, QImage> tiles_;
};

}  // namespace rumo
