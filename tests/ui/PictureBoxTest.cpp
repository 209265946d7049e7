#include <gtest/gtest.h>

#include "ui/PictureBox.h"

namespace glyph {
namespace {

constexpr TwipScale kScale{15, 15};

// A w x h picture whose pixel (x, y) has red x and green y.
QImage Gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, 7));
    return image;
}

TEST(PictureBox, StandsWhereItsTwipsSayAndNeverShrinksBelowNothing) {
    QWidget parent;
    PictureBox box(kScale, {420, 2040, 795, 795}, &parent);
    EXPECT_EQ(box.geometry(), QRect(28, 136, 53, 53));
    box.Move(742.5f, 900, 105, -30);  // 49.5 pixels goes to the even 50
    EXPECT_EQ(box.geometry(), QRect(50, 60, 7, 0));
    EXPECT_EQ(box.Height(), 0.0f);
}

TEST(PictureBox, ShowsThePictureAtNaturalSizeClippedNeverStretched) {
    QWidget parent;
    parent.setStyleSheet(QStringLiteral("background: rgb(17, 34, 51)"));
    PictureBox box(kScale, {0, 0, 4 * 15, 3 * 15}, &parent);
    box.setAutoFillBackground(true);
    box.SetPicture(Gradient(10, 10));
    QImage shown = box.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(4, 3));
    EXPECT_EQ(shown.pixel(3, 2), qRgb(3, 2, 7));

    box.SetPicture(Gradient(2, 2));
    shown = box.grab().toImage();
    EXPECT_EQ(shown.pixel(1, 1), qRgb(1, 1, 7));
    EXPECT_EQ(shown.pixel(3, 2), qRgb(17, 34, 51)) << "the rest shows the background";
}

}  // namespace
}  // namespace glyph
