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
#include "workspace/JpegRegion.h"
#include "workspace/Reasons.h"

namespace glyph {
namespace {

constexpr qint64 kSignatureLength = 3;
const QByteArray kJpegSignature("\xFF\xD8\xFF", kSignatureLength);

enum class PictureKind { kBmp, kJpeg, kOther };

// Judged by content: a file's name says nothing about what it holds.
PictureKind KindOf(QIODevice& file) {
    const QByteArray head = file.peek(kSignatureLength);
    if (HasBmpSignature(head)) return PictureKind::kBmp;
    if (head.startsWith(kJpegSignature)) return PictureKind::kJpeg;
    return PictureKind::kOther;
}

Status OpenPicture(QFile& file) {
    if (!file.open(QIODevice::ReadOnly))
        return Error{reasons::kCannotOpenFile.arg(file.errorString())};
    if (file.isSequential()) return Error{reasons::kNotRegularFile};
    return Done{};
}

}  // namespace

Result<QSize> ReadPictureSize(const QString& path) {
    QFile file(path);
    if (const Status opened = OpenPicture(file); !opened) return opened.error();
    switch (KindOf(file)) {
        case PictureKind::kBmp:
            return ReadBmpSize(file);
        case PictureKind::kJpeg:
            return ReadJpegSize(file);
        case PictureKind::kOther:
            break;
    }
    return Error{reasons::kNotAPicture};
}

Result<QImage> ReadPictureRegion(const QString& path, QRect region) {
    if (region.isEmpty()) return Error{reasons::kEmptyRegion};
    QFile file(path);
    if (const Status opened = OpenPicture(file); !opened) return opened.error();
    switch (KindOf(file)) {
        case PictureKind::kBmp:
            return ReadBmpRegion(file, region);
        case PictureKind::kJpeg:
            return ReadJpegRegion(file, region);
        case PictureKind::kOther:
            break;
    }
    return Error{reasons::kNotAPicture};
}

}  // namespace glyph
