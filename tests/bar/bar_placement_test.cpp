#include "bar/bar_placement.h"

#include <gtest/gtest.h>

namespace rumo::bar {
namespace {

const Box kLeftScreen{0, 0, 1024, 768};
const Box kRightScreen{1024, 0, 1920, 1080};

TEST(BarPlacement, APlaceWhollyInsideOneScreenIsKept) {
    const std::vector<Box> screens{kLeftScreen, kRightScreen};
    EXPECT_FALSE(areaToBringInto({300, 20, 140, 40}, screens));
    EXPECT_FALSE(areaToBringInto({1024, 1040, 140, 40}, screens));
    // Nothing to fit into: whatever is stored is used.
    EXPECT_FALSE(areaToBringInto({5000, 5000, 140, 40}, {}));
}

TEST(BarPlacement, AFrameUnderAPanelGoesWhollyIntoTheWorkArea) {
    // A 900-pixel screen with a 32-pixel panel at the bottom; the bar's frame is its 25 pixels
    // of controls under a 21-pixel title bar and borders. Stored at Top 842, the controls would
    // lie mostly under the panel, though half of the frame lies in the work area.
    const Box workArea{0, 0, 1440, 868};
    const Box frame{100, 842, 302, 50};
    ASSERT_EQ(areaToBringInto(frame, {workArea}), workArea);
    EXPECT_EQ(fitInside(frame, workArea), (Box{100, 818, 302, 50}));
    // Half on each of two screens: wholly into one of them, the one holding more of it.
    const std::vector<Box> screens{kLeftScreen, kRightScreen};
    EXPECT_EQ(areaToBringInto({-70, 100, 140, 40}, screens), kLeftScreen);
    EXPECT_EQ(areaToBringInto({990, 100, 140, 40}, screens), kRightScreen);
}

TEST(BarPlacement, AWindowMostlyOffScreenGoesWhollyIntoTheNearestScreen) {
    const std::vector<Box> screens{kLeftScreen, kRightScreen};
    // The right-hand monitor was unplugged: only the left one remains.
    const Box far{2500, 900, 140, 40};
    ASSERT_EQ(areaToBringInto(far, {kLeftScreen}), kLeftScreen);
    EXPECT_EQ(fitInside(far, kLeftScreen), (Box{884, 728, 140, 40}));
    // Written under Wayland: caption above the top edge.
    const Box wayland{-3, -30, 140, 40};
    ASSERT_EQ(areaToBringInto(wayland, screens), kLeftScreen);
    EXPECT_EQ(fitInside(wayland, kLeftScreen), (Box{0, 0, 140, 40}));
    // Below the smaller screen, nearer the larger one.
    EXPECT_EQ(areaToBringInto({1500, 1100, 140, 40}, screens), kRightScreen);
    // Coordinates at the ends of the integer range neither overflow nor wrap.
    const Box extreme{2147483647, -2147483647 - 1, 140, 40};
    ASSERT_TRUE(areaToBringInto(extreme, screens));
    EXPECT_EQ(fitInside(extreme, kRightScreen), (Box{2804, 0, 140, 40}));
    // Larger than the area: its top-left corner stays inside.
    EXPECT_EQ(fitInside({-50, -50, 2000, 900}, kLeftScreen), (Box{0, 0, 2000, 900}));
}

}  // namespace
}  // namespace rumo::bar
