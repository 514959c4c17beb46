#include "test_pictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtGlobal>
#include <cstdint>

namespace rumo::test {

namespace {

void putLe16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

}  // namespace

// Every pixel is sent as a clear code and a literal, which keeps the LZW codes at three bits.
QByteArray makeGif(int screenWidth, int screenHeight, const std::vector<GifFrame>& frames) {
    QByteArray gif("GIF89a");
    putLe16(gif, screenWidth);
    putLe16(gif, screenHeight);
    gif.append(char(0x91)).append(char(0)).append(char(0));  // 4-entry global colour table
    gif.append(
        QByteArray::fromHex("FF0000"
                            "00FF00"
                            "0000FF"
                            "FFFFFF"));
    for (const GifFrame& frame : frames) {
        if (frame.transparentIndex >= 0) {
            gif.append(QByteArray::fromHex("21F90401000000"));
            gif[gif.size() - 1] = char(frame.transparentIndex);
            gif.append(char(0));
        }
        gif.append(char(0x2C));
        putLe16(gif, 0);
        putLe16(gif, 0);
        putLe16(gif, frame.width);
        putLe16(gif, frame.height);
        gif.append(char(0));
        gif.append(char(2));  // minimum code size
        QByteArray data;
        std::uint32_t bits = 0;
        int count = 0;
        auto put = [&](int code) {
            bits |= std::uint32_t(code) << count;
            count += 3;
            while (count >= 8) {
                data.append(char(bits & 0xFF));
                bits >>= 8;
                count -= 8;
            }
        };
        for (int index : frame.indices) {
            put(4);
            put(index);
        }
        put(5);
        if (count > 0) {
            data.append(char(bits & 0xFF));
        }
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append(char(0));
    }
    gif.append(char(0x3B));
    return gif;
}

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x] = qRgb(x * 255 / width, y * 255 / height, 128);
        }
    }
    return image;
}

QByteArray encodePicture(const QImage& image, const char* format, int quality, bool progressive) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image)) {
        qFatal("cannot write a test picture as %s: %s", format, qPrintable(writer.errorString()));
    }
    return bytes;
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    QByteArray app1 = QByteArray::fromHex("FFE10022");
    app1.append("Exif\0\0", 6);
    app1.append(
        QByteArray::fromHex("4D4D002A00000008"
                            "0001"
                            "011200030000000100"));
    app1.append(char(orientation));
    app1.append(
        QByteArray::fromHex("0000"
                            "00000000"));
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

}  // namespace rumo::test
