#pragma once

#include <QFile>
#include <QImage>
#include <QRect>
#include <QSize>

#include "basics/Limits.h"
#include "basics/Result.h"

namespace glyph {

// JPEG through Qt's reader on libjpeg, with a clip rect: rows are decoded from
// the top down to the region's bottom and no further. A progressive or
// multi-scan picture is first held to the bounds on memory and work.

// The picture's size from its frame header. `file` must be open.
Result<QSize> ReadJpegSize(QFile& file);

// Holds a progressive or multi-scan picture to the bounds on memory and work
// before libjpeg decodes it: the memory is held until the lease ends. The
// file is left at its start.
Result<MemoryLease> ReserveJpegDecoding(QFile& file);

// The region, cut to the picture, as RGB32.
Result<QImage> ReadJpegRegion(QFile& file, QRect region);

}  // namespace glyph
