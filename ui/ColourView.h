#pragma once

#include <QSyntaxHighlighter>

#include "ui/ShownColours.h"

namespace glyph {

// Shows the text box's art in its cells' ink and paper: formats laid over
// the text's layout alone, so that the text copied, saved or printed stays
// as it is. Neighbouring characters of one ink and paper share one format.
class ColourView : public QSyntaxHighlighter {
    Q_OBJECT

  public:
    explicit ColourView(QTextDocument* text);

    bool isOn() const { return on_; }
    void SetOn(bool on);
    // Painted from the next time the text is set (or at once while on).
    void SetColours(CellColours colours, bool repaint);

  protected:
    void highlightBlock(const QString& line) override;

  private:
    void Repaint();

    CellColours colours_;
    bool on_ = false;
};

}  // namespace glyph
