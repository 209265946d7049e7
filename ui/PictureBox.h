#pragma once

#include <QImage>
#include <QWidget>

#include "ui/Layout.h"
#include "ui/Screen.h"

namespace glyph {

// A picture box of the main window, placed and sized in twips as the layout
// is. It shows its picture at natural size from its top-left corner, clipped
// and never stretched.
class PictureBox : public QWidget {
    Q_OBJECT

  public:
    PictureBox(TwipScale scale, const layout::Box& box, QWidget* parent);

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, float top, float width, float height);

    void SetPicture(QImage picture);
    // A rectangle outlined over the picture, in its pixels; empty for none.
    void SetMark(QRect mark);
    const QImage& Image() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TwipScale scale_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    QImage picture_;
    QRect mark_;
};

}  // namespace glyph
