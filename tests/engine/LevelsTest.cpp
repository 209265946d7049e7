#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/Levels.h"

namespace glyph {
namespace {

TEST(GrayLevel, SingleColours) {
    EXPECT_EQ(GrayLevel(Rgb(255, 255, 255)), 255);
    EXPECT_EQ(GrayLevel(Rgb(0, 0, 0)), 0);
    EXPECT_EQ(GrayLevel(Rgb(255, 0, 0)), 76);
    EXPECT_EQ(GrayLevel(Rgb(0, 255, 0)), 150);
    EXPECT_EQ(GrayLevel(Rgb(0, 0, 255)), 28);
    EXPECT_EQ(GrayLevel(Rgb(1, 1, 1)), 0);
    EXPECT_EQ(GrayLevel(Rgb(128, 128, 128)), 127);
    EXPECT_EQ(GrayLevel(Rgb(0, 128, 0)), 75);
    // Bits above the blue byte are not part of the colour.
    EXPECT_EQ(GrayLevel(0xFF000000u | Rgb(0, 0, 255)), 28);
}

TEST(GrayLevel, SixtySevenGraysReadBackOneLower) {
    std::vector<int> lowered;
    for (int v = 0; v < 256; ++v) {
        const int level = GrayLevel(GrayColour(v));
        ASSERT_TRUE(level == v || level == v - 1) << v;
        if (level == v - 1) lowered.push_back(v);
    }
    ASSERT_EQ(lowered.size(), 67u);
    const std::vector<int> smallest(lowered.begin(), lowered.begin() + 11);
    EXPECT_EQ(smallest, (std::vector<int>{1, 2, 4, 5, 8, 10, 16, 20, 21, 31, 32}));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndTheRangeSaturates) {
    EXPECT_EQ(RoundHalfEven(127.5), 128);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-12.57), -13);
    EXPECT_EQ(RoundHalfEven(1e12), 2147483647);
    EXPECT_EQ(RoundHalfEven(-1e12), -2147483647 - 1);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

int Adjusted(int g, Adjustment adjustment, int darkest = 0, int lightest = 255) {
    return AdjustLevel(g, adjustment, darkest, lightest);
}

TEST(AdjustLevel, ContrastStep) {
    const Adjustment more{0, 0, +10};
    EXPECT_EQ(Adjusted(0, more), 0);
    EXPECT_EQ(Adjusted(64, more), 58);
    EXPECT_EQ(Adjusted(127, more), 127);
    EXPECT_EQ(Adjusted(128, more), 128);
    EXPECT_EQ(Adjusted(200, more), 207);
    EXPECT_EQ(Adjusted(255, more), 255);
    const Adjustment less{0, 0, -10};
    EXPECT_EQ(Adjusted(0, less), 13);
    EXPECT_EQ(Adjusted(64, less), 70);
    EXPECT_EQ(Adjusted(200, less), 193);
    EXPECT_EQ(Adjusted(255, less), 242);
    const Adjustment flat{0, 0, -101};
    for (int g : {0, 40, 200, 255}) EXPECT_EQ(Adjusted(g, flat), 127);
}

TEST(AdjustLevel, BrightnessAndTheSingleClamp) {
    EXPECT_EQ(Adjusted(250, {0, +10, 0}), 255);
    EXPECT_EQ(Adjusted(5, {0, -10, 0}), 0);
    EXPECT_EQ(Adjusted(100, {0, +10, 0}), 110);
    // 255 with more contrast is 267.67 before brightness; clamping only after both.
    EXPECT_EQ(Adjusted(255, {0, -10, +10}), 255);
    EXPECT_EQ(Adjusted(0, {0, +10, +10}), 0);
    EXPECT_EQ(Adjusted(100, {0, 2147483647, 0}), 255);
    EXPECT_EQ(Adjusted(100, {0, -2147483647 - 1, 0}), 0);
}

TEST(AdjustLevel, AutoLevelStretch) {
    const Adjustment autoLevel{-1, 0, 0};
    EXPECT_EQ(Adjusted(50, autoLevel, 50, 150), 0);
    EXPECT_EQ(Adjusted(100, autoLevel, 50, 150), 128);  // 127.5 to the even 128
    EXPECT_EQ(Adjusted(150, autoLevel, 50, 150), 255);
    EXPECT_EQ(Adjusted(51, autoLevel, 50, 152), 2);  // 2.5 to the even 2
    // Any non-zero value switches it on.
    EXPECT_EQ(Adjusted(100, {1, 0, 0}, 50, 150), 128);
    // A cell never read (0) below the darkest level clamps to black.
    EXPECT_EQ(Adjusted(0, autoLevel, 50, 150), 0);
}

TEST(AdjustLevel, AutoLevelOverNoRangeLeavesLevelsAsTheyAre) {
    const Adjustment autoLevel{-1, 0, 0};
    for (int g : {0, 77, 255}) {
        EXPECT_EQ(Adjusted(g, autoLevel, 77, 77), g);
        EXPECT_EQ(Adjusted(g, autoLevel, -1, -1), g);
    }
}

}  // namespace
}  // namespace glyph
