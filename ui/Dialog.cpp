#include "ui/Dialog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "ui/Layout.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

// Families for the product name, best first. The first is the designed font;
// the others look alike and are the ones a Linux desktop is likely to have.
const QStringList kLabel1Families = {
    QStringLiteral("ＭＳ Ｐゴシック"),  QStringLiteral("MS PGothic"),
    QStringLiteral("IPAPGothic"),       QStringLiteral("VL PGothic"),
    QStringLiteral("Noto Sans CJK JP"),
};
constexpr double kLabel1PointSize = 9.75;

// The stated label sizes fit the designed font. A fallback font may need more
// room: the label then grows to the right (up to the window's edge) and
// downward, never shrinking and never moving.
void FitText(QLabel* label, int right) {
    const QSize needed = label->sizeHint();
    label->resize(std::max(label->width(), std::min(needed.width(), right - label->x())),
                  std::max(label->height(), needed.height()));
}

QPoint ScreenOrigin() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().topLeft() : QPoint();
}

}  // namespace

Dialog::Dialog(TwipScale scale)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      scale_(scale) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(texts::kAboutCaption);

    OKButton = new QPushButton(texts::kAboutOK, this);
    // Enter must not close the window: the button is neither default nor
    // auto-default.
    OKButton->setAutoDefault(false);
    OKButton->setDefault(false);
    PlaceInTwips(OKButton, layout::kOKButton, scale_);
    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);

    Label1 = new QLabel(texts::kAppTitle, this);
    QFont nameFont = Label1->font();
    nameFont.setFamilies(kLabel1Families);
    nameFont.setPointSizeF(kLabel1PointSize);
    nameFont.setWeight(QFont::Bold);
    nameFont.setItalic(false);
    nameFont.setUnderline(false);
    nameFont.setStrikeOut(false);
    Label1->setFont(nameFont);
    PlaceInTwips(Label1, layout::kDialogLabel1, scale_);

    Label2 = new QLabel(texts::kAboutFixedVersion, this);
    PlaceInTwips(Label2, layout::kDialogLabel2, scale_);

    Picture1 = new QLabel(this);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/pictures/about.gif")));
    PlaceInTwips(Picture1, layout::kDialogPicture1, scale_);

    const int clientWidth = TwipsToPixels(layout::kDialogWidth, scale_.x);
    for (QLabel* label : {Label1, Label2}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        FitText(label, clientWidth);
    }

    setTabOrder(OKButton, Label1);
    setTabOrder(Label1, Label2);
    setTabOrder(Label2, Picture1);
    OKButton->setFocus();

    const QPoint origin = ScreenOrigin();
    const int clientHeight = TwipsToPixels(layout::kDialogHeight, scale_.y);
    setFixedSize(clientWidth, clientHeight);
    // setGeometry places the client area, not the frame.
    setGeometry(origin.x() + TwipsToPixels(layout::kDialogScreenLeft, scale_.x),
                origin.y() + TwipsToPixels(layout::kDialogScreenTop, scale_.y), clientWidth,
                clientHeight);
}

void Dialog::OKButton_Click() { close(); }

void Dialog::HoldClose(QWidget* window) { window->installEventFilter(this); }

bool Dialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && isVisible()) {
        event->ignore();
        raise();
        activateWindow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace glyph
