// The converter's --fit and --crop, run as a process on real files.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ConverterProcess.h"
#include "TerminalProcess.h"
#include "workspace/ExifFiles.h"

namespace glyph::cli {
namespace {

// The art's lines, each as the number of characters it holds.
QList<int> LineLengths(const QByteArray& out) {
    QList<int> lengths;
    for (const QString& line : QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts))
        lengths << int(line.size());
    return lengths;
}

QList<int> Lines(int count, int length) { return QList<int>(count, length); }

class ReducedArt : public ::testing::Test {
  protected:
    // A w x h picture whose tones vary everywhere, so that a shifted or
    // scaled art shows.
    static QImage Pattern(int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5) % 256, (x * y) % 256));
        }
        return image;
    }
    // The built-in ramp as a file: compared with the block's, the reduced art
    // is made with the same ramp, not the one measured from the font.
    QString BuiltInRamp() { return "--ramp=" + WriteBuiltInRamp(dir.filePath("built-in.txt")); }
    QString Saved(const QImage& image, const QString& name) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ReducedArt, FitKeepsThePicturesShapeWithinTheMostCells) {
    const QString landscape = Saved(Pattern(400, 300), "landscape.png");
    const QString portrait = Saved(Pattern(300, 400), "portrait.bmp");
    const Ran wide = Convert({"--fit", landscape});
    EXPECT_EQ(wide.status, 0) << wide.err.toStdString();
    EXPECT_EQ(LineLengths(wide.out), Lines(75, 100));
    EXPECT_EQ(LineLengths(Convert({"--fit", portrait}).out), Lines(100, 75));
    // Cells twice as tall as wide: half the lines, a half rounded up.
    EXPECT_EQ(LineLengths(Convert({"--fit", "--cell-aspect=2", landscape}).out), Lines(38, 100));
    EXPECT_EQ(LineLengths(Convert({"--fit", "--cell-aspect", "0.5", portrait}).out),
              Lines(100, 38));
    EXPECT_EQ(LineLengths(Convert({"--fit", "--width=40", "--height=1000", portrait}).out),
              Lines(53, 40));
    EXPECT_EQ(LineLengths(Convert({"--fit", "--width=1000", "--height=1000", landscape}).out),
              Lines(300, 400))
        << "never more cells than pixels";
}

TEST_F(ReducedArt, PicturesOfAtMostABlockFittedGiveTheBlocksText) {
    for (const QSize size : {QSize(100, 100), QSize(90, 37), QSize(1, 64)}) {
        const QString picture = Saved(Pattern(size.width(), size.height()), "small.png");
        for (const QStringList& steps : {QStringList{}, QStringList{"--steps=auto-level,darker"}}) {
            const Ran block = Convert(steps + QStringList{picture});
            ASSERT_EQ(block.status, 0) << block.err.toStdString();
            EXPECT_EQ(Convert(steps + QStringList{"--fit", BuiltInRamp(), picture}).out, block.out)
                << size.width() << "x" << size.height();
        }
    }
}

TEST_F(ReducedArt, CropTakesTheRectanglesPixels) {
    const QImage pattern = Pattern(260, 130);
    const QString picture = Saved(pattern, "p.bmp");
    // A rectangle of at most 100 x 100 is the block of a picture cut to it.
    const QRect rectangle(150, 40, 97, 61);
    const QString cut = Saved(pattern.copy(rectangle), "cut.png");
    const QString ramp = BuiltInRamp();
    const Ran cropped = Convert({"--steps=more-contrast", "--crop=150,40,97,61", ramp, picture});
    EXPECT_EQ(cropped.status, 0) << cropped.err.toStdString();
    EXPECT_EQ(cropped.out, Convert({"--steps=more-contrast", cut}).out);
    EXPECT_EQ(Convert({"--crop=160,30,100,100", ramp, picture}).out,
              Convert({"--region=160,30", picture}).out);

    // Past the picture's edge the rectangle is cut to it; wholly outside,
    // that picture fails and the others are still converted.
    EXPECT_EQ(Convert({"--crop=200,100,500,500", picture}).out,
              Convert({"--crop=200,100,60,30", picture}).out);
    const QString wider = Saved(Pattern(300, 20), "wider.png");
    const Ran outside = Convert({"--crop=260,0,10,10", picture, wider});
    EXPECT_EQ(outside.status, 1);
    EXPECT_TRUE(outside.err.startsWith("glyphorama-convert: " + picture + ": "))
        << outside.err.toStdString();
    EXPECT_EQ(LineLengths(outside.out), Lines(10, 10)) << "the second picture's rectangle";
}

TEST_F(ReducedArt, OrientStoredLeavesTheExifTurnUndone) {
    const QString picture = dir.filePath("turned.jpg");
    WriteAll(picture,
             test::InJpeg(test::ExifSegment(test::Exif(6, false)), test::Quadrants(64, 32)));
    EXPECT_EQ(LineLengths(Convert({"--fit", "--orient=stored", picture}).out), Lines(32, 64));
    EXPECT_EQ(LineLengths(Convert({"--fit", picture}).out), Lines(64, 32));
    const Ran upright = Convert({"--fit", "--orient=auto", picture});
    EXPECT_EQ(LineLengths(upright.out), Lines(64, 32));
    // The rectangle is in the upright picture's pixels.
    EXPECT_EQ(LineLengths(Convert({"--crop=0,0,32,10", picture}).out), Lines(10, 32));
    EXPECT_EQ(LineLengths(Convert({"--crop=0,0,32,10", "--orient=stored", picture}).out),
              Lines(10, 32));
    EXPECT_NE(Convert({"--crop=0,0,32,10", picture}).out,
              Convert({"--crop=0,0,32,10", "--orient=stored", picture}).out);
}

TEST_F(ReducedArt, OnATerminalTheArtFitsItsWidth) {
    const QString picture = Saved(Pattern(400, 300), "p.png");
    const Ran sized = ConvertOnTerminal({"--fit", picture}, 80, "10");
    ASSERT_EQ(sized.status, 0) << sized.err.toStdString();
    EXPECT_EQ(LineLengths(sized.out), Lines(30, 40)) << "the terminal's size before COLUMNS";
    const Ran unsized = ConvertOnTerminal({"--fit", picture}, 0, "61");
    EXPECT_EQ(LineLengths(unsized.out), Lines(23, 30));
    EXPECT_EQ(LineLengths(ConvertOnTerminal({"--fit", "--width=50", picture}, 80, "").out),
              Lines(38, 50));

    // Into a file, the window's 100 x 100; the block keeps its size anywhere.
    const QString out = dir.filePath("art.txt");
    EXPECT_EQ(ConvertOnTerminal({"--fit", "-o", out, picture}, 80, "").status, 0);
    EXPECT_EQ(LineLengths(ReadAll(out)), Lines(75, 100));
    EXPECT_EQ(LineLengths(ConvertOnTerminal({"--region=0,0", picture}, 80, "").out),
              Lines(100, 100));
}

// Named nothing, a terminal of 80 x 24 is shown the whole picture within 40 x
// 23 cells, proportions kept, in colour where it says it has colours; a pipe
// still gets the block.
TEST_F(ReducedArt, ATerminalIsShownTheWholePictureFitted) {
    const QString picture = Saved(Pattern(400, 300), "p.png");
    const Ran plain = ConvertOnTerminal({picture}, 80, "", {"dumb", ""});
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_FALSE(plain.out.contains('\x1b'));
    EXPECT_EQ(LineLengths(plain.out), Lines(23, 31));

    const Ran coloured = ConvertOnTerminal({picture}, 80, "", {"xterm", "truecolor"});
    ASSERT_EQ(coloured.status, 0) << coloured.err.toStdString();
    EXPECT_TRUE(coloured.out.contains("\x1b[38;2;")) << "ink";
    EXPECT_TRUE(coloured.out.contains("\x1b[48;2;")) << "paper";
    EXPECT_EQ(coloured.out.count('\n'), 23);
    const Ran palette = ConvertOnTerminal({picture}, 80, "", {"xterm-256color", ""});
    EXPECT_TRUE(palette.out.contains("\x1b[48;5;"));

    EXPECT_EQ(LineLengths(Convert({picture}).out), Lines(100, 100));
}

TEST_F(ReducedArt, UsageErrorsNameTheOption) {
    const QString picture = Saved(Pattern(10, 10), "p.png");
    const struct {
        QStringList arguments;
        const char* named;
    } cases[] = {
        {{"--width=20", picture}, "--width"},
        {{"--fit", "--region=0,0", picture}, "--region"},
        {{"--fit", "--height=0", picture}, "--height"},
        {{"--crop=0,0,0,0", picture}, "--crop"},
        {{"--fit", "--cell-aspect=wide", picture}, "--cell-aspect"},
        {{"--fit", "--orient=left", picture}, "--orient"},
    };
    for (const auto& c : cases) {
        const Ran ran = Convert(c.arguments);
        EXPECT_EQ(ran.status, 2) << c.named;
        EXPECT_TRUE(ran.out.isEmpty());
        EXPECT_TRUE(ran.err.contains(c.named)) << ran.err.toStdString();
        EXPECT_TRUE(ran.err.contains("--help"));
    }
}

}  // namespace
}  // namespace glyph::cli
