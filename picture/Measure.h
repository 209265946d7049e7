#pragma once

#include <QSize>
#include <QString>
#include <cstdint>

#include "basics/Result.h"

namespace glyph {

// Size in HIMETRIC (0.01 mm) of a pixel length at 96 dpi, as picture
// loaders report it, and back to pixels (x 24 / 635, rounded).
std::int32_t PixelsToHimetric(std::int32_t pixels);
std::int32_t HimetricToPixels(std::int32_t himetric);

// The picture's size in pixels from its header, through HIMETRIC.
Result<QSize> MeasurePicture(const QString& fileName);

// 100 for n above 100 or below 0, else n.
std::int32_t ClampImageSize(std::int32_t n);

}  // namespace glyph
