// Writes the fuzzer's seed pictures: small BMP, JPEG (plain, progressive, EXIF-rotated) and GIF
// files that reach every branch of the decoder, and a JPEG with too many scans.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "screen/test_pictures.h"

namespace {

using rumo::test::encodePicture;
using rumo::test::gradient;
using rumo::test::makeGif;
using rumo::test::withOrientation;

// A progressive JPEG with empty scans piled up before its end, past the decoder's scan limit.
QByteArray withManyScans(const QByteArray& jpeg, int scans) {
    const QByteArray emptyScan = QByteArray::fromHex("FFDA000801010000001000");
    QByteArray out = jpeg;
    out.insert(out.lastIndexOf("\xFF\xD9"), emptyScan.repeated(scans));
    return out;
}

bool write(const QDir& dir, const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QImage wide = gradient(48, 16);
    const QImage tall = gradient(12, 40);
    // Two-frame GIF, the first frame with a transparent colour.
    const QByteArray gif =
        makeGif(3, 2, {{3, 2, {3, 1, 0, 3, 2, 1}, 3}, {3, 2, {0, 0, 1, 1, 2, 2}}});
    bool ok = write(dir, "wide.bmp", encodePicture(wide, "bmp")) &&
              write(dir, "tall.bmp",
                    encodePicture(tall.convertToFormat(QImage::Format_Indexed8), "bmp")) &&
              write(dir, "wide.jpg", encodePicture(wide, "jpeg")) &&
              write(dir, "progressive.jpg", encodePicture(tall, "jpeg", 90, true)) &&
              write(dir, "scans.jpg", withManyScans(encodePicture(tall, "jpeg", 90, true), 600)) &&
              write(dir, "rotated.jpg", withOrientation(encodePicture(wide, "jpeg"), 6)) &&
              write(dir, "mirrored.jpg", withOrientation(encodePicture(tall, "jpeg"), 5)) &&
              write(dir, "frames.gif", gif);
    return ok ? 0 : 1;
}
