// Writes the fuzzer's seed pictures: small BMP, JPEG (plain, progressive, EXIF-rotated) and GIF
// files that reach every branch of the decoder, and a JPEG with too many scans.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x ^ y) & 255));
        }
    }
    return image;
}

QByteArray encode(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    QByteArray app1 = QByteArray::fromHex("FFE10022");
    app1.append("Exif\0\0", 6);
    app1.append(QByteArray::fromHex("4D4D002A000000080001011200030000000100"));
    app1.append(char(orientation));
    app1.append(QByteArray::fromHex("000000000000"));
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

void putLe16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Each pixel goes out as an LZW clear code and a literal, so all codes stay three bits wide.
QByteArray makeGif(int width, int height, const std::vector<std::vector<int>>& frames) {
    QByteArray gif("GIF89a");
    putLe16(gif, width);
    putLe16(gif, height);
    gif.append(char(0x91)).append(char(0)).append(char(0));
    gif.append(QByteArray::fromHex("FF000000FF000000FFFFFFFF"));
    for (std::size_t f = 0; f < frames.size(); ++f) {
        gif.append(QByteArray::fromHex(f == 0 ? "21F9040100000300" : "21F9040000000000"));
        gif.append(char(0x2C));
        putLe16(gif, 0);
        putLe16(gif, 0);
        putLe16(gif, width);
        putLe16(gif, height);
        gif.append(char(0)).append(char(2));
        QByteArray data;
        std::uint32_t bits = 0;
        int count = 0;
        auto put = [&](int code) {
            bits |= std::uint32_t(code) << count;
            for (count += 3; count >= 8; count -= 8) {
                data.append(char(bits & 0xFF));
                bits >>= 8;
            }
        };
        for (int index : frames[f]) {
            put(4);
            put(index);
        }
        put(5);
        if (count > 0) {
            data.append(char(bits & 0xFF));
        }
        gif.append(char(data.size())).append(data).append(char(0));
    }
    gif.append(char(0x3B));
    return gif;
}

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
    const QImage wide = pattern(48, 16);
    const QImage tall = pattern(12, 40);
    // Two-frame GIF, the first frame with a transparent colour.
    const QByteArray gif = makeGif(3, 2, {{3, 1, 0, 3, 2, 1}, {0, 0, 1, 1, 2, 2}});
    bool ok =
        write(dir, "wide.bmp", encode(wide, "bmp")) &&
        write(dir, "tall.bmp", encode(tall.convertToFormat(QImage::Format_Indexed8), "bmp")) &&
        write(dir, "wide.jpg", encode(wide, "jpeg")) &&
        write(dir, "progressive.jpg", encode(tall, "jpeg", true)) &&
        write(dir, "scans.jpg", withManyScans(encode(tall, "jpeg", true), 600)) &&
        write(dir, "rotated.jpg", withOrientation(encode(wide, "jpeg"), 6)) &&
        write(dir, "mirrored.jpg", withOrientation(encode(tall, "jpeg"), 5)) &&
        write(dir, "frames.gif", gif);
    return ok ? 0 : 1;
}
