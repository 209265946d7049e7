#pragma once

#include <QMenu>

namespace glyph {

// A menu whose on-off entries tick without closing it, so that a setting and
// the command it is for are chosen in one visit. Other entries close it as
// any menu's do.
class StayOpenMenu : public QMenu {
    Q_OBJECT

  public:
    StayOpenMenu(const QString& title, QWidget* parent);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Ticks the entry under the pointer or the keyboard; false when that
    // entry is not an on-off one.
    bool Tick(QAction* action);
};

}  // namespace glyph
