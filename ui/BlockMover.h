#pragma once

#include <QObject>
#include <QPoint>

#include "basics/Result.h"
#include "ui/PointerDrag.h"

class QWidget;

namespace glyph {

class Document;

// Moves the document's block over a larger picture: a drag inside the view of
// the opened picture (the block follows the pointer), or the window's block
// keys (Alt+arrow, one pixel a press, ten with Shift). While dragging, the newest place is read
// once the event loop is free, so the block keeps up with the pointer.
class BlockMover : public QObject {
    Q_OBJECT

  public:
    BlockMover(Document& document, QWidget* view, QObject* parent);

    // A hand over the view while the block can move.
    void RefreshCursor();

    void MoveBy(QPoint delta);

  signals:
    // The picture could no longer be read; nothing changed.
    void failed(const QString& path, const glyph::Error& error);

  private:
    void MoveTo(QPoint origin);

    Document& document_;
    QWidget* view_;
    PointerDrag* drag_;
    QPoint dragStart_;    // pointer, in the view
    QPoint originStart_;  // the block's origin when the drag began
};

}  // namespace glyph
