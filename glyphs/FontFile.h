#pragma once

#include <QByteArray>
#include <QString>

namespace glyph {

// A TrueType or OpenType font (or the first of a collection) with every
// family name in its name table replaced by `family`, so that it can be
// loaded beside an installed font of the same family and still be drawn.
// Empty when the bytes are not a font this can rename.
QByteArray RenamedFont(const QByteArray& font, const QString& family);

}  // namespace glyph
