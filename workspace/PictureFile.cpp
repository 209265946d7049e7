#include "workspace/PictureFile.h"

#include <QFile>
#include <QImageReader>
#include <QRect>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "workspace/BmpRegion.h"
#include "workspace/FileAccess.h"
#include "workspace/JpegRegion.h"
#include "workspace/PngRegion.h"
#include "workspace/Reasons.h"
#include "workspace/WholeRegion.h"

namespace glyph {
namespace {

constexpr qint64 kHeadLength = 12;  // enough for every signature
const QByteArray kJpegSignature("\xFF\xD8\xFF", 3);

enum class PictureKind { kBmp, kJpeg, kPng, kWhole, kOther };

struct Kind {
    PictureKind kind;
    QByteArray format;  // Qt's name of a format read whole
};

// Judged by content: a file's name says nothing about what it holds.
Kind KindOf(QIODevice& file) {
    const QByteArray head = file.peek(kHeadLength);
    if (HasBmpSignature(head)) return {PictureKind::kBmp, {}};
    if (head.startsWith(kJpegSignature)) return {PictureKind::kJpeg, {}};
    if (HasPngSignature(head)) return {PictureKind::kPng, {}};
    if (QByteArray format = WholePictureFormat(head); !format.isEmpty()) {
        return {PictureKind::kWhole, format};
    }
    return {PictureKind::kOther, {}};
}

}  // namespace

Result<QSize> ReadPictureSize(const QString& path) {
    const Result<std::unique_ptr<QFile>> opened = OpenRegularFile(path);
    if (!opened) return opened.error();
    QFile& file = **opened;
    const Kind kind = KindOf(file);
    switch (kind.kind) {
        case PictureKind::kBmp:
            return ReadBmpSize(file);
        case PictureKind::kJpeg:
            return ReadJpegSize(file);
        case PictureKind::kPng:
            return ReadPngSize(file);
        case PictureKind::kWhole:
            return ReadWholeSize(file, kind.format);
        case PictureKind::kOther:
            break;
    }
    return Error{reasons::kNotAPicture};
}

Result<QImage> ReadPictureRegion(const QString& path, QRect region) {
    if (region.isEmpty()) return Error{reasons::kEmptyRegion};
    const Result<std::unique_ptr<QFile>> opened = OpenRegularFile(path);
    if (!opened) return opened.error();
    QFile& file = **opened;
    const Kind kind = KindOf(file);
    switch (kind.kind) {
        case PictureKind::kBmp:
            return ReadBmpRegion(file, region);
        case PictureKind::kJpeg:
            return ReadJpegRegion(file, region);
        case PictureKind::kPng:
            return ReadPngRegion(file, region);
        case PictureKind::kWhole:
            return ReadWholeRegion(file, kind.format, region);
        case PictureKind::kOther:
            break;
    }
    return Error{reasons::kNotAPicture};
}

}  // namespace glyph
