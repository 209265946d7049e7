#include "picture/JpegRegion.h"

#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "picture/JpegMarkers.h"
#include "picture/QtReader.h"

namespace glyph {
namespace {

using namespace jpeg;

constexpr uchar kFirstFrame = 0xC0;
constexpr uchar kLastFrame = 0xCF;
constexpr uchar kDefineHuffman = 0xC4;
constexpr uchar kJpegExtension = 0xC8;
constexpr uchar kDefineArithmetic = 0xCC;
// Huffman and arithmetic coded, each plain and differential.
constexpr std::array<uchar, 4> kProgressiveFrames{0xC2, 0xC6, 0xCA, 0xCE};

constexpr qint64 kSegmentLengthSize = 2;
constexpr int kFrameFixedPart = 6;  // precision, height, width, component count
constexpr int kFrameComponentSize = 3;
constexpr int kBlockSide = 8;
constexpr qint64 kBlockBytes = 64 * 2;  // 64 coefficients of 16 bits each

struct FrameComponent {
    int h = 1;
    int v = 1;
};

struct JpegFrame {
    bool progressive = false;
    qint64 width = 0;
    qint64 height = 0;
    std::vector<FrameComponent> components;
    bool multiScan = false;  // the first scan lacks some components
    qint64 scans = 0;        // counted only for progressive and multi-scan frames
};

bool IsFrameMarker(uchar marker) {
    return marker >= kFirstFrame && marker <= kLastFrame && marker != kDefineHuffman &&
           marker != kJpegExtension && marker != kDefineArithmetic;
}

bool IsProgressiveFrame(uchar marker) {
    return std::find(kProgressiveFrames.begin(), kProgressiveFrames.end(), marker) !=
           kProgressiveFrames.end();
}

// The next marker, skipping stray bytes between segments as libjpeg does.
std::optional<uchar> NextMarker(QIODevice& file) {
    char byte = 0;
    while (file.getChar(&byte)) {
        if (uchar(byte) != kMarkerPrefix) continue;
        do {
            if (!file.getChar(&byte)) return std::nullopt;
        } while (uchar(byte) == kMarkerPrefix);
        if (uchar(byte) != kStuffedZero) return uchar(byte);
    }
    return std::nullopt;
}

std::optional<QByteArray> ReadSegment(QIODevice& file) {
    const QByteArray length = file.read(kSegmentLengthSize);
    if (length.size() < kSegmentLengthSize) return std::nullopt;
    const qint64 bodyLength = qFromBigEndian<quint16>(length.constData()) - kSegmentLengthSize;
    if (bodyLength < 0) return std::nullopt;
    QByteArray body = file.read(bodyLength);
    if (body.size() < bodyLength) return std::nullopt;
    return body;
}

Error HeaderDamaged() { return Error{ErrorKind::kDamaged, reasons::kJpegHeaderDamaged}; }

Result<JpegFrame> ParseFrame(uchar marker, const QByteArray& body) {
    if (body.size() < kFrameFixedPart) return HeaderDamaged();
    const auto* bytes = reinterpret_cast<const uchar*>(body.constData());
    JpegFrame frame;
    frame.progressive = IsProgressiveFrame(marker);
    frame.height = qFromBigEndian<quint16>(bytes + 1);
    frame.width = qFromBigEndian<quint16>(bytes + 3);
    const int count = bytes[5];
    if (count == 0 || body.size() < kFrameFixedPart + count * kFrameComponentSize)
        return HeaderDamaged();
    for (int i = 0; i < count; ++i) {
        const uchar sampling = bytes[kFrameFixedPart + i * kFrameComponentSize + 1];
        const FrameComponent component{sampling >> 4, sampling & 0x0F};
        if (component.h == 0 || component.v == 0) return HeaderDamaged();
        frame.components.push_back(component);
    }
    return frame;
}

qint64 RoundUp(qint64 value, qint64 step) { return (value + step - 1) / step * step; }

// What libjpeg allocates to keep every coefficient of the picture.
qint64 WholePictureCoefficientBytes(const JpegFrame& frame) {
    int hMax = 1;
    int vMax = 1;
    for (const FrameComponent& c : frame.components) {
        hMax = std::max(hMax, c.h);
        vMax = std::max(vMax, c.v);
    }
    qint64 bytes = 0;
    for (const FrameComponent& c : frame.components) {
        const qint64 across = RoundUp(frame.width * c.h, hMax * kBlockSide) / (hMax * kBlockSide);
        const qint64 down = RoundUp(frame.height * c.v, vMax * kBlockSide) / (vMax * kBlockSide);
        bytes += RoundUp(across, c.h) * RoundUp(down, c.v) * kBlockBytes;
    }
    return bytes;
}

// Scans up to the end of the image, or until `enough`. NextMarker skips the entropy-coded
// data, where 0xFF is always followed by a stuffed zero or a restart marker.
qint64 CountScans(QIODevice& file, qint64 enough) {
    qint64 scans = 1;
    while (scans < enough) {
        const std::optional<uchar> marker = NextMarker(file);
        if (!marker || *marker == kEndOfImage) break;
        if (IsStandalone(*marker)) continue;
        if (!ReadSegment(file)) break;
        if (*marker == kStartOfScan) ++scans;
    }
    return scans;
}

// The frame header and whether its first scan holds every component. The segments are
// walked in file order up to the first scan, as libjpeg reads them; the scans of a file
// that libjpeg reads whole before its first row are counted too.
Result<JpegFrame> ScanJpegFrame(QIODevice& file) {
    if (!file.seek(0)) return HeaderDamaged();
    std::optional<JpegFrame> frame;
    while (const std::optional<uchar> marker = NextMarker(file)) {
        if (IsStandalone(*marker)) continue;
        const std::optional<QByteArray> body = ReadSegment(file);
        if (!body) return HeaderDamaged();
        if (*marker == kStartOfScan) {
            if (!frame || body->isEmpty()) return HeaderDamaged();
            frame->multiScan = std::size_t(uchar(body->at(0))) < frame->components.size();
            if (frame->progressive || frame->multiScan) {
                const qint64 blocks =
                    std::max<qint64>(1, WholePictureCoefficientBytes(*frame) / kBlockBytes);
                frame->scans = CountScans(file, WorkBound() / blocks + 1);
            }
            return *frame;
        }
        if (IsFrameMarker(*marker)) {
            Result<JpegFrame> parsed = ParseFrame(*marker, *body);
            if (!parsed) return parsed.error();
            frame = std::move(parsed).value();
        }
    }
    return HeaderDamaged();
}

// A progressive or multi-scan frame makes libjpeg read the whole file into a buffer for the
// whole picture before its first row: a clip rect saves nothing, so such a picture is held to
// the bounds on memory and work.
Result<MemoryLease> FitsLimits(const JpegFrame& frame) {
    if (!frame.progressive && !frame.multiScan) return MemoryLease(0);
    const qint64 bytes = WholePictureCoefficientBytes(frame);
    Result<MemoryLease> lease = ReserveMemory(bytes);
    if (!lease) return lease;
    if (const Status work = CheckWork(bytes / kBlockBytes * frame.scans); !work)
        return work.error();
    return lease;
}

}  // namespace

Result<QSize> ReadJpegSize(QFile& file) {
    QImageReader reader(&file, "jpeg");
    ConfigureQtReader(reader);
    const QSize size = reader.size();
    if (size.isEmpty()) return Error{ErrorKind::kDamaged, reasons::kJpegHeaderDamaged};
    return size;
}

Result<MemoryLease> ReserveJpegDecoding(QFile& file) {
    const Result<JpegFrame> frame = ScanJpegFrame(file);
    if (!file.seek(0))
        return Error{ErrorKind::kCannotRead, reasons::kCannotOpenFile.arg(file.errorString())};
    if (!frame) return frame.error();
    return FitsLimits(*frame);
}

// Qt's JPEG reader decodes rows from the top until the clip rect's bottom and stops there.
Result<QImage> ReadJpegRegion(QFile& file, QRect region) {
    const Result<JpegFrame> frame = ScanJpegFrame(file);
    if (!file.seek(0))
        return Error{ErrorKind::kCannotRead, reasons::kCannotOpenFile.arg(file.errorString())};
    QImageReader reader(&file, "jpeg");
    ConfigureQtReader(reader);
    const QSize size = reader.size();
    if (size.isEmpty()) return HeaderDamaged();
    if (!frame) return frame.error();
    const Result<MemoryLease> lease = FitsLimits(*frame);
    if (!lease) return lease.error();

    const QRect clip = region & QRect(QPoint(0, 0), size);
    if (clip.isEmpty()) return Error{ErrorKind::kDamaged, reasons::kEmptyRegion};
    reader.setClipRect(clip);
    const QImage image = reader.read();
    if (image.isNull()) return Error{ErrorKind::kDamaged, reasons::kJpegDataDamaged};
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace glyph
