#include "ui/BlockMover.h"

#include <QWidget>

#include "document/Document.h"

namespace glyph {

BlockMover::BlockMover(Document& document, QWidget* view, QObject* parent)
    : QObject(parent), document_(document), view_(view) {
    PointerDrag::Steps steps;
    steps.owns = [this] { return document_.CanMoveBlock(); };
    steps.place = [](QPoint at) { return at; };
    steps.began = [this](QPoint at) {
        dragStart_ = at;
        originStart_ = document_.block().origin;
        view_->setCursor(Qt::ClosedHandCursor);
    };
    steps.moved = [this](QPoint at) { MoveTo(originStart_ + at - dragStart_); };
    steps.ended = [this](QPoint at) {
        MoveTo(originStart_ + at - dragStart_);
        RefreshCursor();
    };
    drag_ = new PointerDrag(view_, std::move(steps), this);
    RefreshCursor();
}

void BlockMover::RefreshCursor() {
    view_->setCursor(document_.CanMoveBlock() ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

// A key's move supersedes a step of a drag still waiting.
void BlockMover::MoveBy(QPoint delta) {
    drag_->DropWaiting();
    MoveTo(document_.block().origin + delta);
}

void BlockMover::MoveTo(QPoint origin) {
    const Status moved = document_.MoveBlock(origin);
    if (moved) return;
    drag_->Cancel();
    emit failed(document_.path(), moved.error());
}

}  // namespace glyph
