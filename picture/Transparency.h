#pragma once

#include <QImage>
#include <QRgb>

#include "basics/Reasons.h"
#include "basics/Result.h"

namespace glyph {

// Transparent pixels of PNG, GIF, WebP and TIFF pictures show the white paper
// the art is printed on: every colour is laid over white by its alpha. BMP and
// JPEG colours are used as stored.

// One non-premultiplied pixel laid over white, as an opaque colour.
inline QRgb OverWhite(QRgb pixel) {
    const int alpha = qAlpha(pixel);
    const auto blend = [alpha](int channel) {
        return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
    };
    return qRgb(blend(qRed(pixel)), blend(qGreen(pixel)), blend(qBlue(pixel)));
}

// Pixels from..from + count - 1 of the picture's row y laid over white into
// `out`. A row at a time, so that a large picture is never copied whole;
// fails when even the row's conversion could not be allocated.
inline Status RowOverWhite(const QImage& picture, int y, int from, int count, QRgb* out) {
    // Only the pixels asked for: a block's row of a vast picture is a hundred.
    const QImage argb =
        picture.copy(QRect(from, y, count, 1)).convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) return Error{ErrorKind::kOutOfMemory, reasons::kNoMemoryForRegion};
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(0));
    for (int x = 0; x < count; ++x) out[x] = OverWhite(line[x]);
    return Done{};
}

}  // namespace glyph
