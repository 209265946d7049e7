#include "picture/Orientation.h"

#include "picture/JpegMarkers.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace glyph {
namespace {

// EXIF sits near a file's start; a hostile file is read no further than this.
constexpr qint64 kHeadBound = 256 * 1024;

// The first segment's 0xFF follows the start-of-image marker.
constexpr qint64 kFirstJpegSegmentAt = 2;
constexpr qint64 kPngSignatureSize = 8;
// A JPEG's APP1 segment starts so; some PNG and WebP writers keep it too.
constexpr QByteArrayView kExifPrefix("Exif\0\0", 6);

// TIFF structure: header (byte order, 42, first IFD's offset), then IFDs of 12-byte entries
// (tag, type, count, value or offset).
constexpr quint16 kTiffMagic = 42;
constexpr qint64 kTiffHeaderSize = 8;
constexpr qint64 kIfdOffsetAt = 4;
constexpr qint64 kIfdCountSize = 2;
constexpr qint64 kIfdEntrySize = 12;
constexpr qint64 kEntryTypeAt = 2;
constexpr qint64 kEntryCountAt = 4;
constexpr qint64 kEntryValueAt = 8;
constexpr quint16 kOrientationTag = 0x0112;
constexpr quint16 kShortType = 3;

using namespace jpeg;

constexpr uchar kApp1 = 0xE1;
constexpr qint64 kSegmentLengthSize = 2;

// PNG chunks: length, type, data, CRC.
constexpr qint64 kPngChunkHeaderSize = 8;
constexpr qint64 kPngCrcSize = 4;
constexpr quint32 kMaxPngChunkLength = 0x7FFFFFFF;
// Stepping over a chunk costs a seek: a file of a few million empty chunks would otherwise
// keep the walk busy. libpng writes its rows in 8 KiB chunks, so this covers 2 GiB of pixels.
constexpr int kMostPngChunks = 1 << 18;
// Larger than any EXIF block a camera writes; a longer eXIf is passed over unread.
constexpr quint32 kMostPngExifBytes = 1024 * 1024;
constexpr QByteArrayView kPngExif("eXIf", 4);
constexpr QByteArrayView kPngEnd("IEND", 4);

// RIFF: "RIFF", size of what follows, "WEBP", then chunks of type, size, data padded to even.
constexpr qint64 kRiffSizeAt = 4;
constexpr qint64 kRiffHeaderSize = 12;
constexpr qint64 kRiffChunkHeaderSize = 8;
constexpr QByteArrayView kWebpExif("EXIF", 4);

enum class ByteOrder { kLittle, kBig };

// Up to `length` bytes at `offset` of a TIFF structure; fewer when the data ends first.
using ReadBytes = std::function<QByteArray(qint64 offset, qint64 length)>;

std::optional<QByteArrayView> Slice(QByteArrayView data, qint64 offset, qint64 length) {
    if (offset < 0 || length < 0 || offset > data.size() || length > data.size() - offset)
        return std::nullopt;
    return data.sliced(offset, length);
}

quint16 ShortAt(QByteArrayView bytes, qint64 at, ByteOrder order) {
    const char* p = bytes.data() + at;
    return order == ByteOrder::kLittle ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
}

quint32 LongAt(QByteArrayView bytes, qint64 at, ByteOrder order) {
    const char* p = bytes.data() + at;
    return order == ByteOrder::kLittle ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
}

std::optional<ByteOrder> TiffByteOrder(QByteArrayView header) {
    if (header.size() < kTiffHeaderSize) return std::nullopt;
    ByteOrder order = ByteOrder::kLittle;
    if (header.startsWith("MM")) {
        order = ByteOrder::kBig;
    } else if (!header.startsWith("II")) {
        return std::nullopt;
    }
    if (ShortAt(header, 2, order) != kTiffMagic) return std::nullopt;
    return order;
}

Orientation OrientationOfEntry(QByteArrayView entry, ByteOrder order) {
    const quint16 type = ShortAt(entry, kEntryTypeAt, order);
    const quint32 count = LongAt(entry, kEntryCountAt, order);
    const quint16 value = ShortAt(entry, kEntryValueAt, order);
    if (type != kShortType || count != 1 || value < int(Orientation::kNormal) ||
        value > int(Orientation::kRotated270)) {
        return Orientation::kNormal;
    }
    return Orientation(value);
}

// The tag lives in the first IFD, so the links to further IFDs, which may loop, are never
// followed. The whole IFD must be there: at most 65535 entries, under 768 KiB.
Orientation TiffOrientation(const ReadBytes& read) {
    const QByteArray header = read(0, kTiffHeaderSize);
    const std::optional<ByteOrder> order = TiffByteOrder(header);
    if (!order) return Orientation::kNormal;
    const qint64 ifd = LongAt(header, kIfdOffsetAt, *order);
    if (ifd < kTiffHeaderSize) return Orientation::kNormal;
    const QByteArray count = read(ifd, kIfdCountSize);
    if (count.size() < kIfdCountSize) return Orientation::kNormal;
    const qint64 entriesSize = ShortAt(count, 0, *order) * kIfdEntrySize;
    const QByteArray entries = read(ifd + kIfdCountSize, entriesSize);
    if (entries.size() < entriesSize) return Orientation::kNormal;
    for (qint64 at = 0; at < entriesSize; at += kIfdEntrySize) {
        if (ShortAt(entries, at, *order) == kOrientationTag)
            return OrientationOfEntry(QByteArrayView(entries).sliced(at, kIfdEntrySize), *order);
    }
    return Orientation::kNormal;
}

ReadBytes FromBuffer(QByteArrayView data) {
    return [data](qint64 offset, qint64 length) -> QByteArray {
        if (offset < 0 || length < 0 || offset >= data.size()) return {};
        return data.sliced(offset, std::min(length, data.size() - offset)).toByteArray();
    };
}

// A TIFF file's IFD may follow the pixels, past the head; a sequential device has the head only.
ReadBytes FromDevice(QIODevice& device, QByteArrayView head) {
    if (device.isSequential()) return FromBuffer(head);
    const qint64 start = device.pos();
    return [&device, start](qint64 offset, qint64 length) -> QByteArray {
        const qint64 left = device.size() - start - offset;
        if (offset < 0 || length < 0 || left <= 0 || !device.seek(start + offset)) return {};
        return device.read(std::min(length, left));
    };
}

Orientation ReadExifOrientation(QByteArrayView exif) {
    if (exif.startsWith(kExifPrefix)) exif = exif.sliced(kExifPrefix.size());
    return TiffOrientation(FromBuffer(exif));
}

// The segment whose length field starts at `at`.
std::optional<QByteArrayView> SegmentBody(QByteArrayView head, qint64 at) {
    const std::optional<QByteArrayView> length = Slice(head, at, kSegmentLengthSize);
    if (!length) return std::nullopt;
    return Slice(head, at + kSegmentLengthSize,
                 qFromBigEndian<quint16>(length->data()) - kSegmentLengthSize);
}

// The segments before the first scan, in file order; the first EXIF one counts.
Orientation JpegOrientation(QByteArrayView head) {
    qint64 at = kFirstJpegSegmentAt;
    while (at < head.size() && uchar(head[at]) == kMarkerPrefix) {
        while (at < head.size() && uchar(head[at]) == kMarkerPrefix) ++at;  // fill bytes
        if (at >= head.size()) break;
        const uchar marker = uchar(head[at++]);
        if (marker == kStuffedZero || marker == kStartOfScan || marker == kEndOfImage) break;
        if (IsStandalone(marker)) continue;
        const std::optional<QByteArrayView> body = SegmentBody(head, at);
        if (!body) break;
        if (marker == kApp1 && body->startsWith(kExifPrefix)) return ReadExifOrientation(*body);
        at += kSegmentLengthSize + body->size();
    }
    return Orientation::kNormal;
}

bool PngCrcMatches(QByteArrayView type, QByteArrayView data, QByteArrayView crc) {
    uLong sum = crc32(0, reinterpret_cast<const Bytef*>(type.data()), uInt(type.size()));
    sum = crc32(sum, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
    return quint32(sum) == qFromBigEndian<quint32>(crc.data());
}

// Every chunk up to IEND, stepped over by its length: libpng writes an eXIf given after the
// rows after the pixels, so the pixels are skipped, never read. A damaged eXIf is passed
// over, as libpng passes over a damaged ancillary chunk.
Orientation PngOrientation(const ReadBytes& read) {
    qint64 at = kPngSignatureSize;
    for (int chunk = 0; chunk < kMostPngChunks; ++chunk) {
        const QByteArray header = read(at, kPngChunkHeaderSize);
        if (header.size() < kPngChunkHeaderSize) break;
        const quint32 length = qFromBigEndian<quint32>(header.constData());
        const QByteArrayView type = QByteArrayView(header).sliced(4);
        if (length > kMaxPngChunkLength || type == kPngEnd) break;
        if (type == kPngExif && length <= kMostPngExifBytes) {
            const QByteArray rest = read(at + kPngChunkHeaderSize, length + kPngCrcSize);
            if (rest.size() < qint64(length) + kPngCrcSize) break;
            const QByteArrayView data = QByteArrayView(rest).first(length);
            if (PngCrcMatches(type, data, QByteArrayView(rest).sliced(length)))
                return ReadExifOrientation(data);
        }
        at += kPngChunkHeaderSize + length + kPngCrcSize;
    }
    return Orientation::kNormal;
}

// Every chunk within the RIFF's declared size: EXIF usually follows the pixels.
Orientation WebpOrientation(QByteArrayView head) {
    const qint64 riffEnd = kRiffSizeAt + 4 + qFromLittleEndian<quint32>(head.data() + kRiffSizeAt);
    const QByteArrayView riff = head.first(std::min(riffEnd, qint64(head.size())));
    qint64 at = kRiffHeaderSize;
    while (const std::optional<QByteArrayView> header = Slice(riff, at, kRiffChunkHeaderSize)) {
        const qint64 size = qFromLittleEndian<quint32>(header->data() + 4);
        if (header->first(4) == kWebpExif) {
            const std::optional<QByteArrayView> body = Slice(riff, at + kRiffChunkHeaderSize, size);
            return body ? ReadExifOrientation(*body) : Orientation::kNormal;
        }
        at += kRiffChunkHeaderSize + size + (size & 1);
    }
    return Orientation::kNormal;
}

// Puts the device back where it was, whatever was read.
class PositionKeeper {
  public:
    explicit PositionKeeper(QIODevice& device) : device_(device), position_(device.pos()) {}
    ~PositionKeeper() {
        if (!device_.isSequential() && device_.pos() != position_) device_.seek(position_);
    }
    PositionKeeper(const PositionKeeper&) = delete;
    PositionKeeper& operator=(const PositionKeeper&) = delete;

  private:
    QIODevice& device_;
    qint64 position_;
};

}  // namespace

Orientation ReadJpegOrientation(QIODevice& device) {
    const PositionKeeper keeper(device);
    return JpegOrientation(device.peek(kHeadBound));
}

Orientation ReadPngOrientation(QIODevice& device) {
    const PositionKeeper keeper(device);
    const QByteArray head = device.peek(kHeadBound);
    return PngOrientation(FromDevice(device, head));
}

Orientation ReadWebpOrientation(QIODevice& device) {
    const PositionKeeper keeper(device);
    const QByteArray head = device.peek(kHeadBound);
    if (head.size() < kRiffHeaderSize) return Orientation::kNormal;
    return WebpOrientation(head);
}

Orientation ReadTiffOrientation(QIODevice& device) {
    const PositionKeeper keeper(device);
    const QByteArray head = device.peek(kHeadBound);
    return TiffOrientation(FromDevice(device, head));
}

UprightAxes AxesOf(Orientation o) {
    return {o == Orientation::kMirrored || o == Orientation::kRotated180 ||
                o == Orientation::kTransverse || o == Orientation::kRotated270,
            o == Orientation::kRotated180 || o == Orientation::kFlipped ||
                o == Orientation::kRotated90 || o == Orientation::kTransverse,
            int(o) >= int(Orientation::kTransposed)};
}

QSize UprightSize(QSize stored, Orientation orientation) {
    return AxesOf(orientation).swapsSides ? stored.transposed() : stored;
}

}  // namespace glyph
