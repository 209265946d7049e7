#pragma once

#include "output/ArtColours.h"

namespace glyph {

class Document;

// The colours the text box's colour view paints the art in, one pixel a cell:
// each character's ink and the paper behind it, as the coloured exports split
// them. Both null without a picture.
CellColours ShownColours(const Document& document);

}  // namespace glyph
