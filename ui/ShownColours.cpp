#include "ui/ShownColours.h"

#include "document/Document.h"

namespace glyph {

CellColours ShownColours(const Document& document) { return document.cellColours(); }

}  // namespace glyph
