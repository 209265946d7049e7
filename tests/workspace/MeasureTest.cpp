#include "picture/Measure.h"

#include <gtest/gtest.h>

namespace glyph {
namespace {

TEST(Measure, HimetricRoundTripAndClamp) {
    EXPECT_EQ(PixelsToHimetric(640), 16933);
    EXPECT_EQ(PixelsToHimetric(480), 12700);
    for (int pixels : {0, 1, 63, 64, 99, 100, 101, 640, 6000, 20000, 65535}) {
        EXPECT_EQ(HimetricToPixels(PixelsToHimetric(pixels)), pixels);
    }
    EXPECT_EQ(ClampImageSize(0), 0);
    EXPECT_EQ(ClampImageSize(100), 100);
    EXPECT_EQ(ClampImageSize(101), 100);
    EXPECT_EQ(ClampImageSize(-1), 100);
}

}  // namespace
}  // namespace glyph
