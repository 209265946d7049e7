#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

#include "basics/Result.h"
#include "picture/RowSink.h"

namespace glyph {

// The picture formats the program reads: how each is recognised and which
// reader reads it. One table, so that every way of reading a picture treats
// a format alike.
struct PictureFormat {
    QByteArray name;  // as Qt names it
    bool (*recognises)(const QByteArray& head);
    Result<QSize> (*size)(QFile& file, const QByteArray& name);
    Result<QImage> (*region)(QFile& file, const QByteArray& name, QRect region);
    // Rows 0..lastRow of the whole width, decoded at eighths/8 of the size
    // where `scales`, else at 8/8.
    Status (*rows)(QFile& file, const QByteArray& name, int eighths, int lastRow,
                   const RowSink& sink);
    bool scales;
};

// A picture file, opened and recognised by its content: a file's name says
// nothing about what it holds.
struct PictureSource {
    std::unique_ptr<QFile> file;
    const PictureFormat* format;
};

// Fails for a file that is not a regular file or not a picture of a known format.
Result<PictureSource> OpenPictureSource(const QString& path);

}  // namespace glyph
