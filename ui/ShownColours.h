#pragma once

#include <QImage>

namespace glyph {

class Document;

// The colours the text box's colour view paints the art in, one pixel a cell:
// each character's ink and the paper behind it.
struct InkAndPaper {
    QImage ink;
    QImage paper;
};

// Taken from the document in this one place; both null without a picture.
InkAndPaper ShownColours(const Document& document);

}  // namespace glyph
