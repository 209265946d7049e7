#include "ui/BlockMover.h"

#include <QAction>
#include <QWidget>

#include "document/Document.h"

namespace glyph {

namespace {

constexpr int kLongStep = 10;  // pixels, with Shift

struct KeyMove {
    Qt::Key key;
    QPoint step;
};
constexpr KeyMove kKeyMoves[] = {
    {Qt::Key_Left, {-1, 0}},
    {Qt::Key_Right, {1, 0}},
    {Qt::Key_Up, {0, -1}},
    {Qt::Key_Down, {0, 1}},
};

}  // namespace

BlockMover::BlockMover(Document& document, QWidget* view, QWidget* window)
    : QObject(window), document_(document), view_(view) {
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
    CreateActions(window);
    RefreshCursor();
}

void BlockMover::CreateActions(QWidget* window) {
    for (const KeyMove& move : kKeyMoves) {
        for (const int factor : {1, kLongStep}) {
            auto* action = new QAction(window);
            const Qt::KeyboardModifiers modifiers =
                factor == 1 ? Qt::AltModifier : Qt::AltModifier | Qt::ShiftModifier;
            action->setShortcut(QKeyCombination(modifiers, move.key));
            action->setShortcutContext(Qt::WindowShortcut);
            const QPoint delta = move.step * factor;
            connect(action, &QAction::triggered, this, [this, delta] { MoveBy(delta); });
            window->addAction(action);
            actions_ << action;
        }
    }
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
