// Each cell's ink and paper, as the converter writes them: the drawn cells
// keep the picture's colours, and every coloured format carries the paper.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <vector>

#include "ConverterProcess.h"

namespace glyph::cli {
namespace {

constexpr int kCell = 16;  // IPAGothic at 16 px
constexpr int kSide = 4;   // the picture's pixels a cell, each way
constexpr int kColumns = 24;
constexpr int kRows = 18;

// Four fields of colour, each running from light to dark downwards and
// crossed by thin light lines, so that neighbouring cells differ.
QImage FieldsPicture() {
    const QRgb fields[] = {qRgb(230, 40, 40), qRgb(40, 190, 60), qRgb(50, 70, 230),
                           qRgb(240, 200, 40)};
    QImage image(kColumns * kSide, kRows * kSide, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb field = fields[(x * 2 / image.width()) + 2 * (y * 2 / image.height())];
            const double shade = 1.0 - 0.8 * (y % (image.height() / 2)) / (image.height() / 2.0);
            const double light = x % 7 == 0 ? 0.5 : 0;
            const auto channel = [&](int value) {
                return int(value * shade * (1 - light) + 255 * light);
            };
            image.setPixel(
                x, y, qRgb(channel(qRed(field)), channel(qGreen(field)), channel(qBlue(field))));
        }
    return image;
}

// Each cell's mean, channel by channel: red, green, blue.
using Means = std::array<std::vector<double>, 3>;

Means CellMeans(const QImage& image, int side) {
    Means means;
    for (int row = 0; row < image.height() / side; ++row)
        for (int column = 0; column < image.width() / side; ++column) {
            std::array<double, 3> sums{};
            for (int y = row * side; y < (row + 1) * side; ++y)
                for (int x = column * side; x < (column + 1) * side; ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    sums[0] += qRed(pixel);
                    sums[1] += qGreen(pixel);
                    sums[2] += qBlue(pixel);
                }
            for (std::size_t i = 0; i < 3; ++i) means[i].push_back(sums[i] / (side * side));
        }
    return means;
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const auto n = double(a.size());
    double ma = 0, mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) ma += a[i] / n, mb += b[i] / n;
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

double MeanOf(const std::vector<double>& values) {
    double sum = 0;
    for (const double v : values) sum += v;
    return sum / double(values.size());
}

// The escapes of ANSI text, line by line, each as its codes ("38;2;1;2;3").
QList<QStringList> Escapes(const QByteArray& ansi) {
    static const QRegularExpression escape(QStringLiteral("\x1b\\[([0-9;]*)m"));
    QList<QStringList> lines;
    for (const QString& line : QString::fromUtf8(ansi).split(u'\n', Qt::SkipEmptyParts)) {
        QStringList codes;
        for (const QRegularExpressionMatch& match : escape.globalMatch(line))
            codes << match.captured(1);
        lines << codes;
    }
    return lines;
}

QRgb EscapeColour(const QString& codes) {
    const QStringList parts = codes.split(u';');
    return qRgb(parts.value(2).toInt(), parts.value(3).toInt(), parts.value(4).toInt());
}

class InkAndPaper : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Fields() {
        const QString path = Path("fields.png");
        EXPECT_TRUE(FieldsPicture().save(path));
        return path;
    }
    QString Ramp() { return WriteBuiltInRamp(Path("ramp.txt")); }
    // The fields drawn as a PNG with the options given.
    QImage Drawn(const QStringList& options) {
        const QString png = Path("art.png");
        QFile::remove(png);
        const Ran ran =
            Convert(options + QStringList{"--fit", QStringLiteral("--width=%1").arg(kColumns),
                                          "--format=png", "--font=IPAGothic",
                                          QStringLiteral("--size=%1").arg(kCell), "--ramp", Ramp(),
                                          "-o", png, Fields()});
        EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
        const QImage image(png);
        EXPECT_EQ(image.size(), QSize(kColumns * kCell, kRows * kCell));
        return image.convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir dir;
};

TEST_F(InkAndPaper, TheDrawnCellsHaveThePicturesColoursBlueAsMuchAsRed) {
    const Means picture = CellMeans(FieldsPicture(), kSide);
    const Means cells = CellMeans(Drawn({"--color"}), kCell);
    const Means inks = CellMeans(Drawn({"--color=ink"}), kCell);
    for (std::size_t channel = 0; channel < 3; ++channel) {
        EXPECT_GT(Correlation(cells[channel], picture[channel]), 0.98) << channel;
        // The paper brings the cells to the picture's own level, not lighter.
        EXPECT_NEAR(MeanOf(cells[channel]), MeanOf(picture[channel]), 6) << channel;
        EXPECT_GT(MeanOf(inks[channel]), MeanOf(picture[channel]) + 20) << channel;
    }
    EXPECT_GT(Correlation(cells[2], picture[2]), Correlation(inks[2], picture[2]));

    // The tone steps darken the colours as they darken the characters; light
    // ink on dark paper keeps the colours too.
    const Means darker = CellMeans(Drawn({"--color", "--steps=darker,darker"}), kCell);
    for (std::size_t channel = 0; channel < 3; ++channel)
        EXPECT_LT(MeanOf(darker[channel]), MeanOf(cells[channel]) - 10) << channel;
    const Means inverted = CellMeans(Drawn({"--color", "--invert"}), kCell);
    for (std::size_t channel = 0; channel < 3; ++channel)
        EXPECT_GT(Correlation(inverted[channel], picture[channel]), 0.98) << channel;
}

TEST_F(InkAndPaper, EveryColouredFormatCarriesThePaperInRunsOfOnePair) {
    // The block, a pixel a cell: two runs of one colour on the first line, one
    // on the second.
    QImage image(6, 2, QImage::Format_RGB32);
    for (int x = 0; x < 6; ++x) {
        image.setPixel(x, 0, x < 3 ? qRgb(200, 60, 40) : qRgb(40, 90, 160));
        image.setPixel(x, 1, qRgb(120, 200, 90));
    }
    const QString picture = Path("p.bmp");
    ASSERT_TRUE(image.save(picture));
    const QStringList art = {"--ramp", Ramp(), picture};

    for (const auto& [colors, layer] : {std::pair{"full", "2"}, std::pair{"256", "5"}}) {
        const Ran ansi = Convert(QStringList{"--format=ansi", "--color", "--colors", colors} + art);
        ASSERT_EQ(ansi.status, 0) << ansi.err.toStdString();
        const QList<QStringList> lines = Escapes(ansi.out);
        ASSERT_EQ(lines.size(), 2);
        const QList<int> runs = {2, 1};
        for (int row = 0; row < 2; ++row) {
            const QString ink = QStringLiteral("38;%1;").arg(layer);
            const QString paper = QStringLiteral("48;%1;").arg(layer);
            int inks = 0, papers = 0;
            for (const QString& codes : lines[row]) {
                inks += codes.startsWith(ink);
                papers += codes.startsWith(paper);
            }
            EXPECT_EQ(inks, runs[row]) << colors << " " << row;
            EXPECT_EQ(papers, runs[row]) << colors << " " << row;
            EXPECT_EQ(lines[row].last(), "0") << "the line ends reset";
        }
    }
    // Dark ink on lighter paper; inverted, light ink on darker paper.
    for (const bool invert : {false, true}) {
        QStringList options = {"--format=ansi", "--color"};
        if (invert) options << "--invert";
        const QStringList first = Escapes(Convert(options + art).out).value(0);
        ASSERT_GE(first.size(), 2);
        const QRgb paper = EscapeColour(first[0]);
        const QRgb ink = EscapeColour(first[1]);
        ASSERT_TRUE(first[0].startsWith("48;2;") && first[1].startsWith("38;2;"));
        EXPECT_EQ(qGray(ink) > qGray(paper) + 20, invert) << first.join(' ').toStdString();
    }

    const QStringList font = {"--font=IPAGothic", "--size=20", "--color"};
    const QString page = QString::fromUtf8(Convert(QStringList{"--format=html"} + font + art).out);
    static const QRegularExpression span(
        QStringLiteral("<span style=\"color:#[0-9a-f]{6};background:#[0-9a-f]{6}\">"));
    EXPECT_EQ(int(page.count(span)), 3) << page.toStdString();
    const QString svg = QString::fromUtf8(Convert(QStringList{"--format=svg"} + font + art).out);
    static const QRegularExpression rect(
        QStringLiteral("<rect x=\"([0-9]+)\" y=\"([0-9]+)\" width=\"([0-9]+)\" height=\"20\" "
                       "fill=\"#[0-9a-f]{6}\"/>"));
    QStringList rects;
    for (const QRegularExpressionMatch& match : rect.globalMatch(svg))
        rects << match.captured(1) + "," + match.captured(2) + "," + match.captured(3);
    EXPECT_EQ(rects, (QStringList{"0,0,60", "60,0,60", "0,20,120"})) << svg.toStdString();
    // Behind the text, which keeps its runs of one ink.
    EXPECT_LT(svg.indexOf("<rect x="), svg.indexOf("<text"));
    EXPECT_EQ(int(svg.count("<tspan")), 3);
}

TEST_F(InkAndPaper, GrayPaperReachesThePicturesWholeTone) {
    const QImage picture = FieldsPicture();
    QImage gray(picture.size(), QImage::Format_RGB32);
    for (int y = 0; y < gray.height(); ++y)
        for (int x = 0; x < gray.width(); ++x) {
            const int g = qGray(picture.pixel(x, y));
            gray.setPixel(x, y, qRgb(g, g, g));
        }
    const QImage drawn = Drawn({"--paper"});
    const QImage plain = Drawn({});
    for (int y = 0; y < drawn.height(); y += 3)
        for (int x = 0; x < drawn.width(); x += 3) {
            const QRgb pixel = drawn.pixel(x, y);
            ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel))
                << x << "," << y;
        }
    const Means tones = CellMeans(gray, kSide);
    const Means papered = CellMeans(drawn, kCell);
    const Means inked = CellMeans(plain, kCell);
    EXPECT_GT(Correlation(papered[0], tones[0]), 0.98);
    EXPECT_NEAR(MeanOf(papered[0]), MeanOf(tones[0]), 6);
    // Ink on white paper never gets as dark as the picture's darkest cells.
    const double darkest = *std::min_element(tones[0].begin(), tones[0].end());
    EXPECT_LT(*std::min_element(papered[0].begin(), papered[0].end()), darkest + 20);
    EXPECT_GT(*std::min_element(inked[0].begin(), inked[0].end()), darkest + 60);
}

TEST_F(InkAndPaper, InkAloneIsTheColouringOfBefore) {
    const QString picture = Fields();
    const QStringList reduced = {"--fit", "--width=12", "--ramp", Ramp(), picture};
    // A terminal's text was coloured so already, without --color.
    const Ran before = Convert(QStringList{"--format=ansi"} + reduced);
    ASSERT_EQ(before.status, 0);
    EXPECT_EQ(Convert(QStringList{"--format=ansi", "--color=ink"} + reduced).out, before.out);
    // One plain paper a line, at its start.
    EXPECT_EQ(before.out.count("\x1b[48;"), Escapes(before.out).size());
    EXPECT_TRUE(before.out.startsWith("\x1b[48;2;255;255;255m\x1b[38;2;"));

    const QStringList font = {"--font=IPAGothic", "--size=16", "--color=ink"};
    const QByteArray page = Convert(QStringList{"--format=html"} + font + reduced).out;
    EXPECT_TRUE(page.contains("<span style=\"color:#"));
    EXPECT_FALSE(page.contains("background:#"));
    EXPECT_FALSE(page.contains("inline-block"));
    const QByteArray svg = Convert(QStringList{"--format=svg"} + font + reduced).out;
    EXPECT_EQ(svg.count("<rect "), 1) << "the plain paper alone";
}

}  // namespace
}  // namespace glyph::cli
