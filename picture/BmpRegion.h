#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>

#include "basics/Result.h"
#include "picture/RowSink.h"

namespace glyph {

// Decoding only one region of a BMP file: Qt's own reader decodes whole
// pictures, which costs memory in proportion to the picture and fails for large ones.
// Every pixel the file does not hold is kMissingPixelColour: cut-off data,
// gaps in RLE streams, palette indexes past the palette.

// The picture's size from its headers. `device` must be open and random-access.
Result<QSize> ReadBmpSize(QIODevice& device);

// The region, cut to the picture, as RGB32, reading only the bytes that hold it
// (and, for RLE, the stream up to it). Fails for a region outside the picture.
Result<QImage> ReadBmpRegion(QIODevice& device, QRect region);

}  // namespace glyph
