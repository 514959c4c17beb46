#include "screen/crt_random.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

TEST(CrtRandom, ReproducesTheClassicRuntimeSequence) {
    CrtRandom random(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) {
        EXPECT_EQ(random.next(), value);
    }
}

TEST(CrtRandom, SeedFromTimeKeepsTheLow32BitsAndStaysInRange) {
    CrtRandom a;
    CrtRandom b;
    a.seedFromTime(0x1'0000'0001LL);
    b.seed(1);
    EXPECT_EQ(a.next(), b.next());
    a.seedFromTime(1796634303);
    for (int i = 0; i < 1000; ++i) {
        const int value = a.next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, CrtRandom::kMax);
    }
}

}  // namespace
}  // namespace rumo
