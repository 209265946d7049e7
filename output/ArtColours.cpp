#include "output/ArtColours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "engine/Levels.h"
#include "engine/TextArt.h"

namespace glyph {

namespace {

constexpr int kWhite = 255;
// The densest kanji of a ramp ink about this share of their cell.
constexpr float kDensestCoverage = 0.4f;
// Ink and paper are this far apart in each channel where the channel has
// room; never less than kLeastContrast in gray, where the glyph would fade.
// A quarter of the range: the glyph reads, and the cells' colours still read
// as the photo at first sight (half of it drew the strokes over the picture).
constexpr double kContrast = 64;
constexpr double kLeastContrast = 32;
// A glyph inking less than this is a space: its cell is all paper.
constexpr float kBlank = 0.005f;

// The paper and ink of one channel, dark ink: mixing to `mean` at `coverage`
// when `contrast` leaves room for it, else as near as the channel allows.
std::pair<int, int> SplitChannel(int mean, double coverage, double contrast) {
    const double paper = std::clamp(mean + coverage * contrast, contrast, double(kWhite));
    const int rounded = RoundHalfEven(paper);
    return {rounded, std::max(0, RoundHalfEven(paper - contrast))};
}

// The contrast each channel has room for, widened alike where the gray
// contrast would fall below the least.
std::array<double, 3> Contrasts(const std::array<int, 3>& mean, double coverage) {
    std::array<double, 3> contrast{};
    for (std::size_t i = 0; i < 3; ++i) {
        const double room =
            std::min((kWhite - mean[i]) / coverage, mean[i] / std::max(1e-6, 1 - coverage));
        contrast[i] = std::min(kContrast, room);
    }
    const double gray = 0.3 * contrast[0] + 0.59 * contrast[1] + 0.11 * contrast[2];
    if (gray < kLeastContrast) {
        for (double& c : contrast) c = std::min(double(kWhite), c + kLeastContrast - gray);
    }
    return contrast;
}

int Channel(int value, int from, int to) {
    if (to <= from) return from == 0 ? 0 : RoundHalfEven(double(value) * to / from);
    return kWhite - RoundHalfEven(double(kWhite - value) * (kWhite - to) / (kWhite - from));
}

}  // namespace

QRgb ToneTo(QRgb colour, int from, int to) {
    if (from == to) return colour | 0xFF000000;
    return qRgb(Channel(qRed(colour), from, to), Channel(qGreen(colour), from, to),
                Channel(qBlue(colour), from, to));
}

QImage ArtColours(const QImage& pixels, const QImage& colours, const TextArt& art) {
    if (pixels.isNull()) return {};
    const QImage& source = colours.isNull() ? pixels : colours;
    QImage drawn(art.width, art.height, QImage::Format_RGB32);
    for (int row = 0; row < art.height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(drawn.scanLine(row));
        for (int column = 0; column < art.width; ++column) {
            // The level the opened pixel reads as, before any step.
            const QRgb pixel = pixels.pixel(column, row);
            const int opened = GrayLevel(Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel)));
            line[column] = ToneTo(source.pixel(column, row), opened, art.level(column, row));
        }
    }
    return drawn;
}

float ExpectedCoverage(int level, bool lightInk) {
    const int level255 = std::clamp(level, 0, kWhite);
    return kDensestCoverage * float(lightInk ? level255 : kWhite - level255) / kWhite;
}

CellColours SplitCells(const QImage& means, const std::vector<float>& coverage, bool lightInk) {
    CellColours split{QImage(means.size(), QImage::Format_RGB32),
                      QImage(means.size(), QImage::Format_RGB32)};
    if (split.ink.isNull() || split.paper.isNull()) return {};
    // Light ink is dark ink on the colour's negative, turned back.
    const auto turned = [lightInk](int value) { return lightInk ? kWhite - value : value; };
    for (int y = 0; y < means.height(); ++y) {
        auto* ink = reinterpret_cast<QRgb*>(split.ink.scanLine(y));
        auto* paper = reinterpret_cast<QRgb*>(split.paper.scanLine(y));
        for (int x = 0; x < means.width(); ++x) {
            const QRgb colour = means.pixel(x, y) | 0xFF000000;
            const std::size_t at = std::size_t(y) * means.width() + x;
            const double share = at < coverage.size() ? std::clamp(coverage[at], 0.0f, 1.0f) : 0;
            if (share < kBlank) {
                ink[x] = paper[x] = colour;
                continue;
            }
            const std::array<int, 3> mean = {turned(qRed(colour)), turned(qGreen(colour)),
                                             turned(qBlue(colour))};
            const std::array<double, 3> contrast = Contrasts(mean, share);
            std::array<int, 3> inks{};
            std::array<int, 3> papers{};
            for (std::size_t i = 0; i < 3; ++i) {
                const auto [p, k] = SplitChannel(mean[i], share, contrast[i]);
                papers[i] = turned(p);
                inks[i] = turned(k);
            }
            ink[x] = qRgb(inks[0], inks[1], inks[2]);
            paper[x] = qRgb(papers[0], papers[1], papers[2]);
        }
    }
    return split;
}

QList<QStringList> ArtCharacters(const QString& text) {
    QList<QStringList> lines;
    for (const QStringView line : QStringView(text).split(QStringLiteral("\r\n"))) {
        QStringList characters;
        characters.reserve(line.size());
        for (qsizetype i = 0; i < line.size(); ++i) {
            const qsizetype length = line[i].isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
            characters << line.mid(i, length).toString();
            i += length - 1;
        }
        lines << characters;
    }
    // A final line break ends the last line; it starts no empty one.
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QRgb CharacterColour(const QImage& colours, int row, int column, int length) {
    if (colours.isNull() || row >= colours.height() || length <= 0) return qRgb(0, 0, 0);
    const int cells = colours.width();
    const int cell = length == cells ? column : int(qint64(column) * cells / length);
    return colours.pixel(std::min(cell, cells - 1), row);
}

InkOnPaper CharacterColours(const Art& art, const ArtLook& look, int row, int column, int length) {
    const QRgb ink =
        look.colour ? CharacterColour(art.colours, row, column, length) : PlainInk(look);
    const bool onPaper = !art.paper.isNull() && row < art.paper.height() && length > 0;
    return {ink, onPaper ? CharacterColour(art.paper, row, column, length) : PaperColour(look)};
}

QRgb PaperColour(const ArtLook& look) {
    return look.invert ? qRgb(0, 0, 0) : qRgb(kWhite, kWhite, kWhite);
}

QRgb PlainInk(const ArtLook& look) {
    return look.invert ? qRgb(kWhite, kWhite, kWhite) : qRgb(0, 0, 0);
}

QString HexColour(QRgb colour) {
    return QStringLiteral("#%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

}  // namespace glyph
