#pragma once

#include <QtGui/qrgb.h>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace glyph {

struct TextArt;

// The art as it leaves the program for a file: its text and, in colour, the
// colour of each cell.
struct Art {
    QString text;    // lines separated by CR LF
    QImage colours;  // one pixel per cell; null: black ink
};

// The colour each cell of an art is drawn in: the colour of the pixel it was
// made from (`pixels`, one a cell, as opened; `colours` where the cells carry
// the mean colour of what they cover, else null), brought to the gray level
// the text shows, so that the colours follow the tone steps as the characters
// do. Null without pixels.
QImage ArtColours(const QImage& pixels, const QImage& colours, const TextArt& art);

// A colour whose gray level is `from`, brought to level `to`: mixed towards
// black to darken, towards white to lighten, in proportion, so that its hue
// stays. Unchanged when the levels are equal.
QRgb ToneTo(QRgb colour, int from, int to);

// The text's lines, each cut into its characters (a surrogate pair is one).
QList<QStringList> ArtCharacters(const QString& text);

// The colour of character `column` of a line of `length` characters on row
// `row`. The line spreads evenly over the row's cells, so that entries of
// several characters take their cell's colour; black past the colours.
QRgb CharacterColour(const QImage& colours, int row, int column, int length);

// How the art is coloured in a picture, a page or a terminal.
struct ArtLook {
    bool colour = false;  // each character in its cell's colour; else plain ink
    bool invert = false;  // on black, plain ink white
};
QRgb PaperColour(const ArtLook& look);
QRgb PlainInk(const ArtLook& look);
// "#rrggbb".
QString HexColour(QRgb colour);

// Calls run(row, first, count, colour) for each run of characters of one
// colour in the lines of ArtCharacters.
template <typename Run>
void ForEachColourRun(const QList<QStringList>& lines, const Art& art, const ArtLook& look,
                      Run run) {
    const auto ink = [&](int row, int column, int length) {
        return look.colour ? CharacterColour(art.colours, row, column, length) : PlainInk(look);
    };
    for (int row = 0; row < lines.size(); ++row) {
        const int length = int(lines[row].size());
        for (int first = 0; first < length;) {
            const QRgb colour = ink(row, first, length);
            int end = first + 1;
            while (end < length && ink(row, end, length) == colour) ++end;
            run(row, first, end - first, colour);
            first = end;
        }
    }
}

}  // namespace glyph
