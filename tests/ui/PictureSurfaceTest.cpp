#include <gtest/gtest.h>

#include "engine/Levels.h"
#include "ui/PictureSurface.h"

namespace glyph {
namespace {

constexpr TwipScale kScale{15, 15};
const QColor kBackground(0x11, 0x22, 0x33);

// A w x h picture whose pixel (x, y) has red x and green y.
QImage Gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, 7));
    return image;
}

PictureSurface Surface(int pixelsWide, int pixelsHigh) {
    return PictureSurface(kScale, 0, 0, pixelsWide * 15.0f, pixelsHigh * 15.0f, kBackground);
}

TEST(PictureSurface, PointGivesTheContainingPixelAndMinusOneAtAndBeyondTheEdge) {
    PictureSurface surface = Surface(4, 3);
    surface.PSet(3 * 15 + 7, 2 * 15 + 14, Rgb(1, 2, 3));
    EXPECT_EQ(surface.Point(3 * 15, 2 * 15), static_cast<std::int32_t>(Rgb(1, 2, 3)));
    EXPECT_EQ(surface.Point(3 * 15 + 14.9f, 2 * 15 + 0.5f),
              static_cast<std::int32_t>(Rgb(1, 2, 3)));
    EXPECT_EQ(surface.Point(0, 0), static_cast<std::int32_t>(Rgb(0x11, 0x22, 0x33)));
    EXPECT_EQ(surface.Point(4 * 15, 0), -1);
    EXPECT_EQ(surface.Point(0, 3 * 15), -1);
    EXPECT_EQ(surface.Point(1000, 1000), -1);
    EXPECT_EQ(surface.Point(-1, 0), -1);
    surface.PSet(4 * 15, 0, Rgb(9, 9, 9));  // outside: nothing happens
    EXPECT_EQ(surface.Image().size(), QSize(4, 3));
}

TEST(PictureSurface, PictureIsShownAtNaturalSizeAndClippedNeverStretched) {
    PictureSurface surface = Surface(100, 100);
    surface.SetPicture(Gradient(300, 200));
    EXPECT_EQ(surface.Image().size(), QSize(100, 100));
    EXPECT_EQ(surface.Point(99 * 15, 99 * 15), static_cast<std::int32_t>(Rgb(99, 99, 7)));
    EXPECT_EQ(surface.Point(100 * 15, 0), -1);

    // A smaller picture leaves the rest as background.
    surface.SetPicture(Gradient(10, 10));
    EXPECT_EQ(surface.Point(9 * 15, 9 * 15), static_cast<std::int32_t>(Rgb(9, 9, 7)));
    EXPECT_EQ(surface.Point(50 * 15, 50 * 15), static_cast<std::int32_t>(Rgb(0x11, 0x22, 0x33)));
}

TEST(PictureSurface, CopyKeepsTheDestinationSizeAndOverwritesOnlyWhatTheSourceCovers) {
    PictureSurface small = Surface(3, 2);
    small.SetPicture(Gradient(3, 2));
    PictureSurface large = Surface(5, 5);
    large.PSet(4 * 15, 4 * 15, Rgb(200, 0, 0));
    large.PaintPicture(small.Image());
    EXPECT_EQ(large.Image().size(), QSize(5, 5));
    EXPECT_EQ(large.Point(2 * 15, 15), static_cast<std::int32_t>(Rgb(2, 1, 7)));
    EXPECT_EQ(large.Point(4 * 15, 4 * 15), static_cast<std::int32_t>(Rgb(200, 0, 0)));
    EXPECT_EQ(large.Point(3 * 15, 0), static_cast<std::int32_t>(Rgb(0x11, 0x22, 0x33)));

    PictureSurface tiny = Surface(2, 1);
    tiny.PaintPicture(large.Image());
    EXPECT_EQ(tiny.Image().size(), QSize(2, 1));
    EXPECT_EQ(tiny.Point(15, 0), static_cast<std::int32_t>(Rgb(1, 0, 7)));
}

TEST(PictureSurface, ResizingKeepsTheBitmapAtTheTopLeft) {
    PictureSurface surface = Surface(2, 2);
    surface.PSet(15, 15, Rgb(5, 6, 7));
    surface.SetWidth(4 * 15);
    surface.SetHeight(1 * 15);
    EXPECT_EQ(surface.Width(), 60.0f);
    EXPECT_EQ(surface.Image().size(), QSize(4, 1));
    EXPECT_EQ(surface.Point(15, 15), -1);
    surface.SetHeight(2 * 15);
    EXPECT_EQ(surface.Point(3 * 15, 15), static_cast<std::int32_t>(Rgb(0x11, 0x22, 0x33)));
    surface.SetWidth(-30);
    EXPECT_EQ(surface.Point(0, 0), -1);
}

}  // namespace
}  // namespace glyph
