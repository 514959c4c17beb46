#include "bar/bar_placement.h"

#include <gtest/gtest.h>

namespace rumo::bar {
namespace {

const Box kLeftScreen{0, 0, 1024, 768};
const Box kRightScreen{1024, 0, 1920, 1080};

TEST(BarPlacement, APlaceMostlyOnSomeScreenIsKept) {
    const std::vector<Box> screens{kLeftScreen, kRightScreen};
    EXPECT_FALSE(areaToBringInto({300, 20, 140, 40}, screens));
    // Exactly half inside still counts, and so does straddling two screens.
    EXPECT_FALSE(areaToBringInto({-70, 100, 140, 40}, screens));
    EXPECT_FALSE(areaToBringInto({950, 100, 140, 40}, screens));
    // Nothing to fit into: whatever is stored is used.
    EXPECT_FALSE(areaToBringInto({5000, 5000, 140, 40}, {}));
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
