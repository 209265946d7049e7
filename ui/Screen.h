#pragma once

#include "ui/Layout.h"

class QWidget;

namespace glyph {

// Twips per screen pixel: 1440 / the screen's logical DPI (15 at 96 dpi).
struct TwipScale {
    float x = 15.0f;
    float y = 15.0f;
};

// The primary screen's factors; 15 x 15 when there is no screen.
TwipScale ScreenTwipScale();

// A layout length in twips as whole pixels, rounded halves to even.
int TwipsToPixels(double twips, float twipsPerPixel);

// Puts widget on box, given in twips.
void PlaceInTwips(QWidget* widget, const layout::Box& box, TwipScale scale);

}  // namespace glyph
