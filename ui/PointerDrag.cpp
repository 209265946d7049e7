#include "ui/PointerDrag.h"

#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace glyph {

PointerDrag::PointerDrag(QWidget* view, Steps steps, QObject* parent)
    : QObject(parent), view_(view), steps_(std::move(steps)) {
    view_->installEventFilter(this);
}

void PointerDrag::Cancel() {
    dragging_ = false;
    waiting_ = false;
}

bool PointerDrag::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                       type == QEvent::MouseButtonRelease;
    if (watched != view_ || !mouse || !steps_.owns()) return QObject::eventFilter(watched, event);
    const auto* pointer = static_cast<QMouseEvent*>(event);
    const QPoint at = steps_.place(pointer->position().toPoint());
    switch (type) {
        case QEvent::MouseButtonPress:
            if (pointer->button() != Qt::LeftButton) break;
            dragging_ = true;
            steps_.began(at);
            return true;
        case QEvent::MouseMove:
            if (!dragging_) break;
            Wait(at);
            return true;
        case QEvent::MouseButtonRelease:
            if (!dragging_ || pointer->button() != Qt::LeftButton) break;
            dragging_ = false;
            waiting_ = false;
            steps_.ended(at);
            return true;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void PointerDrag::Wait(QPoint at) {
    newest_ = at;
    if (waiting_) return;
    waiting_ = true;
    QTimer::singleShot(0, this, &PointerDrag::HandOn);
}

void PointerDrag::HandOn() {
    if (!waiting_) return;
    waiting_ = false;
    steps_.moved(newest_);
}

}  // namespace glyph
