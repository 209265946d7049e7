#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>

#include "picture/Framing.h"

class QAction;
class QActionGroup;

namespace glyph {

class Document;
class PictureBox;

// Which part of the picture the art is made of: the block (every start
// begins with it), the whole picture, or a rectangle of it; and for the last
// two, whether characters are chosen by tone alone or by shape too. The choice lives
// in the upper picture's context menu and on Ctrl+1, Ctrl+2 and Ctrl+3, and
// holds for later opens until the program ends. While a rectangle is chosen,
// dragging on the upper picture draws a new one; the art follows the pointer.
class FramingChooser : public QObject {
    Q_OBJECT

  public:
    FramingChooser(Document& document, PictureBox* view, QWidget* window);

    // For the next open: the chosen mode, the rectangle reset to the whole picture.
    Framing ForOpen() const;
    const QList<QAction*>& actions() const { return actions_; }
    // Shows the chosen mode after the document changed.
    void Refresh();

  signals:
    // The user chose this; the window opens the picture again with it.
    void chosen(const glyph::Framing& framing);
    // A rectangle is being drawn: the art follows it from what is kept.
    void drawing(QRect rectangle);

  private:
    void Choose(Framing::Mode mode);
    void ChooseMatch(Match match);
    void AddMatchActions();
    // The picture's pixel under a point of the view.
    QPoint PicturePoint(QPoint inView) const;

    Document& document_;
    PictureBox* view_;
    QActionGroup* group_;
    QList<QAction*> actions_;
    Framing::Mode mode_ = Framing::Mode::kBlock;
    QActionGroup* matchGroup_;
    QList<QAction*> matchActions_;  // not offered for the block
    Match match_ = Match::kTone;
    QPoint dragStart_;  // in the picture's pixels
};

}  // namespace glyph
