// Reading one region of a BMP file without reading the rest.
//
// What damage does:
// - Header damage is refused with a reason: a wrong signature, an unknown header size, a zero
//   or negative width, a zero height, an unsupported bit depth or compression, bit-field masks
//   that are not contiguous or lie outside the pixel, a pixel data offset that points into the
//   headers, a file that ends inside the headers (bit-field masks included).
// - Palette and pixel data damage is shown: every pixel the file does not hold is
//   kMissingPixelColour. That covers pixel data cut short or missing, rows beyond the end of the
//   file, a palette shorter than its indexes (or cut off by the pixel data or the file's end),
//   RLE streams that stop early, skip pixels, or run past a row or past the last row.
// Sizes are taken as the header states them, however large: only the region's rows are read,
// and a row beyond the end of the file is simply missing.

#include "picture/BmpRegion.h"

#include "basics/Reasons.h"
#include "picture/PictureFormats.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <utility>
#include <vector>

namespace glyph {
namespace {

constexpr qint64 kFileHeaderSize = 14;
constexpr int kPixelOffsetField = 10;
constexpr int kHeaderSizeField = 14;
constexpr qint64 kFileAndHeaderSizeLength = kFileHeaderSize + 4;

constexpr quint32 kCoreHeaderSize = 12;    // OS/2 1.x
constexpr quint32 kInfoHeaderSize = 40;    // Windows 3
constexpr quint32 kInfoV2HeaderSize = 52;  // adds the RGB masks
constexpr quint32 kInfoV3HeaderSize = 56;  // adds the alpha mask
constexpr quint32 kOs2V2HeaderSize = 64;
constexpr quint32 kV4HeaderSize = 108;
constexpr quint32 kV5HeaderSize = 124;

// Field offsets inside the headers.
constexpr int kCoreWidth = 4;
constexpr int kCoreHeight = 6;
constexpr int kCoreBitsPerPixel = 10;
constexpr int kInfoWidth = 4;
constexpr int kInfoHeight = 8;
constexpr int kInfoBitsPerPixel = 14;
constexpr int kInfoCompression = 16;
constexpr int kInfoColoursUsed = 32;
constexpr int kInfoMasks = 40;

constexpr qint64 kRgbMasksLength = 12;
constexpr qint64 kRgbaMasksLength = 16;
constexpr qint64 kCorePaletteEntry = 3;  // B, G, R
constexpr qint64 kInfoPaletteEntry = 4;  // B, G, R, unused
constexpr int kMaxPaletteBits = 8;

enum Compression : quint32 {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitfields = 3,
    kAlphaBitfields = 6,
};

// RLE escape codes, following a zero count.
constexpr uchar kEndOfLine = 0;
constexpr uchar kEndOfBitmap = 1;
constexpr uchar kDelta = 2;
constexpr int kMaxAbsoluteBytes = 256;  // 255 pixels of 8 bits, padded to 16 bits

constexpr qint64 kStreamChunk = 64 * 1024;

// A colour channel of a 16- or 32-bit pixel.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    quint32 max = 0;  // mask >> shift
};

struct BmpLayout {
    quint32 headerSize = 0;
    qint64 width = 0;
    qint64 height = 0;  // as a count of rows, whatever the order
    bool topDown = false;
    int bitsPerPixel = 0;
    quint32 compression = kRgb;
    quint32 coloursUsed = 0;
    qint64 pixelOffset = 0;
    std::array<Channel, 3> channels;  // red, green, blue
    QList<QRgb> palette;
};

quint16 U16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 U32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

qint32 I32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

// Up to `length` bytes from `pos`; fewer, or none, past the end of the file.
QByteArray ReadAt(QIODevice& device, qint64 pos, qint64 length) {
    if (pos < 0 || pos >= device.size() || !device.seek(pos)) return {};
    return device.read(length);
}

bool IsKnownHeaderSize(quint32 size) {
    switch (size) {
        case kCoreHeaderSize:
        case kInfoHeaderSize:
        case kInfoV2HeaderSize:
        case kInfoV3HeaderSize:
        case kOs2V2HeaderSize:
        case kV4HeaderSize:
        case kV5HeaderSize:
            return true;
        default:
            return false;
    }
}

void ReadCoreFields(const QByteArray& header, BmpLayout& bmp) {
    bmp.width = U16(header, kCoreWidth);
    bmp.height = U16(header, kCoreHeight);
    bmp.bitsPerPixel = U16(header, kCoreBitsPerPixel);
}

void ReadInfoFields(const QByteArray& header, BmpLayout& bmp) {
    bmp.width = I32(header, kInfoWidth);
    const qint64 height = I32(header, kInfoHeight);
    bmp.topDown = height < 0;
    bmp.height = bmp.topDown ? -height : height;
    bmp.bitsPerPixel = U16(header, kInfoBitsPerPixel);
    bmp.compression = U32(header, kInfoCompression);
    bmp.coloursUsed = U32(header, kInfoColoursUsed);
}

Status CheckSize(const BmpLayout& bmp) {
    constexpr qint64 kMaxSide = std::numeric_limits<int>::max();
    if (bmp.width <= 0 || bmp.height <= 0) return Error{ErrorKind::kDamaged, reasons::kBmpBadSize};
    if (bmp.height > kMaxSide) return Error{ErrorKind::kDamaged, reasons::kBmpHeightOutOfRange};
    return Done{};
}

bool IsSupportedCoding(const BmpLayout& bmp) {
    const int bits = bmp.bitsPerPixel;
    switch (bmp.compression) {
        case kRgb:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kRle8:
            return bits == 8;
        case kRle4:
            return bits == 4;
        case kBitfields:
        case kAlphaBitfields:
            // OS/2 gives these two codes other meanings.
            return bmp.headerSize != kOs2V2HeaderSize && (bits == 16 || bits == 32);
        default:
            return false;
    }
}

Result<Channel> MakeChannel(quint32 mask, int bitsPerPixel) {
    const Error bad{ErrorKind::kDamaged, reasons::kBmpBadMasks};
    if (mask == 0) return Channel{};  // a channel without bits reads as 0
    if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0) return bad;
    const int shift = std::countr_zero(mask);
    const quint32 bits = mask >> shift;
    if ((bits & (bits + 1)) != 0) return bad;  // a gap between set bits
    return Channel{mask, shift, bits};
}

// The masks live inside headers of 52 bytes or more, and right after a 40-byte header.
Status ReadMasks(QIODevice& device, const QByteArray& header, qint64& headersEnd, BmpLayout& bmp) {
    if (bmp.bitsPerPixel != 16 && bmp.bitsPerPixel != 32) return Done{};
    std::array<quint32, 3> masks{0x7C00, 0x03E0, 0x001F};  // 16 bits: 5-5-5
    if (bmp.bitsPerPixel == 32) masks = {0xFF0000, 0x00FF00, 0x0000FF};
    if (bmp.compression == kBitfields || bmp.compression == kAlphaBitfields) {
        QByteArray bytes = header.mid(kInfoMasks, kRgbMasksLength);
        if (bmp.headerSize == kInfoHeaderSize) {
            const qint64 length =
                bmp.compression == kAlphaBitfields ? kRgbaMasksLength : kRgbMasksLength;
            bytes = ReadAt(device, headersEnd, length);
            if (bytes.size() < length) return Error{ErrorKind::kDamaged, reasons::kBmpCutShort};
            headersEnd += length;
        }
        for (int i = 0; i < 3; ++i) masks[i] = U32(bytes, i * 4);
    }
    for (int i = 0; i < 3; ++i) {
        const Result<Channel> channel = MakeChannel(masks[i], bmp.bitsPerPixel);
        if (!channel) return channel.error();
        bmp.channels[i] = *channel;
    }
    return Done{};
}

// The palette ends where the pixel data starts, or where the file does.
void ReadPalette(QIODevice& device, qint64 start, BmpLayout& bmp) {
    if (bmp.bitsPerPixel > kMaxPaletteBits) return;
    const qint64 entry = bmp.headerSize == kCoreHeaderSize ? kCorePaletteEntry : kInfoPaletteEntry;
    const qint64 full = qint64(1) << bmp.bitsPerPixel;
    const qint64 declared = bmp.coloursUsed == 0 ? full : std::min<qint64>(bmp.coloursUsed, full);
    const qint64 room = (bmp.pixelOffset - start) / entry;
    const QByteArray bytes = ReadAt(device, start, std::min(declared, room) * entry);
    for (qsizetype at = 0; at + entry <= bytes.size(); at += entry) {
        const auto* bgr = reinterpret_cast<const uchar*>(bytes.constData() + at);
        bmp.palette.append(qRgb(bgr[2], bgr[1], bgr[0]));
    }
}

Result<BmpLayout> ReadLayout(QIODevice& device) {
    const QByteArray start = ReadAt(device, 0, kFileAndHeaderSizeLength);
    if (!IsPictureOf(start, "bmp")) return Error{ErrorKind::kDamaged, reasons::kBmpNotBmp};
    if (start.size() < kFileAndHeaderSizeLength)
        return Error{ErrorKind::kDamaged, reasons::kBmpCutShort};
    BmpLayout bmp;
    bmp.headerSize = U32(start, kHeaderSizeField);
    bmp.pixelOffset = U32(start, kPixelOffsetField);
    if (!IsKnownHeaderSize(bmp.headerSize))
        return Error{ErrorKind::kDamaged, reasons::kBmpHeaderSize.arg(bmp.headerSize)};

    const QByteArray header = ReadAt(device, kFileHeaderSize, bmp.headerSize);
    if (header.size() < qsizetype(bmp.headerSize))
        return Error{ErrorKind::kDamaged, reasons::kBmpCutShort};
    if (bmp.headerSize == kCoreHeaderSize)
        ReadCoreFields(header, bmp);
    else
        ReadInfoFields(header, bmp);
    if (Status size = CheckSize(bmp); !size) return size.error();
    if (!IsSupportedCoding(bmp))
        return Error{ErrorKind::kDamaged,
                     reasons::kBmpFormat.arg(bmp.bitsPerPixel).arg(bmp.compression)};

    qint64 headersEnd = kFileHeaderSize + bmp.headerSize;
    if (Status masks = ReadMasks(device, header, headersEnd, bmp); !masks) return masks.error();
    if (bmp.pixelOffset < headersEnd) return Error{ErrorKind::kDamaged, reasons::kBmpDataOffset};
    ReadPalette(device, headersEnd, bmp);
    return bmp;
}

QRgb PaletteColour(const BmpLayout& bmp, int index) {
    return index < bmp.palette.size() ? bmp.palette[index] : kMissingPixelColour;
}

// Pixel `x` of packed palette indexes, first pixel in the high bits.
QRgb IndexedPixel(const BmpLayout& bmp, const uchar* row, qint64 x) {
    const int bits = bmp.bitsPerPixel;
    const qint64 bit = x * bits;
    const int shift = 8 - bits - int(bit % 8);
    return PaletteColour(bmp, (row[bit / 8] >> shift) & ((1 << bits) - 1));
}

// Scaled to 0..255, so that a full channel of any width is white.
int Level(quint32 value, const Channel& channel) {
    if (channel.max == 0) return 0;
    const quint64 level = (value & channel.mask) >> channel.shift;
    return int((level * 255 + channel.max / 2) / channel.max);
}

QRgb MaskedPixel(const BmpLayout& bmp, quint32 value) {
    const auto& [red, green, blue] = bmp.channels;
    return qRgb(Level(value, red), Level(value, green), Level(value, blue));
}

QRgb PixelAt(const BmpLayout& bmp, const uchar* row, qint64 x) {
    switch (bmp.bitsPerPixel) {
        case 16:
            return MaskedPixel(bmp, qFromLittleEndian<quint16>(row + 2 * x));
        case 24:
            return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        case 32:
            return MaskedPixel(bmp, qFromLittleEndian<quint32>(row + 4 * x));
        default:
            return IndexedPixel(bmp, row, x);
    }
}

// Only the pixels whose bytes were read; the rest keeps the fill. The bytes
// start `skip` pixels before the region's first column.
void PutRow(const BmpLayout& bmp, const QByteArray& bytes, qint64 skip, QRgb* line, int width) {
    const qint64 held = std::min<qint64>(width, bytes.size() * 8 / bmp.bitsPerPixel - skip);
    const auto* row = reinterpret_cast<const uchar*>(bytes.constData());
    for (qint64 x = 0; x < held; ++x) line[x] = PixelAt(bmp, row, skip + x);
}

// Reads each of the region's rows from the byte holding its first pixel.
void DecodeRows(QIODevice& device, const BmpLayout& bmp, QPoint origin, QImage& image) {
    const qint64 stride = (bmp.width * bmp.bitsPerPixel + 31) / 32 * 4;
    const qint64 firstBit = qint64(origin.x()) * bmp.bitsPerPixel;
    const qint64 skip = firstBit % 8 / bmp.bitsPerPixel;  // pixels sharing the first byte
    const qint64 rowBytes = ((skip + image.width()) * bmp.bitsPerPixel + 7) / 8;
    const qint64 lastRowInFile = (device.size() - bmp.pixelOffset) / stride;
    for (int y = 0; y < image.height(); ++y) {
        // Bottom-up files keep the top row last: seek to it.
        const qint64 row = qint64(origin.y()) + y;
        const qint64 fileRow = bmp.topDown ? row : bmp.height - 1 - row;
        if (fileRow > lastRowInFile) continue;  // also keeps the offset from overflowing
        const qint64 at = bmp.pixelOffset + fileRow * stride + firstBit / 8;
        const QByteArray bytes = ReadAt(device, at, rowBytes);
        PutRow(bmp, bytes, skip, reinterpret_cast<QRgb*>(image.scanLine(y)), image.width());
    }
}

// Reads an RLE stream forwards in chunks, so that a long stream costs little memory.
class ByteStream {
  public:
    ByteStream(QIODevice& device, qint64 start)
        : device_(device),
          buffer_(kStreamChunk),
          open_(start < device.size() && device.seek(start)) {}

    bool Next(uchar& byte) {
        if (at_ == size_ && !Refill()) return false;
        byte = uchar(buffer_[at_++]);
        return true;
    }

    // Up to `count` bytes; fewer at the end of the file.
    qint64 Read(uchar* out, qint64 count) {
        qint64 done = 0;
        while (done < count && Next(out[done])) ++done;
        return done;
    }

    bool Skip(qint64 count) {
        while (count > 0) {
            if (at_ == size_ && !Refill()) return false;
            const qint64 step = std::min(count, size_ - at_);
            at_ += step;
            count -= step;
        }
        return true;
    }

  private:
    bool Refill() {
        if (!open_) return false;
        size_ = std::max<qint64>(0, device_.read(buffer_.data(), kStreamChunk));
        at_ = 0;
        open_ = size_ > 0;
        return open_;
    }

    QIODevice& device_;
    std::vector<char> buffer_;
    qint64 size_ = 0;
    qint64 at_ = 0;
    bool open_ = false;
};

// Where an RLE stream has got to, counting rows in stream order.
struct RleCursor {
    const BmpLayout& bmp;
    QPoint origin;  // the region's top-left pixel in the picture
    QImage& image;
    qint64 x = 0;
    qint64 row = 0;

    // The region's line for the current row, or null outside the region.
    QRgb* Line() {
        const qint64 y = (bmp.topDown ? row : bmp.height - 1 - row) - origin.y();
        if (y < 0 || y >= image.height()) return nullptr;
        return reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    }

    // The picture's columns first..end that fall in the region, as region columns.
    std::pair<qint64, qint64> Span(qint64 first, qint64 end) const {
        return {std::max<qint64>(first, origin.x()) - origin.x(),
                std::min<qint64>(end, qint64(origin.x()) + image.width()) - origin.x()};
    }

    bool Done() const {
        return row >= bmp.height || (bmp.topDown && row >= origin.y() + image.height());
    }
};

// An encoded run repeats one index (RLE8) or alternates two nibbles (RLE4).
void PutRun(RleCursor& at, int count, uchar value) {
    if (QRgb* line = at.Line()) {
        const auto [begin, end] = at.Span(at.x, at.x + count);
        const int period = at.bmp.bitsPerPixel == 4 ? 2 : 1;
        for (qint64 x = begin; x < end; ++x)
            line[x] = IndexedPixel(at.bmp, &value, (at.origin.x() + x - at.x) % period);
    }
    at.x += count;
}

// An absolute block holds `count` indexes as they are, padded to 16 bits.
bool PutAbsolute(ByteStream& in, RleCursor& at, int count) {
    const qint64 bytes = (qint64(count) * at.bmp.bitsPerPixel + 7) / 8;
    const qint64 padded = bytes + (bytes & 1);
    QRgb* line = at.Line();
    if (!line) {
        at.x += count;
        return in.Skip(padded);
    }
    std::array<uchar, kMaxAbsoluteBytes> data{};
    const qint64 got = in.Read(data.data(), padded);
    const qint64 held = std::min<qint64>(count, got * 8 / at.bmp.bitsPerPixel);
    const auto [begin, end] = at.Span(at.x, at.x + held);
    for (qint64 x = begin; x < end; ++x)
        line[x] = IndexedPixel(at.bmp, data.data(), at.origin.x() + x - at.x);
    at.x += count;
    return got == padded;
}

bool ApplyEscape(ByteStream& in, RleCursor& at, uchar code) {
    switch (code) {
        case kEndOfLine:
            at.x = 0;
            ++at.row;
            return true;
        case kDelta: {
            uchar dx = 0;
            uchar dy = 0;
            if (!in.Next(dx) || !in.Next(dy)) return false;
            at.x += dx;
            at.row += dy;
            return true;
        }
        default:
            return PutAbsolute(in, at, code);
    }
}

// The stream is read from its start; for a top-down picture it stops below the region.
void DecodeRle(QIODevice& device, const BmpLayout& bmp, QPoint origin, QImage& image) {
    ByteStream in(device, bmp.pixelOffset);
    RleCursor at{bmp, origin, image};
    uchar count = 0;
    uchar code = 0;
    while (!at.Done() && in.Next(count) && in.Next(code)) {
        if (count > 0) {
            PutRun(at, count, code);
        } else if (code == kEndOfBitmap || !ApplyEscape(in, at, code)) {
            return;
        }
    }
}

}  // namespace

Result<QSize> ReadBmpSize(QIODevice& device) {
    const Result<BmpLayout> bmp = ReadLayout(device);
    if (!bmp) return bmp.error();
    return QSize(int(bmp->width), int(bmp->height));
}

Result<QImage> ReadBmpRegion(QIODevice& device, QRect region) {
    const Result<BmpLayout> read = ReadLayout(device);
    if (!read) return read.error();
    const BmpLayout& bmp = *read;
    const QPoint origin = region.topLeft();
    const int width = int(std::min<qint64>(bmp.width - origin.x(), region.width()));
    const int height = int(std::min<qint64>(bmp.height - origin.y(), region.height()));
    if (origin.x() < 0 || origin.y() < 0 || width <= 0 || height <= 0)
        return Error{ErrorKind::kDamaged, reasons::kEmptyRegion};

    // Filled first: no pixel the file lacks may show stale memory.
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return Error{ErrorKind::kOutOfMemory, reasons::kNoMemoryForRegion};
    image.fill(kMissingPixelColour);
    if (bmp.compression == kRle8 || bmp.compression == kRle4)
        DecodeRle(device, bmp, origin, image);
    else
        DecodeRows(device, bmp, origin, image);
    return image;
}

}  // namespace glyph
