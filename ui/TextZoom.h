#pragma once

#include <QFont>
#include <QObject>

class QPlainTextEdit;

namespace glyph {

// Zooms the text box's font, a view of the art only: the text stays as it
// is. Ctrl+wheel and the window's zoom keys step through a table of sizes;
// the reset returns to the size the box started with. At the smallest sizes a
// 100 x 100 art fits the box whole and reads as a picture. A fit shows the
// whole text at once, as a viewer fits a photo, until the user zooms again;
// the size the user chose comes back with ShowChosen.
class TextZoom : public QObject {
    Q_OBJECT

  public:
    TextZoom(QPlainTextEdit* text, QObject* parent);

    void ZoomIn();
    void ZoomOut();
    void ResetZoom();
    qreal PointSize() const;
    // The size the box started with, which the reset returns to.
    qreal UsualSize() const { return defaultSize_; }
    // The user's size, set anew (kept within the table's sizes), as if chosen.
    void Choose(qreal size);
    qreal ChosenSize() const { return chosen_; }

    // The largest size, up to the usual one, at which every line and every
    // column of the box's text is in view; kept as the box is resized.
    void Fit();
    // The same for a text about to be set in the box, which is then laid out
    // once, at the fitted size.
    void FitText(const QString& text);
    bool IsFitted() const { return fitted_; }
    // The user's size again after a fit.
    void ShowChosen();

  signals:
    // The user zoomed: the size is theirs from now on.
    void chosen(qreal size);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The font with its characters set apart to stand in square cells.
    static QFont SquareCells(QFont font);

  private:
    void Step(qreal size);
    void SetPointSize(qreal size);
    void Relayout();
    qreal FitSize(const QString& text) const;
    // Whether `lines` lines of `columns` characters fit the box at this size.
    bool Fits(int columns, int lines, qreal size) const;

    QPlainTextEdit* text_;
    qreal defaultSize_;
    qreal chosen_;
    bool fitted_ = false;
};

}  // namespace glyph
