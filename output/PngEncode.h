#pragma once

#include <QByteArray>
#include <QImage>

#include "basics/Result.h"

namespace glyph {

// A picture of the art as PNG bytes: RGB for RGB32, gray for Grayscale8. Made
// for speed over the last percent of size: text on a plain ground compresses
// well with the fastest settings. A ground of many colours (`colouredGround`:
// each cell its own paper) is filtered so that a run of one colour is a run
// of one byte too.
Result<QByteArray> EncodePng(const QImage& image, bool colouredGround = false);

}  // namespace glyph
