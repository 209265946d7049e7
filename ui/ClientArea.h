#pragma once

#include <QWidget>

#include "ui/Screen.h"

namespace glyph {

// The main window's client area: draws the etched rules beneath every
// control and reports its size changes.
class ClientArea : public QWidget {
    Q_OBJECT

  public:
    ClientArea(TwipScale scale, QWidget* parent);

  signals:
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    TwipScale scale_;
};

}  // namespace glyph
