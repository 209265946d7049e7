#pragma once

#include <QtGui/qrgb.h>

#include <cstdint>
#include <functional>

namespace glyph {

// Receives a picture's decoded rows from the top, each as many 0xFFRRGGBB
// pixels as the decoded width (transparency already laid over white).
using RowSink = std::function<void(int y, const QRgb* row)>;

// The same rows as gray levels alone, one byte a pixel: for art without
// colours, from a reader that can skip them. `halfLower`: each level stands
// for half a level less (a coloured picture's luma, whose colours read half a
// level lower on average).
using GrayRowSink = std::function<void(int y, const std::uint8_t* levels, bool halfLower)>;

// What the BMP and PNG readers show for every pixel a damaged file does not hold.
inline constexpr QRgb kMissingPixelColour = 0xFF000000;

}  // namespace glyph
