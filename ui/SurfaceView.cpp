#include "ui/SurfaceView.h"

#include <QPainter>

namespace glyph {

SurfaceView::SurfaceView(PictureSurface& surface, bool sunken, QWidget* parent)
    : QFrame(parent), surface_(surface) {
    if (sunken) setFrameStyle(QFrame::Panel | QFrame::Sunken);
    connect(&surface_, &PictureSurface::changed, this, &SurfaceView::FollowSurface);
    FollowSurface();
}

void SurfaceView::FollowSurface() {
    const TwipScale scale = surface_.scale();
    setGeometry(TwipsToPixels(surface_.Left(), scale.x), TwipsToPixels(surface_.Top(), scale.y),
                TwipsToPixels(surface_.Width(), scale.x),
                TwipsToPixels(surface_.Height(), scale.y));
    update();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.drawImage(0, 0, surface_.bitmap());
    }
    QFrame::paintEvent(event);
}

}  // namespace glyph
