#include "ui/ShownColours.h"

#include "document/Document.h"

namespace glyph {

// The cells' own ink on white paper, as the coloured exports draw them.
InkAndPaper ShownColours(const Document& document) {
    InkAndPaper colours;
    colours.ink = document.colours();
    if (colours.ink.isNull()) return colours;
    colours.paper = QImage(colours.ink.size(), QImage::Format_RGB32);
    colours.paper.fill(Qt::white);
    return colours;
}

}  // namespace glyph
