#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace glyph {

// Reading picture files (BMP and JPEG) without ever decoding more than the
// top-left region the program uses, so that a picture of any size opens
// quickly and in bounded memory.

struct PictureRead {
    QImage image;   // null on failure
    QString error;  // the reader's reason on failure
    bool ok() const { return !image.isNull(); }
};

struct PictureSizeRead {
    QSize size;  // invalid on failure
    QString error;
    bool ok() const { return size.isValid(); }
};

// The picture's size in pixels, from its header alone.
PictureSizeRead ReadPictureSize(const QString& path);

// The picture's top-left region of at most region.width() x region.height()
// pixels, as RGB32. Pixels that the file does not hold (a damaged or cut-off
// file) are a fixed colour, so the same file always gives the same image.
// Fails for a file that is not a readable BMP or JPEG.
PictureRead ReadPictureRegion(const QString& path, QSize region);

}  // namespace glyph
