#pragma once

#include <QFile>
#include <QSize>

#include "basics/Result.h"
#include "picture/RowSink.h"

namespace glyph {

// A JPEG through libjpeg's own API, for a whole picture or a large part of it:
// decoded at eighths of its size (libjpeg scales in the DCT, so a small scale
// costs a fraction of a full decode) and handed over row by row, never held
// whole.

// The decoded size at eighths/8 of a picture of `stored` size, as libjpeg
// rounds it.
QSize ScaledJpegSize(QSize stored, int eighths);

// Decodes rows 0..lastRow at eighths/8 (1..8) into sink. A progressive or
// multi-scan picture is held to the bounds on memory and work first. Fails
// for an error libjpeg cannot go on from; damage it can go on from (cut or
// corrupt data) gives the same rows on every run.
// Below full size colours are upsampled by replication, not libjpeg's
// smoothing: the rows are summed into cells, which averages them anyway.
Status DecodeJpegRows(QFile& file, int eighths, int lastRow, const RowSink& sink);

// The same rows as gray levels. Below full size a YCbCr or gray picture is
// decoded to its luma alone (no colour is decoded at all): a gray picture's
// luma v read as the gray colour (v, v, v) is, exactly the colour rows'
// levels; a coloured picture's luma as half a level lower, which its colours
// read as on average. Otherwise the colour rows' levels.
Status DecodeJpegGrayRows(QFile& file, int eighths, int lastRow, const GrayRowSink& sink);

}  // namespace glyph
