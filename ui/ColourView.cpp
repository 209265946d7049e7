#include "ui/ColourView.h"

#include <QTextCharFormat>
#include <QTextDocument>

#include "output/ArtColours.h"

namespace glyph {

ColourView::ColourView(QTextDocument* text) : QSyntaxHighlighter(text) {}

void ColourView::SetOn(bool on) {
    if (on == on_) return;
    on_ = on;
    Repaint();
}

void ColourView::SetColours(CellColours colours, bool repaint) {
    colours_ = std::move(colours);
    if (repaint && on_) Repaint();
}

// Painting is no edit: the text keeps its unmodified state.
void ColourView::Repaint() {
    QTextDocument* text = document();
    const bool modified = text->isModified();
    rehighlight();
    text->setModified(modified);
}

void ColourView::highlightBlock(const QString& line) {
    if (!on_ || colours_.ink.isNull()) return;
    const int row = currentBlock().blockNumber();
    if (row >= colours_.ink.height()) return;
    // Where each character starts in the line: a surrogate pair is one.
    QList<int> starts;
    starts.reserve(line.size() + 1);
    for (int at = 0; at < line.size(); ++at) {
        if (!line.at(at).isLowSurrogate() || at == 0) starts << at;
    }
    const int length = int(starts.size());
    starts << int(line.size());
    const auto paint = [&](int first, int end, QRgb ink, QRgb paper) {
        QTextCharFormat format;
        format.setForeground(QColor(ink));
        format.setBackground(QColor(paper));
        setFormat(starts[first], starts[end] - starts[first], format);
    };
    int first = 0;
    QRgb ink = 0;
    QRgb paper = 0;
    for (int column = 0; column < length; ++column) {
        const QRgb cellInk = CharacterColour(colours_.ink, row, column, length);
        const QRgb cellPaper = colours_.paper.isNull()
                                   ? qRgb(255, 255, 255)
                                   : CharacterColour(colours_.paper, row, column, length);
        if (column > 0 && (cellInk != ink || cellPaper != paper)) {
            paint(first, column, ink, paper);
            first = column;
        }
        ink = cellInk;
        paper = cellPaper;
    }
    if (length > 0) paint(first, length, ink, paper);
}

}  // namespace glyph
