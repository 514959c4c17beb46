// Pictures built in memory for the decoder: its tests and the fuzzer's seed files use the same
// ones, so every seed is a picture the tests already know the decoder reads.
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace rumo::test {

// Red grows to the right and green downwards, so a wrong orientation or a wrong part shows.
QImage gradient(int width, int height);

// The image in `format` ("bmp", "jpeg", ...); stops the program when Qt cannot write it, since
// every caller needs the bytes to stand for the picture.
QByteArray encodePicture(const QImage& image, const char* format, int quality = 90,
                         bool progressive = false);

// A GIF built byte by byte (QImageWriter has no GIF writer) with a four-entry colour table:
// red, green, blue, white.
struct GifFrame {
    int width = 2;
    int height = 2;
    std::vector<int> indices;  // 0..3, row by row
    int transparentIndex = -1;
};
QByteArray makeGif(int screenWidth, int screenHeight, const std::vector<GifFrame>& frames);

// The JPEG with an APP1 segment holding a one-entry EXIF directory of the orientation tag, put
// right after the start-of-image marker.
QByteArray withOrientation(const QByteArray& jpeg, int orientation);

}  // namespace rumo::test
