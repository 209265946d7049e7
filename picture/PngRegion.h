#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QRect>
#include <QSize>

#include "basics/Result.h"
#include "picture/RowSink.h"

namespace glyph {

// PNG through libpng, row by row: a plain picture is decoded from the top
// down to the region's last row and no further; an interlaced one is read
// through, keeping only the region's rows. Transparent pixels lie over white.
// Rows a cut or damaged file does not hold are black (0x000000).

// The picture's size from its header. `device` must be open.
Result<QSize> ReadPngSize(QIODevice& device);

// Rows 0..lastRow of the whole width into sink, as they are decoded.
Status DecodePngRows(QIODevice& device, int lastRow, const RowSink& sink);

// The region, cut to the picture, as RGB32.
Result<QImage> ReadPngRegion(QIODevice& device, QRect region);

}  // namespace glyph
