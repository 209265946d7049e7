#include "ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "engine/Levels.h"

namespace glyph {

TwipScale ScreenTwipScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    if (!(dpiX > 0) || !(dpiY > 0)) return {};
    return {static_cast<float>(1440.0 / dpiX), static_cast<float>(1440.0 / dpiY)};
}

int TwipsToPixels(double twips, float twipsPerPixel) {
    return RoundHalfEven(twips / static_cast<double>(twipsPerPixel));
}

void PlaceInTwips(QWidget* widget, const layout::Box& box, TwipScale scale) {
    widget->setGeometry(TwipsToPixels(box.left, scale.x), TwipsToPixels(box.top, scale.y),
                        TwipsToPixels(box.width, scale.x), TwipsToPixels(box.height, scale.y));
}

}  // namespace glyph
