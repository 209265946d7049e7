#pragma once

#include <QByteArray>
#include <QFont>
#include <QRawFont>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

#include "basics/Result.h"
#include "glyphs/GlyphMeter.h"
#include "output/ArtColours.h"

namespace glyph {

// Pictures of the art in a font: each character in a square cell as wide as
// a full-width character (as the window's text box and the print set it),
// its glyph's em box centred in the cell's height. Needs a QGuiApplication;
// make one per thread.
class ArtDrawing {
  public:
    explicit ArtDrawing(const ArtFont& font);

    const ArtFont& font() const { return font_; }
    int cell() const { return cell_; }
    // The baseline's distance from a cell's top.
    int baseline() const { return baseline_; }

    // Done when the font itself holds every character of text (line breaks
    // aside); else says which it lacks.
    Status CheckHolds(const QString& text) const;

    // The picture's size for the art in pixels: its widest line by its lines.
    QSize PictureSize(const QString& text) const;

    // The art drawn and encoded as PNG. A picture larger than the memory
    // bound is refused, with its size, before anything is drawn.
    Result<QByteArray> Png(const Art& art, const ArtLook& look) const;

    // The art as SVG: the characters kept as text, each placed in its cell,
    // over a rectangle of its paper where the cells have their own.
    QByteArray Svg(const Art& art, const ArtLook& look) const;

    // The share of its cell each glyph inks as these pictures draw it, 0 to 1.
    std::vector<float> Coverage(const QStringList& glyphs) const;

  private:
    QImage Draw(const Art& art, const ArtLook& look, QSize size) const;
    QString PaperRectangles(const QList<QStringList>& lines, const Art& art,
                            const ArtLook& look) const;

    ArtFont font_;
    QRawFont raw_;
    int cell_ = 1;
    int baseline_ = 0;
};

// The family list a page or an SVG names: the font, then Japanese fonts
// found on most systems, so that another viewer still shows full-width cells.
// A CSS font-family value, each family a CSS string.
QString ArtFontFamilies(const QString& family);

}  // namespace glyph
