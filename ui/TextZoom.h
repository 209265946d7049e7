#pragma once

#include <QFont>
#include <QObject>

class QPlainTextEdit;

namespace glyph {

// Zooms the text box's font, a view of the art only: the text stays as it
// is. Ctrl+wheel and the window's zoom keys step through a table of sizes;
// the reset returns to the size the box started with. At the smallest sizes a
// 100 x 100 art fits the box whole and reads as a picture.
class TextZoom : public QObject {
    Q_OBJECT

  public:
    TextZoom(QPlainTextEdit* text, QObject* parent);

    void ZoomIn();
    void ZoomOut();
    void ResetZoom();
    qreal PointSize() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The font with its characters set apart to stand in square cells.
    static QFont SquareCells(QFont font);

  private:
    void SetPointSize(qreal size);
    void Relayout();

    QPlainTextEdit* text_;
    qreal defaultSize_;
};

}  // namespace glyph
