#pragma once

#include <QDialog>

#include "ui/Screen.h"

class QLabel;
class QPushButton;

namespace glyph {

// The About window: the program's picture, name and version, and an OK
// button. It is shown modeless and unloads itself when it closes.
class Dialog : public QDialog {
    Q_OBJECT

  public:
    explicit Dialog(TwipScale scale);

    QPushButton* OKButton = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture1 = nullptr;

    void OKButton_Click();

    // Keeps window from closing while this window is open: it is disabled,
    // yet on X11 its title bar's close button still works.
    void HoldClose(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TwipScale scale_;
};

}  // namespace glyph
