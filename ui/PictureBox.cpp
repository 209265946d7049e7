#include "ui/PictureBox.h"

#include <QPainter>
#include <algorithm>

namespace glyph {

PictureBox::PictureBox(TwipScale scale, const layout::Box& box, QWidget* parent)
    : QWidget(parent), scale_(scale) {
    setFocusPolicy(Qt::TabFocus);
    Move(box.left, box.top, box.width, box.height);
}

void PictureBox::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = std::max(0.0f, width);
    height_ = std::max(0.0f, height);
    setGeometry(TwipsToPixels(left_, scale_.x), TwipsToPixels(top_, scale_.y),
                TwipsToPixels(width_, scale_.x), TwipsToPixels(height_, scale_.y));
}

void PictureBox::SetPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void PictureBox::SetMark(QRect mark) {
    mark_ = mark;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    if (mark_.isEmpty()) return;
    // Light and dark dashes, seen on any picture.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(mark_.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(mark_.adjusted(0, 0, -1, -1));
}

}  // namespace glyph
