#pragma once

#include <QIODevice>
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

// The orientation a file of each format declares: EXIF in a JPEG's APP1 segment, a PNG's eXIf
// chunk, a WebP's EXIF chunk, a TIFF file's own first IFD. kNormal when there is none or it is
// damaged. Only the first 256 KiB are looked at, but for a TIFF file's first IFD and a PNG's
// chunks, which are stepped over by their lengths to the end (eXIf may follow the pixels);
// the device is left where it was. ReadOrientation (PictureFormats.h) picks by the format.
Orientation ReadJpegOrientation(QIODevice& device);
Orientation ReadPngOrientation(QIODevice& device);
Orientation ReadWebpOrientation(QIODevice& device);
Orientation ReadTiffOrientation(QIODevice& device);

// How a stored picture's pixels move once upright: each stored axis run the
// other way where reflected, then the sides swapped.
struct UprightAxes {
    bool reflectsX;
    bool reflectsY;
    bool swapsSides;
};
UprightAxes AxesOf(Orientation orientation);

// The size a stored picture of `stored` size has once upright (sides swapped for 5..8).
QSize UprightSize(QSize stored, Orientation orientation);

}  // namespace glyph
