#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "basics/Result.h"

namespace glyph {

// Reading picture files without decoding more than the region the program
// uses where the format allows it (BMP, JPEG, PNG), so that a picture of any
// size opens quickly and in bounded memory. GIF, WebP and TIFF are decoded
// whole, within the memory bound.

// The picture's size in pixels, from its header alone.
Result<QSize> ReadPictureSize(const QString& path);

// The region of the picture, cut to the picture, as RGB32. Pixels that the
// file does not hold (a damaged or cut-off file) are a fixed colour, so the
// same file always gives the same image. Fails for a file that is not a
// readable picture, and for a region outside the picture.
Result<QImage> ReadPictureRegion(const QString& path, QRect region);
// The top-left region of at most that size.
inline Result<QImage> ReadPictureRegion(const QString& path, QSize region) {
    return ReadPictureRegion(path, QRect(QPoint(0, 0), region));
}

}  // namespace glyph
