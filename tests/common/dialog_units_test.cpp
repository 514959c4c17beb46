#include "common/dialog_units.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

TEST(MulDiv, RoundsHalfAwayFromZero) {
    EXPECT_EQ(mulDiv(24, 96, 72), 32);
    EXPECT_EQ(mulDiv(1, 1, 2), 1);
    EXPECT_EQ(mulDiv(-1, 1, 2), -1);
    EXPECT_EQ(mulDiv(5, 7, 3), 12);                   // 11.67
    EXPECT_EQ(mulDiv(2147483647, 2, 2), 2147483647);  // no overflow in between
    EXPECT_EQ(mulDiv(3, 4, 0), -1);
}

TEST(DialogUnits, ScaleByAQuarterOfTheWidthAndAnEighthOfTheHeight) {
    const DialogBaseUnits base{8, 16};
    EXPECT_EQ(toPixels({91, 13, 10, 8}, base), (DialogRect{182, 26, 20, 16}));
    EXPECT_EQ(toPixels({3, 3, 1, 1}, DialogBaseUnits{6, 12}), (DialogRect{5, 5, 2, 2}));
}

}  // namespace
}  // namespace rumo
