// The canvas's picture layers with pictures registered by hand: copies, scaled placements and
// tiles land on the pixels the frame steps name.
#include <gtest/gtest.h>
#include <QPainter>

#include "screen/frame_canvas.h"
#include "screen/picture_table.h"

namespace rumo {
namespace {

QImage solid(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(PictureCanvas, DrawsCopiesScaledPicturesAndTiles) {
    PictureTable table;
    QImage quarters = solid({4, 4}, Qt::red);
    QPainter(&quarters).fillRect(2, 0, 2, 4, Qt::blue);  // left red, right blue
    const PictureHandle fore = table.add({quarters, {4, 4}, {0, 0, 4, 4}});
    const PictureHandle back = table.add({solid({3, 3}, Qt::green), {3, 3}, {0, 0, 3, 3}});
    QImage checker = solid({2, 2}, Qt::white);
    checker.setPixel(0, 0, qRgb(0, 0, 0));
    const PictureHandle tile = table.add({checker, {2, 2}, {0, 0, 2, 2}});

    FrameCanvas canvas(&table);
    Frame frame;
    frame.width = 20;
    frame.height = 10;
    frame.steps = {FillStep{{0, 0, 20, 10}, 0}, TileStep{tile, 20, 10},
                   PictureStep{fore, {1, 1, 4, 4}}, PictureStep{fore, {10, 0, 8, 8}},
                   PictureStep{back, {-1, 8, 3, 3}}};
    frame.staticSteps = frame.steps.size();
    canvas.compose(frame, true);
    const QImage& image = canvas.image();
    EXPECT_EQ(image.pixel(6, 6), qRgb(0, 0, 0));  // tile origin every 2 pixels
    EXPECT_EQ(image.pixel(7, 6), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(4, 4), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(13, 7), qRgb(255, 0, 0));  // scaled twice: left half red
    EXPECT_EQ(image.pixel(14, 0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(19, 0), qRgb(255, 255, 255));  // beyond the scaled picture: the tile
    EXPECT_EQ(image.pixel(0, 9), qRgb(0, 255, 0));       // cut at the canvas edge
}

TEST(PictureCanvas, TransparentPixelsShowWhatLiesBehindInEveryLayer) {
    // A GIF's transparent pixel at the top-left corner of an otherwise red picture.
    QImage holed(2, 2, QImage::Format_ARGB32_Premultiplied);
    holed.fill(Qt::red);
    holed.setPixel(0, 0, 0);
    PictureTable table;
    const PictureHandle asIs = table.add({holed, {2, 2}, {0, 0, 2, 2}});
    // Decoded at half its size (a wide foreground): tiling it rebuilds it at its own size.
    const PictureHandle halved = table.add({holed, {4, 4}, {0, 0, 4, 4}});
    struct Case {
        DrawStep picture;
        QPoint hole;
    };
    const Case cases[] = {{TileStep{asIs, 8, 8}, {2, 2}},
                          {TileStep{halved, 8, 8}, {5, 5}},
                          {PictureStep{asIs, {0, 0, 6, 6}}, {2, 2}}};
    for (const Case& c : cases) {
        FrameCanvas canvas(&table);
        Frame frame;
        frame.width = 8;
        frame.height = 8;
        frame.steps = {FillStep{{0, 0, 8, 8}, 0xFF0000}, c.picture};  // blue behind
        frame.staticSteps = 2;
        canvas.compose(frame, true);
        EXPECT_EQ(canvas.image().pixel(c.hole), qRgb(0, 0, 255)) << c.picture.index();
        EXPECT_EQ(canvas.image().pixel(c.hole + QPoint(1, 1)), qRgb(255, 0, 0));
    }
}

TEST(PictureCanvas, PartOfAPictureMapsIntoItsPlacement) {
    PictureTable table;
    // The decoder kept only the right half (2..4) of a 4x2 picture, already at screen scale.
    const PictureHandle half = table.add({solid({4, 4}, Qt::blue), {4, 2}, {2, 0, 2, 2}});
    FrameCanvas canvas(&table);
    Frame frame;
    frame.width = 8;
    frame.height = 4;
    frame.steps = {FillStep{{0, 0, 8, 4}, 0}, PictureStep{half, {0, 0, 8, 4}}};
    frame.staticSteps = 2;
    canvas.compose(frame, true);
    EXPECT_EQ(canvas.image().pixel(1, 1), qRgb(0, 0, 0));  // the left half was never decoded
    EXPECT_EQ(canvas.image().pixel(5, 3), qRgb(0, 0, 255));
}

TEST(PictureCanvas, LoaderRegistersWhatTheDecoderGives) {
    PictureTable table;
    QString seenPath;
    bool seenForeground = false;
    const PictureDecodeHook decode = [&](const QString& path, const PictureScreen&,
                                         bool foreground) -> std::optional<PreparedPicture> {
        seenPath = path;
        seenForeground = foreground;
        if (path.endsWith(QStringLiteral("missing.jpg"))) {
            return std::nullopt;
        }
        return PreparedPicture{solid({5, 5}, Qt::red), {50, 40}, {0, 0, 50, 40}};
    };
    const PictureLoader fore = table.loader(decode, QSize(1024, 768), true);
    const std::optional<PictureHandle> handle = fore("/pictures/絵.png");
    ASSERT_TRUE(handle);
    EXPECT_EQ(seenPath, QStringLiteral("/pictures/絵.png"));
    EXPECT_TRUE(seenForeground);
    EXPECT_EQ(handle->width, 50);
    EXPECT_EQ(handle->height, 40);
    EXPECT_NE(table.find(handle->id), nullptr);
    EXPECT_FALSE(table.loader(decode, QSize(1024, 768), false)("/missing.jpg"));
    EXPECT_FALSE(seenForeground);
    EXPECT_FALSE(fore(""));
}

}  // namespace
}  // namespace rumo
