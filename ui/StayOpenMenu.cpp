#include "ui/StayOpenMenu.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace glyph {

StayOpenMenu::StayOpenMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

bool StayOpenMenu::Tick(QAction* action) {
    if (action == nullptr || !action->isCheckable() || !action->isEnabled() ||
        action->menu() != nullptr) {
        return false;
    }
    action->trigger();
    return true;
}

void StayOpenMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && Tick(actionAt(event->position().toPoint()))) return;
    QMenu::mouseReleaseEvent(event);
}

void StayOpenMenu::keyPressEvent(QKeyEvent* event) {
    const bool choose = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                        event->key() == Qt::Key_Space;
    if (choose && Tick(activeAction())) return;
    QMenu::keyPressEvent(event);
}

}  // namespace glyph
