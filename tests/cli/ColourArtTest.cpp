// Colour, terminal and picture output of the converter, run as a process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ConverterProcess.h"

namespace glyph::cli {
namespace {

// Each character's foreground in ANSI text, line by line: the 24-bit colour,
// or the 256-colour index as 0xFF000000 | index.
QList<QList<QRgb>> Foregrounds(const QByteArray& ansi) {
    static const QRegularExpression escape(QStringLiteral("^\x1b\\[([0-9;]*)m"));
    QList<QList<QRgb>> lines;
    for (const QString& line : QString::fromUtf8(ansi).split(u'\n', Qt::SkipEmptyParts)) {
        QList<QRgb> colours;
        QRgb shown = 0;
        for (qsizetype i = 0; i < line.size();) {
            const QRegularExpressionMatch match = escape.match(QStringView(line).mid(i));
            if (!match.hasMatch()) {
                colours << shown;
                i += line[i].isHighSurrogate() ? 2 : 1;
                continue;
            }
            const QStringList codes = match.captured(1).split(u';');
            if (codes.value(0) == "38" && codes.value(1) == "2")
                shown = qRgb(codes[2].toInt(), codes[3].toInt(), codes[4].toInt());
            if (codes.value(0) == "38" && codes.value(1) == "5")
                shown = 0xFF000000 | codes[2].toInt();
            i += match.capturedLength();
        }
        lines << colours;
    }
    return lines;
}

class ColourArt : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString SavePicture(const QImage& image, const QString& name) {
        const QString path = Path(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // The built-in ramp: every glyph is in IPAGothic, and the art does not
    // wait for a ramp to be measured.
    QString Ramp() { return WriteBuiltInRamp(Path("ramp.txt")); }

    QTemporaryDir dir;
};

TEST_F(ColourArt, TheBlockTakesEachPixelsColourIn24BitsAnd256) {
    // Colours the 256-colour palette holds exactly: red, green, blue, white,
    // a gray of its ramp and a colour of its cube.
    const QList<QRgb> palette = {qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(0, 0, 255),
                                 qRgb(255, 255, 255), qRgb(128, 128, 128), qRgb(95, 135, 175)};
    const QList<int> indexes = {196, 46, 21, 231, 244, 67};
    QImage image(6, 2, QImage::Format_RGB32);
    for (int x = 0; x < 6; ++x) {
        image.setPixel(x, 0, palette[x]);
        image.setPixel(x, 1, qRgb(x * 40, 250 - x * 30, 17 * x + 3));
    }
    const QString picture = SavePicture(image, "p.bmp");

    const Ran full = Convert({"--format=ansi", "--ramp", Ramp(), picture});
    ASSERT_EQ(full.status, 0) << full.err.toStdString();
    const QList<QList<QRgb>> colours = Foregrounds(full.out);
    ASSERT_EQ(colours.size(), 2);
    for (int y = 0; y < 2; ++y) {
        ASSERT_EQ(colours[y].size(), 6);
        for (int x = 0; x < 6; ++x) EXPECT_EQ(colours[y][x], image.pixel(x, y)) << x << "," << y;
    }
    // Every line ends with the terminal's own colours back.
    EXPECT_TRUE(full.out.endsWith("\x1b[0m\n"));

    const Ran indexed = Convert({"--format=ansi", "--colors=256", "--ramp", Ramp(), picture});
    ASSERT_EQ(indexed.status, 0);
    const QList<QRgb> first = Foregrounds(indexed.out).value(0);
    ASSERT_EQ(first.size(), 6);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(first[x], QRgb(0xFF000000 | indexes[x])) << x;

    // Without colours, the plain text; inverted, the densest glyph for white.
    const Ran plain = Convert({"--format=ansi", "--colors=none", "--ramp", Ramp(), picture});
    EXPECT_EQ(plain.out, Convert({"--ramp", Ramp(), picture}).out);
    const Ran inverted =
        Convert({"--format=ansi", "--colors=none", "--invert", "--ramp", Ramp(), picture});
    const QStringList entries = CharRamp::BuiltIn().entries();
    EXPECT_EQ(QString::fromUtf8(inverted.out).mid(3, 1), entries.first());  // white
    EXPECT_EQ(QString::fromUtf8(plain.out).mid(3, 1), entries[255]);
}

TEST_F(ColourArt, ReducedCellsTakeTheirPixelsMeanColourAndFollowTheTone) {
    // 2 x 2 pixels to a cell, each cell of four known colours.
    QImage image(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, qRgb((x % 2) * 200 + x * 4, (y % 2) * 80 + y * 10, 4 * (x + y)));
    const QString picture = SavePicture(image, "p.png");
    const QStringList reduced = {"--fit", "--width=4", "--format=ansi", "--ramp", Ramp(), picture};

    const QList<QList<QRgb>> colours = Foregrounds(Convert(reduced).out);
    ASSERT_EQ(colours.size(), 2);
    for (int row = 0; row < 2; ++row) {
        ASSERT_EQ(colours[row].size(), 4);
        for (int column = 0; column < 4; ++column) {
            int sums[3] = {};
            for (int y = 2 * row; y < 2 * row + 2; ++y)
                for (int x = 2 * column; x < 2 * column + 2; ++x) {
                    sums[0] += qRed(image.pixel(x, y));
                    sums[1] += qGreen(image.pixel(x, y));
                    sums[2] += qBlue(image.pixel(x, y));
                }
            const auto mean = [&](int i) { return sums[i] / 4; };  // exact
            const QRgb shown = colours[row][column];
            EXPECT_EQ(shown, qRgb(mean(0), mean(1), mean(2))) << row << "," << column;
        }
    }

    // A darker step darkens every colour (its hue kept) as it darkens the text.
    QStringList darker = reduced;
    darker.prepend("--steps=darker,darker");
    const QList<QList<QRgb>> darkened = Foregrounds(Convert(darker).out);
    ASSERT_EQ(darkened.size(), 2);
    for (int column = 0; column < 4; ++column) {
        const QRgb was = colours[0][column];
        const QRgb now = darkened[0][column];
        EXPECT_LT(qGray(now), qGray(was) - 10) << column;
        EXPECT_LE(qRed(now), qRed(was));
        EXPECT_LE(qBlue(now), qBlue(was));
    }
}

TEST_F(ColourArt, PicturesInTheFontAndTheirRefusals) {
    QImage black(5, 3, QImage::Format_RGB32);
    black.fill(Qt::black);
    const QString picture = SavePicture(black, "p.bmp");
    const QString png = Path("art.png");
    const Ran drawn = Convert(
        {"--format=png", "--font=IPAGothic", "--size=20", "-o", png, "--ramp", Ramp(), picture});
    ASSERT_EQ(drawn.status, 0) << drawn.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(100, 60));  // 5 x 3 square cells of 20 px

    const Ran svg = Convert({"--format=svg", "--font=IPAGothic", "--size=20", "--color=ink",
                             "--ramp", Ramp(), picture});
    ASSERT_EQ(svg.status, 0);
    const QString text = QString::fromUtf8(svg.out);
    EXPECT_TRUE(text.contains("width=\"100\" height=\"60\""));
    EXPECT_TRUE(text.contains("font-family=\"&quot;IPAGothic&quot;"));
    EXPECT_EQ(text.count("<text x=\"0 20 40 60 80\""), 3);
    EXPECT_EQ(text.count("<tspan fill=\"#000000\">"), 3);  // one run of black a line

    // Usage errors: nothing is written, not even an empty file.
    WriteAll(Path("not-a-font.ttf"), "not a font");
    const QList<QStringList> refused = {
        {"--format=ansi", "--colors=16"},
        {"--format=text", "--colors=none"},
        {"--format=text", "--color"},
        {"--format=ansi", "--font=IPAGothic"},
        {"--format=png", "--font", Path("no-such.ttf")},
        {"--format=png", "--font", Path("not-a-font.ttf")},
        {"--format=svg", "--font=DejaVu Sans"},  // no kanji
    };
    for (const QStringList& options : refused) {
        const Ran ran =
            Convert(options + QStringList{"--ramp", Ramp(), "-o", Path("out"), picture});
        EXPECT_EQ(ran.status, 2) << options.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(Path("out"))) << options.join(' ').toStdString();
    }

    // 1000 x 1000 cells of 200 px: 200000 x 200000 pixels, refused before drawing.
    QImage large(1000, 1000, QImage::Format_RGB32);
    large.fill(Qt::gray);
    const QString largePicture = SavePicture(large, "large.png");
    const Ran tooLarge =
        Convert({"--fit", "--width=1000", "--height=1000", "--format=png", "--size=200", "--ramp",
                 Ramp(), "-o", Path("large-art.png"), largePicture});
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_TRUE(tooLarge.err.contains("200000 x 200000")) << tooLarge.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("large-art.png")));
}

TEST_F(ColourArt, APercentSignInTheTitleIsNotTakenForAPlaceholder) {
    QImage gray(2, 2, QImage::Format_RGB32);
    gray.fill(Qt::gray);
    const QString picture = SavePicture(gray, "a%4%5b.bmp");
    for (const QStringList& options :
         {QStringList{"--format=html"},
          QStringList{"--format=html", "--font=IPAGothic", "--size=20"}}) {
        const Ran page = Convert(options + QStringList{"--ramp", Ramp(), picture});
        ASSERT_EQ(page.status, 0) << page.err.toStdString();
        EXPECT_TRUE(page.out.contains("<title>a%4%5b.bmp</title>")) << page.out.toStdString();
    }
}

TEST_F(ColourArt, APngGoesToAFileOrAPipeNeverToATerminal) {
    QImage gray(2, 2, QImage::Format_RGB32);
    gray.fill(Qt::gray);
    const QString picture = SavePicture(gray, "p.bmp");
    const QStringList png = {"--format=png", "--font=IPAGothic", "--size=8", "--ramp", Ramp()};
    const Ran piped = Convert(png + QStringList{picture});
    EXPECT_EQ(piped.status, 0);
    EXPECT_TRUE(piped.out.startsWith("\x89PNG"));
    // Two pictures would run into one another.
    EXPECT_EQ(Convert(png + QStringList{picture, picture}).status, 2);

    const auto onATerminal = [] {
        const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
        if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) _exit(99);
        const int side = open(ptsname(terminal), O_RDWR | O_NOCTTY);
        if (side < 0) _exit(99);
        dup2(side, STDOUT_FILENO);
    };
    const Ran toTerminal = Convert(png + QStringList{picture}, onATerminal);
    EXPECT_EQ(toTerminal.status, 2) << toTerminal.err.toStdString();
    EXPECT_TRUE(toTerminal.err.contains("terminal")) << toTerminal.err.toStdString();
    // Text is what a terminal is for.
    EXPECT_EQ(Convert({"--ramp", Ramp(), picture}, onATerminal).status, 0);
}

}  // namespace
}  // namespace glyph::cli
