#include "screen/picture_decoder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "screen/picture_table.h"
#include "test_pictures.h"

namespace rumo {
namespace {

using test::encodePicture;
using test::GifFrame;
using test::gradient;
using test::makeGif;
using test::withOrientation;

const QSize kScreen(1024, 768);

double meanDifference(const QImage& a, const QImage& b) {
    EXPECT_EQ(a.size(), b.size());
    if (a.size() != b.size()) {
        return 255;
    }
    double sum = 0;
    for (int y = 0; y < a.height(); y += 7) {
        for (int x = 0; x < a.width(); x += 7) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q));
        }
    }
    return sum / (((a.height() + 6) / 7) * ((a.width() + 6) / 7) * 2);
}

class PictureDecoder : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString save(const QString& name, const QImage& image, const char* format) {
        return write(name, encodePicture(image, format));
    }
    QTemporaryDir dir;
};

TEST_F(PictureDecoder, ReadsEachFormatByContentIntoTheScreenFormat) {
    const QImage picture = gradient(320, 240);
    for (const char* format : {"bmp", "jpeg"}) {
        // The name says nothing: the first bytes decide.
        const auto decoded = decodePicture(save("picture.png", picture, format), kScreen, true);
        ASSERT_TRUE(decoded) << format;
        EXPECT_EQ(decoded->originalSize, QSize(320, 240));
        EXPECT_EQ(decoded->sourceRect, QRect(0, 0, 320, 240));
        EXPECT_EQ(decoded->image.format(), QImage::Format_RGB32);
        EXPECT_LT(meanDifference(decoded->image, picture), 3.0) << format;
    }
    const auto gif =
        decodePicture(write("a.gif", makeGif(2, 2, {{2, 2, {0, 1, 2, 3}}})), kScreen, false);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->image.format(), QImage::Format_RGB32);
    EXPECT_EQ(gif->image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(gif->image.pixel(1, 1), qRgb(255, 255, 255));
}

TEST_F(PictureDecoder, TopDownBmpIsRead) {
    // Some programs store a BMP's rows from the top, marked by a negative height.
    const QImage picture = gradient(40, 30);
    const QByteArray bottomUp = encodePicture(picture, "bmp");
    const auto le32 = [&](qsizetype at) {
        return int(quint8(bottomUp[at])) | int(quint8(bottomUp[at + 1])) << 8 |
               int(quint8(bottomUp[at + 2])) << 16 | int(quint8(bottomUp[at + 3])) << 24;
    };
    const int pixels = le32(10);
    const int stride = ((40 * (le32(28) & 0xFFFF) + 31) / 32) * 4;
    QByteArray topDown = bottomUp.left(pixels);
    for (int row = 29; row >= 0; --row) {
        topDown += bottomUp.mid(pixels + row * stride, stride);
    }
    const int height = -30;
    for (int i = 0; i < 4; ++i) {
        topDown[22 + i] = char((height >> (8 * i)) & 0xFF);
    }
    for (bool foreground : {true, false}) {
        const auto decoded = decodePicture(write("top-down.bmp", topDown), kScreen, foreground);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->originalSize, QSize(40, 30));
        EXPECT_LT(meanDifference(decoded->image, picture), 3.0);
    }
}

TEST_F(PictureDecoder, OtherFormatsAndTextAreRefused) {
    EXPECT_FALSE(decodePicture(save("picture.jpg", gradient(20, 20), "png"), kScreen, true));
    EXPECT_FALSE(
        decodePicture(write("notes.jpg", "just some text, not a picture\n"), kScreen, true));
    EXPECT_FALSE(decodePicture(write("empty.bmp", ""), kScreen, true));
    EXPECT_FALSE(decodePicture(write("bm.bmp", "BM"), kScreen, true));
}

TEST_F(PictureDecoder, GifGivesItsFirstFrameAndKeepsTransparency) {
    GifFrame first{2, 1, {3, 1}, 3};
    GifFrame second{2, 1, {0, 0}, -1};
    const auto gif =
        decodePicture(write("anim.gif", makeGif(2, 1, {first, second})), kScreen, true);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(qAlpha(gif->image.pixel(0, 0)), 0);
    EXPECT_EQ(gif->image.pixel(1, 0), qRgb(0, 255, 0));
}

TEST_F(PictureDecoder, TruncatedOrDamagedFilesAreRefused) {
    const QImage picture = gradient(64, 48);
    const QByteArray bmp = encodePicture(picture, "bmp");
    const QByteArray jpeg = encodePicture(picture, "jpeg");
    std::vector<GifFrame> frames(1);
    frames[0] = {16, 16, std::vector<int>(256, 2), -1};
    const QByteArray gif = makeGif(16, 16, frames);
    ASSERT_TRUE(decodePicture(write("whole.gif", gif), kScreen, true));
    ASSERT_TRUE(decodePicture(write("whole.bmp", bmp), kScreen, true));

    EXPECT_FALSE(decodePicture(write("cut.bmp", bmp.left(bmp.size() - 5)), kScreen, true));
    const QByteArray photo = encodePicture(gradient(640, 480), "jpeg");
    ASSERT_TRUE(decodePicture(write("whole.jpg", photo), kScreen, true));
    EXPECT_FALSE(decodePicture(write("cut.jpg", photo.left(photo.size() * 4 / 5)), kScreen, true));
    EXPECT_FALSE(decodePicture(write("cut.gif", gif.left(gif.size() / 2)), kScreen, true));
    EXPECT_FALSE(decodePicture(write("head.jpg", jpeg.left(300)), kScreen, true));

    QByteArray badDepth = bmp;
    badDepth[28] = char(7);  // bits per pixel
    EXPECT_FALSE(decodePicture(write("depth.bmp", badDepth), kScreen, true));
    QByteArray badJpeg = jpeg;
    const qsizetype frame = badJpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    badJpeg[frame + 9] = char(9);  // impossible component count
    EXPECT_FALSE(decodePicture(write("sof.jpg", badJpeg), kScreen, true));
    QByteArray badGif = gif;
    badGif[badGif.indexOf(char(0x2C)) + 10] = char(13);  // LZW code size out of range
    EXPECT_FALSE(decodePicture(write("lzw.gif", badGif), kScreen, true));

    // A decode told to stop sees it at its next read and gives nothing, as for a cut file.
    std::stop_source stop;
    stop.request_stop();
    for (const char* name : {"whole.gif", "whole.bmp", "whole.jpg"}) {
        EXPECT_FALSE(decodePicture(dir.filePath(name), kScreen, true, stop.get_token())) << name;
    }
}

TEST_F(PictureDecoder, HugeHeadersAreRefusedBeforeDecoding) {
    // BMP claiming 100000 x 100000 pixels of 24 bits.
    QByteArray bmp("BM");
    bmp.append(
        QByteArray::fromHex("00000000"
                            "00000000"
                            "36000000"
                            "28000000"));
    bmp.append(
        QByteArray::fromHex("A0860100"
                            "A0860100"
                            "0100"
                            "1800"
                            "00000000"));
    bmp.append(QByteArray(20, '\0'));
    bmp.append(QByteArray(64, '\x7F'));
    EXPECT_FALSE(decodePicture(write("huge.bmp", bmp), kScreen, true));

    // A few dozen bytes of GIF whose screen would take 64 MB and 16 GB.
    std::vector<GifFrame> dot(1);
    dot[0] = {1, 1, {1}, -1};
    EXPECT_FALSE(decodePicture(write("big.gif", makeGif(4000, 4000, dot)), kScreen, false));
    EXPECT_FALSE(decodePicture(write("vast.gif", makeGif(65535, 65535, dot)), kScreen, false));

    // A JPEG frame header patched to 65000 x 65000.
    QByteArray jpeg = encodePicture(gradient(16, 16), "jpeg");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    jpeg[frame + 5] = jpeg[frame + 7] = char(0xFD);
    jpeg[frame + 6] = jpeg[frame + 8] = char(0xE8);
    EXPECT_FALSE(decodePicture(write("huge.jpg", jpeg), kScreen, true));

    // A progressive JPEG needs coefficient buffers for the whole picture, whatever is shown:
    // 14000 x 14000 would take over half a gigabyte.
    QByteArray progressive;
    QBuffer buffer(&progressive);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(gradient(320, 240)));
    ASSERT_TRUE(decodePicture(write("fine.jpg", progressive), kScreen, true));
    const QByteArray fine = progressive;
    const qsizetype start = progressive.indexOf("\xFF\xC2");
    ASSERT_GT(start, 0);
    progressive[start + 5] = progressive[start + 7] = char(0x36);
    progressive[start + 6] = progressive[start + 8] = char(0xB0);
    EXPECT_FALSE(decodePicture(write("deep.jpg", progressive), kScreen, true));

    // 60,000 empty scans before the end: libjpeg would spend many seconds on them. A file with
    // the most scans we accept still decodes.
    const qsizetype end = fine.lastIndexOf("\xFF\xD9");
    ASSERT_GT(end, 0);
    const QByteArray emptyScan = QByteArray::fromHex("FFDA000801010000001000");
    QByteArray scans = fine;
    scans.insert(end, emptyScan.repeated(60000));
    EXPECT_FALSE(decodePicture(write("scans.jpg", scans), kScreen, true));
    const int written = int(fine.count("\xFF\xDA"));
    QByteArray most = fine;
    most.insert(end, emptyScan.repeated(kMaxJpegScans - written));
    EXPECT_TRUE(decodePicture(write("most.jpg", most), kScreen, true));
}

TEST_F(PictureDecoder, PathsThatAreNoRegularFileAreRefusedWithoutWaiting) {
    EXPECT_FALSE(decodePicture(QString(), kScreen, true));
    EXPECT_FALSE(decodePicture(dir.path(), kScreen, true));
    EXPECT_FALSE(decodePicture(dir.filePath("gone.jpg"), kScreen, true));
    const QString fifo = dir.filePath("fifo.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(decodePicture(fifo, kScreen, true));
    EXPECT_FALSE(decodePicture(QStringLiteral("/dev/zero"), kScreen, true));
    EXPECT_FALSE(decodePicture(QStringLiteral("/dev/null"), kScreen, true));
    const QString longPath = QStringLiteral("/") + QString(4095, QLatin1Char('a'));
    EXPECT_EQ(QFile::encodeName(longPath).size(), 4096);
    EXPECT_FALSE(decodePicture(longPath, kScreen, true));

    // A file removed after it was chosen.
    const QString path = save("soon.bmp", gradient(8, 8), "bmp");
    ASSERT_TRUE(decodePicture(path, kScreen, true));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(decodePicture(path, kScreen, true));
}

TEST_F(PictureDecoder, ExifOrientationIsApplied) {
    QImage raw(400, 200, QImage::Format_RGB32);
    raw.fill(Qt::white);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            raw.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    const QByteArray jpeg = encodePicture(raw, "jpeg", 95);
    auto isRed = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; };

    const auto turned = decodePicture(write("six.jpg", withOrientation(jpeg, 6)), kScreen, true);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->originalSize, QSize(200, 400));
    EXPECT_EQ(turned->image.size(), QSize(200, 400));
    EXPECT_TRUE(isRed(turned->image.pixel(190, 10)));  // top-left went to the top-right
    EXPECT_FALSE(isRed(turned->image.pixel(10, 10)));

    const auto upside = decodePicture(write("three.jpg", withOrientation(jpeg, 3)), kScreen, true);
    ASSERT_TRUE(upside);
    EXPECT_EQ(upside->originalSize, QSize(400, 200));
    EXPECT_TRUE(isRed(upside->image.pixel(390, 190)));
}

TEST_F(PictureDecoder, OrientedPicturesAreCutAndScaledInTheirShownCoordinates) {
    // 1200 x 800 stored, shown upright as 800 x 1200: one to one, rows 216..983 visible.
    const QImage raw = gradient(1200, 800);
    const QString portrait =
        write("portrait.jpg", withOrientation(encodePicture(raw, "jpeg", 95), 6));
    QImageReader reference(portrait);
    reference.setAutoTransform(true);
    const QImage upright = reference.read();
    ASSERT_EQ(upright.size(), QSize(800, 1200));
    const auto cut = decodePicture(portrait, kScreen, true);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->sourceRect, QRect(0, 216, 800, 768));
    EXPECT_LT(meanDifference(cut->image.convertToFormat(QImage::Format_RGB32),
                             upright.copy(cut->sourceRect).convertToFormat(QImage::Format_RGB32)),
              4.0);

    // 600 x 3000 stored, shown as 3000 x 600 (orientation 8): scaled to 3840 x 768, of which
    // the middle 1024 columns show.
    const QString wide =
        write("wide.jpg", withOrientation(encodePicture(gradient(600, 3000), "jpeg"), 8));
    QImageReader wideReference(wide);
    wideReference.setAutoTransform(true);
    const QImage level = wideReference.read();
    ASSERT_EQ(level.size(), QSize(3000, 600));
    const auto scaled = decodePicture(wide, kScreen, true);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->sourceRect, QRect(1100, 0, 800, 600));
    EXPECT_EQ(scaled->image.size(), QSize(1024, 768));
    EXPECT_EQ(preparedTarget(*scaled, QRect(512 - 1920, 0, 3840, 768)), QRect(0, 0, 1024, 768));
    const QImage expected = level.copy(scaled->sourceRect)
                                .scaled(1024, 768, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_RGB32);
    EXPECT_LT(meanDifference(scaled->image, expected), 4.0);
}

TEST_F(PictureDecoder, ForegroundWiderThanTheScreenFillsItsHeight) {
    const auto picture = decodePicture(save("big.bmp", gradient(2048, 1536), "bmp"), kScreen, true);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->originalSize, QSize(2048, 1536));
    EXPECT_EQ(picture->sourceRect, QRect(0, 0, 2048, 1536));
    EXPECT_EQ(picture->image.size(), QSize(1024, 768));
    EXPECT_EQ(preparedTarget(*picture, QRect(0, 0, 1024, 768)), QRect(0, 0, 1024, 768));
    EXPECT_LT(meanDifference(picture->image, gradient(1024, 768)), 3.0);

    // Wide but low: enlarged to the screen's height, cut at the sides.
    const auto band = decodePicture(save("band.bmp", gradient(6000, 500), "bmp"), kScreen, true);
    ASSERT_TRUE(band);
    EXPECT_EQ(band->sourceRect, QRect(2666, 0, 668, 500));
    EXPECT_EQ(band->image.size(), QSize(1027, 768));
    const QRect target = preparedTarget(*band, QRect(512 - 4608, 0, 9216, 768));
    EXPECT_EQ(target, QRect(-2, 0, 1027, 768));
}

TEST_F(PictureDecoder, AReducedPictureIsDecodedAtTheScreensDevicePixels) {
    const QString file = save("photo.bmp", gradient(4096, 3072), "bmp");
    const auto sharp = decodePicture(file, PictureScreen(kScreen, 2.0), true);
    ASSERT_TRUE(sharp);
    EXPECT_EQ(sharp->originalSize, QSize(4096, 3072));  // the layout is the same as at 1x
    EXPECT_EQ(sharp->image.size(), QSize(2048, 1536));
    EXPECT_EQ(preparedTarget(*sharp, QRect(0, 0, 2048, 1536)), QRect(0, 0, 2048, 1536));
    // Never more pixels than the file has, and a picture shown at its own size keeps its own.
    const auto most = decodePicture(save("big.bmp", gradient(2048, 1536), "bmp"),
                                    PictureScreen(kScreen, 3.0), true);
    ASSERT_TRUE(most);
    EXPECT_EQ(most->image.size(), QSize(2048, 1536));
    const auto own = decodePicture(save("small.bmp", gradient(300, 200), "bmp"),
                                   PictureScreen(kScreen, 2.0), true);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->image.size(), QSize(300, 200));
}

TEST_F(PictureDecoder, TallForegroundKeepsOnlyTheRowsThatShow) {
    QImage striped(800, 1200, QImage::Format_RGB32);
    for (int y = 0; y < 1200; ++y) {
        striped.fill(0);
        for (int x = 0; x < 800; ++x) {
            striped.setPixel(x, y, qRgb(y % 256, y / 256, x % 256));
        }
    }
    const auto picture = decodePicture(save("tall.bmp", striped, "bmp"), kScreen, true);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->originalSize, QSize(800, 1200));
    EXPECT_EQ(picture->sourceRect, QRect(0, 216, 800, 768));
    EXPECT_EQ(picture->image, striped.copy(0, 216, 800, 768));
    // Drawn centred one to one at (112, -216): the kept rows start at the window's top.
    EXPECT_EQ(preparedTarget(*picture, QRect(112, -216, 800, 1200)), QRect(112, 0, 800, 768));
}

TEST_F(PictureDecoder, BackgroundStaysOneToOneAndIsCutToTheScreen) {
    const QString small = save("tile.bmp", gradient(100, 100), "bmp");
    const auto tile = decodePicture(small, kScreen, false);
    ASSERT_TRUE(tile);
    EXPECT_EQ(tile->image, gradient(100, 100));
    EXPECT_EQ(preparedTarget(*tile, QRect(1000, 700, 100, 100)), QRect(1000, 700, 100, 100));

    const QImage large = gradient(2000, 1000);
    const auto cut = decodePicture(save("large.bmp", large, "bmp"), kScreen, false);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->originalSize, QSize(2000, 1000));
    EXPECT_EQ(cut->sourceRect, QRect(0, 0, 1024, 768));
    EXPECT_EQ(cut->image, large.copy(0, 0, 1024, 768));

    // Without a known screen the whole picture is kept.
    const auto whole = decodePicture(small, QSize(), true);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->image.size(), QSize(100, 100));
}

TEST_F(PictureDecoder, TableHandsOutHandlesWithTheOriginalSize) {
    PictureTable table;
    const PictureDecodeHook decode = [](const QString& path, const PictureScreen& screen,
                                        bool foreground) {
        return decodePicture(path, screen, foreground);
    };
    const PictureLoader fore = table.loader(decode, kScreen, true);
    const PictureLoader back = table.loader(decode, kScreen, false);
    const std::string big = save("big.bmp", gradient(2048, 1536), "bmp").toStdString();
    const auto foreHandle = fore(big);
    const auto backHandle = back(big);
    EXPECT_FALSE(fore(dir.filePath("missing.jpg").toStdString()));
    ASSERT_TRUE(foreHandle && backHandle);
    EXPECT_NE(foreHandle->id, backHandle->id);
    EXPECT_EQ(foreHandle->width, 2048);
    EXPECT_EQ(foreHandle->height, 1536);
    EXPECT_EQ(table.find(foreHandle->id)->image.size(), QSize(1024, 768));
    EXPECT_EQ(table.find(backHandle->id)->sourceRect, QRect(0, 0, 1024, 768));
    EXPECT_EQ(table.find(-1), nullptr);
    EXPECT_EQ(table.find(2), nullptr);
}

}  // namespace
}  // namespace rumo
