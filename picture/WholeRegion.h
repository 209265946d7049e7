#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QSize>

#include "basics/Result.h"
#include "picture/RowSink.h"

namespace glyph {

// GIF (its first frame), WebP and TIFF through Qt's readers. They decode the
// whole picture before the region is cut from it, so the picture is first
// held to the memory bound. Transparent pixels lie over white.

// The picture's size from its header. `file` must be open.
Result<QSize> ReadWholeSize(QFile& file, const QByteArray& format);

// The region, cut to the picture, as RGB32.
Result<QImage> ReadWholeRegion(QFile& file, const QByteArray& format, QRect region);

// Rows 0..lastRow of the whole width into sink, the memory held meanwhile.
Status DecodeWholeRows(QFile& file, const QByteArray& format, int lastRow, const RowSink& sink);

}  // namespace glyph
