#include "ui/BlockMover.h"

#include <QAction>
#include <QMouseEvent>
#include <QTimer>
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
    view_->installEventFilter(this);
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

void BlockMover::MoveBy(QPoint delta) {
    Request(document_.block().origin + delta);
    Apply();
}

bool BlockMover::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                       type == QEvent::MouseButtonRelease;
    if (watched != view_ || !mouse || !document_.CanMoveBlock()) {
        return QObject::eventFilter(watched, event);
    }
    const auto* pointer = static_cast<QMouseEvent*>(event);
    const QPoint at = pointer->position().toPoint();
    switch (type) {
        case QEvent::MouseButtonPress:
            if (pointer->button() != Qt::LeftButton) break;
            dragging_ = true;
            dragStart_ = at;
            originStart_ = document_.block().origin;
            view_->setCursor(Qt::ClosedHandCursor);
            return true;
        case QEvent::MouseMove:
            if (!dragging_) break;
            Request(originStart_ + at - dragStart_);
            return true;
        case QEvent::MouseButtonRelease:
            if (!dragging_ || pointer->button() != Qt::LeftButton) break;
            Request(originStart_ + at - dragStart_);
            dragging_ = false;
            Apply();
            RefreshCursor();
            return true;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void BlockMover::Request(QPoint origin) {
    pending_ = origin;
    if (scheduled_) return;
    scheduled_ = true;
    QTimer::singleShot(0, this, &BlockMover::Apply);
}

void BlockMover::Apply() {
    if (!scheduled_) return;
    scheduled_ = false;
    const Status moved = document_.MoveBlock(pending_);
    if (moved) return;
    dragging_ = false;
    emit failed(document_.path(), moved.error());
}

}  // namespace glyph
