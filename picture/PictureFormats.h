#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QIODevice>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <memory>

#include "basics/Result.h"
#include "picture/Orientation.h"
#include "picture/RowSink.h"

namespace glyph {

// The bytes a format's files start with, and for a RIFF form the form's
// type after its length.
struct Signature {
    QByteArrayView start;
    QByteArrayView then = {};
    qsizetype thenAt = 0;
};

// The picture formats the program reads: how each is recognised, which
// reader reads it and where its orientation tag is. One table, so that every
// way of reading a picture treats a format alike.
struct PictureFormat {
    QByteArray name;  // as Qt names it
    // Either one; an empty one is none.
    std::array<Signature, 2> signatures;
    // The orientation the file declares; kNormal where the format has none.
    Orientation (*orientation)(QIODevice& device);
    Result<QSize> (*size)(QFile& file, const QByteArray& name);
    Result<QImage> (*region)(QFile& file, const QByteArray& name, QRect region);
    // Rows 0..lastRow of the whole width, decoded at eighths/8 of the size
    // where `scales`, else at 8/8.
    Status (*rows)(QFile& file, const QByteArray& name, int eighths, int lastRow,
                   const RowSink& sink);
    bool scales;
    // The rows' gray levels alone, where the format's decoder can skip the
    // colours (a JPEG's luma); none: the levels of `rows`.
    Status (*grayRows)(QFile& file, int eighths, int lastRow, const GrayRowSink& sink) = nullptr;
};

// A picture file, opened and recognised by its content: a file's name says
// nothing about what it holds.
struct PictureSource {
    std::unique_ptr<QFile> file;
    const PictureFormat* format;
};

// Fails for a file that is not a regular file or not a picture of a known format.
Result<PictureSource> OpenPictureSource(const QString& path);

// The format whose signature the first bytes of a file are; nullptr for none.
const PictureFormat* RecognisePicture(QByteArrayView head);

// True when the first bytes of a file are the signature of the format named so.
bool IsPictureOf(QByteArrayView head, const QByteArray& name);

// The orientation a picture file declares, as its format holds it (see
// ReadJpegOrientation and the others); kNormal for a file of no known format.
// The device is left where it was.
Orientation ReadOrientation(QIODevice& device);

}  // namespace glyph
