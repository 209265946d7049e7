#include "ui/ClientArea.h"

#include <QPainter>

#include "ui/Layout.h"

namespace glyph {

ClientArea::ClientArea(TwipScale scale, QWidget* parent) : QWidget(parent), scale_(scale) {}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const layout::Line& line : layout::kLines) {
        painter.setPen(QPen(palette().color(line.highlight ? QPalette::Light : QPalette::Dark), 0));
        painter.drawLine(TwipsToPixels(line.x1, scale_.x), TwipsToPixels(line.y1, scale_.y),
                         TwipsToPixels(line.x2, scale_.x), TwipsToPixels(line.y2, scale_.y));
    }
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

}  // namespace glyph
