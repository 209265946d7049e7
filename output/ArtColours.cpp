#include "output/ArtColours.h"

#include <algorithm>

#include "engine/Levels.h"
#include "engine/TextArt.h"

namespace glyph {

namespace {

constexpr int kWhite = 255;

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
