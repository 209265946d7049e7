#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include "picture/Framing.h"

namespace glyph {

class Document;
class PictureBox;

// Which part of the picture the art is made of: the block (a start with
// nothing remembered begins with it), the whole picture, or a rectangle of
// it; and for the last two, whether characters are chosen by tone alone or
// by shape too (the first choice, which reads best). The choice holds for
// later opens. While a rectangle is
// chosen, dragging on the upper picture draws a new one; the art follows the
// pointer.
class FramingChooser : public QObject {
    Q_OBJECT

  public:
    FramingChooser(Document& document, PictureBox* view, QObject* parent);

    Framing::Mode mode() const { return mode_; }
    Match match() const { return match_; }
    // The choices a start begins with, before anything is opened.
    void Start(Framing::Mode mode, Match match) {
        mode_ = mode;
        match_ = match;
    }
    // For the next open: the chosen mode, the rectangle reset to the whole picture.
    Framing ForOpen() const;
    // Each false when the open the choice asked for was refused, and the
    // choice went back to what it was.
    bool Choose(Framing::Mode mode);
    bool ChooseMatch(Match match);
    // A cross over the picture while a rectangle is drawn on it.
    void RefreshCursor();

  signals:
    // The user chose this; the window opens the picture again with it.
    void chosen(const glyph::Framing& framing);
    // A rectangle is being drawn: the art follows it from what is kept.
    void drawing(QRect rectangle);

  private:
    // The picture's pixel under a point of the view.
    QPoint PicturePoint(QPoint inView) const;

    Document& document_;
    PictureBox* view_;
    Framing::Mode mode_ = Framing::Mode::kBlock;
    Match match_ = Match::kKanjiShapes;
    QPoint dragStart_;  // in the picture's pixels
};

}  // namespace glyph
