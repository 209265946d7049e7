#include "workspace/PictureFile.h"
#include <QImageReader>
namespace glyph {
PictureSizeRead ReadPictureSize(const QString& path) {
    QImageReader reader(path);
    PictureSizeRead r; r.size = reader.size(); if (!r.size.isValid()) r.error = reader.errorString();
    return r;
}
PictureRead ReadPictureRegion(const QString& path, QSize region) {
    QImageReader reader(path);
    reader.setClipRect(QRect(QPoint(0, 0), region));
    PictureRead r; r.image = reader.read().convertToFormat(QImage::Format_RGB32); if (r.image.isNull()) r.error = reader.errorString();
    return r;
}
}
