#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

#include "basics/Result.h"
#include "engine/CharRamp.h"
#include "engine/RampFit.h"

namespace glyph {

// A font as the art is shown in it, by the family that draws its kanji.
struct ArtFont {
    QString family;
    int pixelSize = 0;
    // A font file's: the name it is drawn by, of the program's own, since its
    // family may also be an installed font's. Empty: the family.
    QString face = {};
};

// The family and size asked for, checked against what the system has; an
// empty family or a zero size take the window's text box: the family its
// default font draws kanji in, at that font's size. A family with a "/" in it
// is a font file's path, and stands for the family the file holds.
Result<ArtFont> ResolveArtFont(const QString& family, int pixelSize);

// The QFont that draws the art: the family at the pixel size, antialiased.
QFont ArtQFont(const ArtFont& font, QFont::StyleStrategy strategy = QFont::PreferAntialias);

// The drawn font file's own identity: its header and name tables, which
// change with any new version of the file. What a kept measurement is keyed
// by besides the family, which two files may share.
QString FontIdentity(const ArtFont& font);

// How many kanji and kana the font itself holds (fallbacks aside).
int KanjiHeld(const ArtFont& font);

// Measures how much ink glyphs leave in their cell (one full-width advance by
// the line spacing), drawn by Qt's own rasterizer, antialiased, as the window
// draws them.
class GlyphMeter {
  public:
    explicit GlyphMeter(const ArtFont& font);

    QSize cell() const { return cell_; }
    // Whether the font itself (not a fallback) holds the character.
    bool Holds(const QString& glyph) const;
    GlyphInk Measure(const QString& entry) const;
    // The entry drawn in its cell, black on white.
    QImage Draw(const QString& entry) const;

  private:
    QFont font_;
    QFontMetrics metrics_;
    QFontMetrics aloneMetrics_;  // the font without fallbacks
    QSize cell_;
};

// Every candidate the font holds: the kanji and kana that CP932 encodes, and
// the full-width space when asked for.
std::vector<GlyphInk> MeasurePool(const GlyphMeter& meter, bool withSpace);

// The coverage of each of a ramp's 256 levels, as the window writes them.
std::vector<double> MeasureEntries(const GlyphMeter& meter, const CharRamp& ramp);

}  // namespace glyph
