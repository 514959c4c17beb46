// Turns a BMP, JPEG or GIF file into the image a frame copies as it is: decoded once, oriented as
// its EXIF tag says, reduced to the part and the size the notice shows, in the screen's format.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <stop_token>

class QIODevice;

namespace rumo {

// Largest image (bytes of pixels) any step of a decode may allocate. Qt's own default (128 MB)
// lets a GIF of a few dozen bytes claim 61 MB.
inline constexpr qint64 kMaxDecodeBytes = 48LL * 1024 * 1024;
// JPEGs are decoded reduced or clipped, so their limit is on the picture's pixel count, which
// bounds the decoding time.
inline constexpr qint64 kMaxJpegPixels = 200LL * 1000 * 1000;
// A progressive JPEG is decoded through coefficient buffers for the whole picture (two bytes a
// sample): 72 MB for a 6000 x 4000 photo with halved colour resolution.
inline constexpr qint64 kMaxJpegCoefficientBytes = 96LL * 1024 * 1024;

// A progressive JPEG has about ten scans; libjpeg-turbo's tools suggest refusing more than 500.
inline constexpr int kMaxJpegScans = 500;
// No decode may keep the notice's pictures waiting longer; a decode past it is refused.
inline constexpr qint64 kDecodeTimeBudgetMs = 4000;

// The screen (window) a picture is decoded for: its size in logical pixels, which every layout
// rule uses, and its device pixel ratio, at which a reduced picture is decoded so that it is drawn
// sharp rather than enlarged.
struct PictureScreen {
    PictureScreen(QSize logicalSize = {}, qreal devicePixelRatio = 1.0)  // NOLINT: a plain screen
        : size(logicalSize), ratio(devicePixelRatio) {}
    QSize size;
    qreal ratio;
    friend bool operator==(const PictureScreen&, const PictureScreen&) = default;
};

struct PreparedPicture {
    QImage image;        // Format_RGB32, or ARGB32_Premultiplied for a GIF with transparency
    QSize originalSize;  // the picture's size after EXIF orientation: every layout rule uses it
    QRect sourceRect;    // the part of the original (oriented pixels) that `image` holds
};

// "bmp", "jpeg" or "gif" from a file's first bytes; empty for anything else.
QByteArray pictureFormatOf(const QByteArray& head);

// Decodes the picture at `path` for a screen (window) of logical size W x H.
// Foreground: a picture wider than the screen comes out scaled to the screen's height (w' =
// H * w / h), cut to the columns that show; a narrower one stays one to one, cut to the rows that
// show when centred. Background (tiled from the top-left corner): one to one, cut to the screen.
// A reduced picture is decoded at the screen's device pixels, as far as the file has them.
// An empty screen size keeps the whole picture one to one. Nothing on any failure: not a regular
// file, not BMP/JPEG/GIF by content, damaged or truncated, too large, or without pixels; nor once
// `stop` is requested, which the decode sees at its next read.
std::optional<PreparedPicture> decodePicture(const QString& path, const PictureScreen& screen,
                                             bool foreground, std::stop_token stop = {});
// The same from an open, random-access device holding the file (read from its start).
std::optional<PreparedPicture> decodePicture(QIODevice& device, const PictureScreen& screen,
                                             bool foreground, std::stop_token stop = {});

// Where `image` goes when the frame draws the whole original picture into `whole` (one to one:
// the picture's size at its corner; scaled: the stretched rectangle). When the result has the
// image's size, drawing is a straight copy to its top-left corner.
QRect preparedTarget(const PreparedPicture& picture, const QRect& whole);

}  // namespace rumo
