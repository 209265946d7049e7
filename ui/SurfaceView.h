#pragma once

#include <QFrame>

#include "ui/PictureSurface.h"

namespace glyph {

// Shows a picture surface at its place on the window, following its position
// and size in twips. A sunken frame draws its border over the bitmap's edge.
class SurfaceView : public QFrame {
    Q_OBJECT

  public:
    SurfaceView(PictureSurface& surface, bool sunken, QWidget* parent);

    PictureSurface& surface() { return surface_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void FollowSurface();

    PictureSurface& surface_;
};

}  // namespace glyph
