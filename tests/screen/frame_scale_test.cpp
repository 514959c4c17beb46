// A frame laid out in logical pixels carried over to a HiDPI screen's device pixels.
#include "screen/frame_scale.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

TEST(FrameScale, EdgesAnchorsAndCellsFollowTheRatio) {
    const PictureHandle picture{3, 40, 30};
    Frame frame;
    frame.width = 101;
    frame.height = 75;
    frame.staticSteps = 3;
    frame.steps = {FillStep{{0, 0, 101, 75}, 7}, TileStep{picture, 101, 75},
                   PictureStep{picture, {1, 1, 3, 3}},
                   TextStep{{"face", 30, 700, true, false, false}, 9, -5, 7, "あ"}};
    const Frame scaled = scaleFrame(frame, 1.5);
    EXPECT_EQ(scaled.width, 152);  // 151.5 rounds up
    EXPECT_EQ(scaled.height, 113);
    EXPECT_EQ(scaled.staticSteps, 3u);
    EXPECT_EQ(std::get<FillStep>(scaled.steps[0]).rect, (Rect{0, 0, 152, 113}));
    EXPECT_EQ(std::get<TileStep>(scaled.steps[1]), (TileStep{picture, 152, 113, 1.5}));
    // Edges 1 and 4 land on 2 and 6: the size follows the edges, not 3 x 1.5 rounded.
    EXPECT_EQ(std::get<PictureStep>(scaled.steps[2]).target, (Rect{2, 2, 4, 4}));
    const TextStep& text = std::get<TextStep>(scaled.steps[3]);
    EXPECT_EQ(text.x, -8);  // -7.5 rounds away from zero
    EXPECT_EQ(text.y, 11);
    EXPECT_EQ(text.font.cellHeight, 45);
    EXPECT_EQ(text.font.weight, 700);
    EXPECT_EQ(text.text, "あ");

    // Huge coordinates stay in range instead of overflowing.
    frame.steps = {TextStep{{}, 0, 2147483647, -2147483647 - 1, "x"}};
    const Frame huge = scaleFrame(frame, 2.0);
    const TextStep& far = std::get<TextStep>(huge.steps[0]);
    EXPECT_EQ(far.x, 2147483647);
    EXPECT_EQ(far.y, -2147483647 - 1);
}

// A host window's device size as the preview's logical size: the whole window is covered.
TEST(FrameScale, HostSizeInLogicalPixels) {
    EXPECT_EQ(toLogicalCovering(1920, 2.0), 960);
    EXPECT_EQ(toLogicalCovering(1921, 2.0), 961);
    EXPECT_EQ(toLogicalCovering(1920, 1.5), 1280);
    EXPECT_EQ(toLogicalCovering(640, 1.0), 640);
    EXPECT_EQ(toLogicalCovering(640, 0.0), 640);
}

}  // namespace
}  // namespace rumo
