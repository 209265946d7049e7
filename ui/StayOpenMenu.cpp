#include "ui/StayOpenMenu.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

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
    // The keys a menu chooses its entry with, as the style has them.
    const bool space = event->key() == Qt::Key_Space &&
                       style()->styleHint(QStyle::SH_Menu_SpaceActivatesItem, nullptr, this);
    const bool choose = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || space;
    if (choose && Tick(activeAction())) return;
    QMenu::keyPressEvent(event);
}

}  // namespace glyph
