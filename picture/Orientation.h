#pragma once

#include <QIODevice>
#include <QPoint>
#include <QSize>

namespace glyph {

// The EXIF orientation values 1..8 (1: as stored).
enum class Orientation {
    kNormal = 1,
    kMirrored = 2,
    kRotated180 = 3,
    kFlipped = 4,
    kTransposed = 5,
    kRotated90 = 6,
    kTransverse = 7,
    kRotated270 = 8
};

// The orientation a picture file declares: EXIF in a JPEG's APP1 segment, a TIFF file's own
// first IFD, a PNG's eXIf chunk, a WebP's EXIF chunk. kNormal when there is none or it is
// damaged. Only the first 256 KiB are looked at, but for a TIFF file's first IFD and a PNG's
// chunks, which are stepped over by their lengths to the end (eXIf may follow the pixels);
// the device is left where it was.
Orientation ReadOrientation(QIODevice& device);

// The size a stored picture of `stored` size has once upright (sides swapped for 5..8).
QSize UprightSize(QSize stored, Orientation orientation);

// Where the stored pixel `stored` of a picture of `storedSize` lands once upright.
QPoint UprightPoint(QPoint stored, QSize storedSize, Orientation orientation);

}  // namespace glyph
