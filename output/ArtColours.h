#pragma once

#include <QtGui/qrgb.h>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace glyph {

struct TextArt;

// The art as it leaves the program for a file: its text and, in colour, the
// colour of each cell's ink and paper.
struct Art {
    QString text;    // lines separated by CR LF
    QImage colours;  // the ink, one pixel per cell; null: black ink
    QImage paper{};  // one pixel per cell; null: the look's plain paper
};

// Each cell's ink and paper, one pixel a cell.
struct CellColours {
    QImage ink;
    QImage paper;
};

// How much of its cell a glyph inks as it is drawn, 0 to 1.
using GlyphCoverage = std::function<float(const QString& glyph)>;

// How the art's glyphs ink their cells.
struct Inking {
    GlyphCoverage coverage;  // measured in the art's font; none: expected from the tone
    bool light = false;      // light ink on dark paper (the ramp reversed)
};

// The share of its cell a glyph of a ramp in no known font is taken to ink
// at `level` (0 black): the densest kanji ink about two fifths of their cell.
float ExpectedCoverage(int level, bool lightInk);

// Each cell's colour (`means`, one pixel a cell) split into an ink and a
// paper that mix back to it at the cell's coverage (row by row), a fixed
// contrast apart so that the glyph still reads: the paper is the colour
// lightened by the coverage's share of the contrast, the ink darkened by the
// rest (the other way round with `lightInk`). Where a channel has no room
// for the contrast it narrows there, down to a least contrast in gray, which
// moves the mix as little as it can.
CellColours SplitCells(const QImage& means, const std::vector<float>& coverage, bool lightInk);

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

// The ink and paper of character `column` of a line of `length` on row `row`,
// as the look and the art's colours draw it.
struct InkOnPaper {
    QRgb ink;
    QRgb paper;
    bool operator==(const InkOnPaper&) const = default;
};
InkOnPaper CharacterColours(const Art& art, const ArtLook& look, int row, int column, int length);

// Calls run(row, first, count, colours) for each run of characters of one ink
// on one paper in the lines of ArtCharacters.
template <typename Run>
void ForEachColourRun(const QList<QStringList>& lines, const Art& art, const ArtLook& look,
                      Run run) {
    for (int row = 0; row < lines.size(); ++row) {
        const int length = int(lines[row].size());
        for (int first = 0; first < length;) {
            const InkOnPaper colours = CharacterColours(art, look, row, first, length);
            int end = first + 1;
            while (end < length && CharacterColours(art, look, row, end, length) == colours) ++end;
            run(row, first, end - first, colours);
            first = end;
        }
    }
}

}  // namespace glyph
