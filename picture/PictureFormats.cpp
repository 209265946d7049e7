#include "picture/PictureFormats.h"

#include <array>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "files/FileAccess.h"
#include "picture/BmpRegion.h"
#include "picture/JpegRegion.h"
#include "picture/JpegRows.h"
#include "picture/PngRegion.h"
#include "picture/WholeRegion.h"

namespace glyph {

namespace {

constexpr qint64 kHeadLength = 12;              // enough for every signature
constexpr qint64 kBmpStripBytes = 1024 * 1024;  // read from a BMP at a time, at least a row
constexpr qsizetype kRiffFormAt = 8;            // after "RIFF" and the form's length

Orientation NoOrientation(QIODevice&) { return Orientation::kNormal; }

// A BMP's rows through its region reader, a strip at a time: it reads only
// the strip's bytes.
Status BmpRows(QFile& file, const QByteArray&, int, int lastRow, const RowSink& sink) {
    const Result<QSize> size = ReadBmpSize(file);
    if (!size) return size.error();
    lastRow = std::min(lastRow, size->height() - 1);
    const int stripRows = int(std::max<qint64>(1, kBmpStripBytes / (qint64(size->width()) * 4)));
    // A very wide picture's one row may itself be more than the memory allows.
    const Result<MemoryLease> lease = ReserveMemory(qint64(size->width()) * 4 * stripRows);
    if (!lease) return lease.error();
    for (int top = 0; top <= lastRow; top += stripRows) {
        const int rows = std::min(stripRows, lastRow + 1 - top);
        const Result<QImage> strip = ReadBmpRegion(file, QRect(0, top, size->width(), rows));
        if (!strip) return strip.error();
        for (int y = 0; y < rows; ++y)
            sink(top + y, reinterpret_cast<const QRgb*>(strip->constScanLine(y)));
    }
    return Done{};
}

Status JpegRows(QFile& file, const QByteArray&, int eighths, int lastRow, const RowSink& sink) {
    return DecodeJpegRows(file, eighths, lastRow, sink);
}

Status PngRows(QFile& file, const QByteArray&, int, int lastRow, const RowSink& sink) {
    return DecodePngRows(file, lastRow, sink);
}

Status WholeRows(QFile& file, const QByteArray& name, int, int lastRow, const RowSink& sink) {
    return DecodeWholeRows(file, name, lastRow, sink);
}

const std::array<PictureFormat, 6> kFormats = {{
    {"bmp",
     {{{"BM"}}},
     NoOrientation,
     [](QFile& f, const QByteArray&) { return ReadBmpSize(f); },
     [](QFile& f, const QByteArray&, QRect r) { return ReadBmpRegion(f, r); },
     BmpRows,
     false,
     nullptr},
    {"jpeg",
     {{{QByteArrayView("\xFF\xD8\xFF", 3)}}},
     ReadJpegOrientation,
     [](QFile& f, const QByteArray&) { return ReadJpegSize(f); },
     [](QFile& f, const QByteArray&, QRect r) { return ReadJpegRegion(f, r); },
     JpegRows,
     true,
     DecodeJpegGrayRows},
    {"png",
     {{{QByteArrayView("\x89PNG\r\n\x1A\n", 8)}}},
     ReadPngOrientation,
     [](QFile& f, const QByteArray&) { return ReadPngSize(f); },
     [](QFile& f, const QByteArray&, QRect r) { return ReadPngRegion(f, r); },
     PngRows,
     false,
     nullptr},
    {"gif",
     {{{"GIF87a"}, {"GIF89a"}}},
     NoOrientation,
     ReadWholeSize,
     ReadWholeRegion,
     WholeRows,
     false,
     nullptr},
    {"webp",
     {{{"RIFF", "WEBP", kRiffFormAt}}},
     ReadWebpOrientation,
     ReadWholeSize,
     ReadWholeRegion,
     WholeRows,
     false,
     nullptr},
    {"tiff",
     {{{QByteArrayView("II*\0", 4)}, {QByteArrayView("MM\0*", 4)}}},
     ReadTiffOrientation,
     ReadWholeSize,
     ReadWholeRegion,
     WholeRows,
     false,
     nullptr},
}};

bool Matches(QByteArrayView head, const Signature& signature) {
    return !signature.start.isEmpty() && head.startsWith(signature.start) &&
           (signature.then.isEmpty() ||
            (head.size() >= signature.thenAt + signature.then.size() &&
             head.sliced(signature.thenAt, signature.then.size()) == signature.then));
}

}  // namespace

Result<PictureSource> OpenPictureSource(const QString& path) {
    Result<std::unique_ptr<QFile>> opened = OpenRegularFile(path);
    if (!opened) return opened.error();
    std::unique_ptr<QFile> file = std::move(opened).value();
    const PictureFormat* format = RecognisePicture(file->peek(kHeadLength));
    if (format == nullptr) return Error{ErrorKind::kNotAPicture, reasons::kNotAPicture};
    return PictureSource{std::move(file), format};
}

const PictureFormat* RecognisePicture(QByteArrayView head) {
    for (const PictureFormat& format : kFormats) {
        for (const Signature& signature : format.signatures)
            if (Matches(head, signature)) return &format;
    }
    return nullptr;
}

bool IsPictureOf(QByteArrayView head, const QByteArray& name) {
    const PictureFormat* format = RecognisePicture(head);
    return format != nullptr && format->name == name;
}

Orientation ReadOrientation(QIODevice& device) {
    const PictureFormat* format = RecognisePicture(device.peek(kHeadLength));
    return format == nullptr ? Orientation::kNormal : format->orientation(device);
}

}  // namespace glyph
