// The coloured page as a real browser shows it, against the PNG of the same
// art: headless Chromium renders the page, and every cell of its screenshot
// must carry the ink and the colour the PNG's cell carries, its paper's too.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>

#include "ConverterProcess.h"

namespace glyph::cli {
namespace {

constexpr int kCell = 16;  // IPAGothic at 16 px: its kanji are 16 px wide
constexpr int kColumns = 24;
constexpr int kRows = 18;
// The two rasterizers (Qt's and Chromium's, both on FreeType) place and
// smooth a glyph's edges a little differently; a cell's mean over its 256
// pixels stays close. Ink is the cell's mean darkness, 0 to 1.
constexpr double kInkTolerance = 0.06;
constexpr double kColourTolerance = 16;  // per channel, of the cell's mean
constexpr int kMargin = 2 * kCell;       // blank page around the art

// A cell's mean colour, channel by channel.
struct Mean {
    double red = 0, green = 0, blue = 0;
    double Ink() const { return 1 - (red + green + blue) / (3 * 255); }
};

Mean CellMean(const QImage& image, int column, int row) {
    Mean mean;
    for (int y = row * kCell; y < (row + 1) * kCell; ++y)
        for (int x = column * kCell; x < (column + 1) * kCell; ++x) {
            const QRgb pixel = image.pixel(x, y);
            mean.red += qRed(pixel);
            mean.green += qGreen(pixel);
            mean.blue += qBlue(pixel);
        }
    constexpr double kPixels = kCell * kCell;
    return {mean.red / kPixels, mean.green / kPixels, mean.blue / kPixels};
}

// Bands of colour across, each darker going down, so that both the glyphs
// and their colours change from cell to cell.
QImage Bands() {
    const QRgb bands[] = {qRgb(220, 30, 30),  qRgb(30, 160, 40),  qRgb(40, 60, 220),
                          qRgb(240, 160, 20), qRgb(150, 50, 180), qRgb(120, 120, 120)};
    QImage image(kColumns * 4, kRows * 4, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb band = bands[x * 6 / image.width()];
            const double shade = 0.25 + 0.75 * (image.height() - y) / image.height();
            image.setPixel(x, y,
                           qRgb(int(qRed(band) * shade + (1 - shade) * 255 * (x % 5 == 0)),
                                int(qGreen(band) * shade), int(qBlue(band) * shade)));
        }
    return image;
}

// Each colouring: ink and paper per cell, ink alone, gray paper.
class BrowserCheck : public ::testing::TestWithParam<const char*> {};

TEST_P(BrowserCheck, TheColouredPageShowsThePngsCells) {
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty()) GTEST_SKIP() << "chromium is not installed";
    QTemporaryDir dir;
    const QString picture = dir.filePath("bands.png");
    ASSERT_TRUE(Bands().save(picture));
    const QStringList art = {"--fit",
                             QStringLiteral("--width=%1").arg(kColumns),
                             GetParam(),
                             "--font=IPAGothic",
                             QStringLiteral("--size=%1").arg(kCell),
                             "--ramp",
                             WriteBuiltInRamp(dir.filePath("ramp.txt")),
                             picture};
    const QString png = dir.filePath("art.png");
    const QString page = dir.filePath("art.html");
    ASSERT_EQ(Convert(QStringList{"--format=png", "-o", png} + art).status, 0);
    ASSERT_EQ(Convert(QStringList{"--format=html", "-o", page} + art).status, 0);
    const QImage drawn(png);
    ASSERT_EQ(drawn.size(), QSize(kColumns * kCell, kRows * kCell));

    // A fixed window, one pixel per CSS pixel, no GPU and no profile of the
    // user's; the page's own font and colours.
    const QString shot = dir.filePath("shot.png");
    QProcess browser;
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                             "--force-device-scale-factor=1", "--disable-lcd-text",
                             "--user-data-dir=" + dir.filePath("profile"),
                             QStringLiteral("--window-size=%1,%2")
                                 .arg(drawn.width() + kMargin)
                                 .arg(drawn.height() + kMargin),
                             "--screenshot=" + shot, QUrl::fromLocalFile(page).toString()});
    ASSERT_TRUE(browser.waitForFinished(120000)) << "chromium did not finish";
    const QImage shown = QImage(shot).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), drawn.size() + QSize(kMargin, kMargin))
        << browser.readAllStandardError().toStdString();

    double worstInk = 0;
    double worstColour = 0;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const Mean want = CellMean(drawn, column, row);
            const Mean got = CellMean(shown, column, row);
            worstInk = std::max(worstInk, std::abs(want.Ink() - got.Ink()));
            worstColour =
                std::max({worstColour, std::abs(want.red - got.red),
                          std::abs(want.green - got.green), std::abs(want.blue - got.blue)});
            EXPECT_NEAR(got.Ink(), want.Ink(), kInkTolerance) << column << "," << row;
            EXPECT_NEAR(got.red, want.red, kColourTolerance) << column << "," << row;
            EXPECT_NEAR(got.green, want.green, kColourTolerance) << column << "," << row;
            EXPECT_NEAR(got.blue, want.blue, kColourTolerance) << column << "," << row;
        }
    // The same grid: the art ends where the PNG ends, the page is blank past it.
    for (int row = 0; row < kRows + kMargin / kCell; ++row)
        for (int column = 0; column < kColumns + kMargin / kCell; ++column) {
            if (row < kRows && column < kColumns) continue;
            EXPECT_LT(CellMean(shown, column, row).Ink(), 0.001) << column << "," << row;
        }
    std::printf("%s: worst cell: ink %.3f, colour %.1f\n", GetParam(), worstInk, worstColour);
}

INSTANTIATE_TEST_SUITE_P(Colourings, BrowserCheck,
                         ::testing::Values("--color", "--color=ink", "--paper"));

}  // namespace
}  // namespace glyph::cli
