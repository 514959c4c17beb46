#include "platform/large_image.h"

#include <gtest/gtest.h>
#include <QPainter>

namespace rumo {
namespace {

TEST(LargeImage, FullScreenBufferBehavesLikeAnyImage) {
    QImage image = allocateLargeImage({1920, 1080}, QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1920, 1080));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.bytesPerLine(), 1920 * 4);
    image.fill(Qt::blue);
    {
        QPainter painter(&image);
        painter.fillRect(QRect(10, 10, 5, 5), Qt::red);
    }
    EXPECT_EQ(image.pixel(12, 12), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1919, 1079), qRgb(0, 0, 255));

    // A copy is independent once either side is written, and outlives the original buffer.
    QImage copy = image;
    image.fill(Qt::green);
    image = QImage();
    EXPECT_EQ(copy.pixel(1919, 1079), qRgb(0, 0, 255));
}

TEST(LargeImage, SmallOrEmptySizesStillWork) {
    EXPECT_EQ(allocateLargeImage({16, 16}, QImage::Format_RGB32).size(), QSize(16, 16));
    EXPECT_TRUE(allocateLargeImage({0, 0}, QImage::Format_RGB32).isNull());
    const QImage odd = allocateLargeImage({1999, 1111}, QImage::Format_Alpha8);
    EXPECT_EQ(odd.bytesPerLine() % 4, 0);
    EXPECT_GE(odd.bytesPerLine(), 1999);
}

}  // namespace
}  // namespace rumo
