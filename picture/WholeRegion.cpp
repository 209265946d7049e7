#include "picture/WholeRegion.h"

#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <limits>
#include <mutex>
#include <new>
#include <vector>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "picture/QtReader.h"
#include "picture/Transparency.h"

namespace glyph {

namespace {

// What a pixel takes at least once decoded (some formats report 8 bits a
// pixel and are drawn in 32), and once laid over white.
constexpr qint64 kBytesPerPixel = 4;

// Qt's own limit (128 MB) would refuse what the memory bound allows; it is
// the same for every reader, so it is set once.
void AllowTheMemoryBound() {
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(int(MemoryBound() / kMegabyte)); });
}

// A GIF's frames are drawn on its logical screen, which may be larger than
// the first frame that Qt reports as the size, and Qt allocates all of it.
// Read before the reader moves on.
QSize LogicalScreen(QIODevice& device, const QByteArray& format) {
    constexpr int kScreenAt = 6;
    const QByteArray head = device.peek(kScreenAt + 4);
    if (format != "gif" || head.size() < kScreenAt + 4) return {};
    const auto* screen = reinterpret_cast<const uchar*>(head.constData() + kScreenAt);
    return {qFromLittleEndian<quint16>(screen), qFromLittleEndian<quint16>(screen + 2)};
}

}  // namespace

Result<QSize> ReadWholeSize(QFile& file, const QByteArray& format) {
    QImageReader reader(&file, format);
    ConfigureQtReader(reader);
    const QSize size = reader.size();
    if (size.isEmpty()) return Error{ErrorKind::kDamaged, reasons::kPictureDamaged};
    return size;
}

namespace {

// The picture as Qt decodes it, with the memory it takes still held.
struct Decoded {
    QImage image;
    QRect clip;  // the region, in the decoded image's pixels
    MemoryLease lease;
};

// The bytes a pixel takes in the format the reader will decode to, known
// from the header before any pixel is read: a 16-bit TIFF takes 8.
qint64 DecodedBytesPerPixel(const QImageReader& reader) {
    const QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_Invalid) return 2 * kBytesPerPixel;
    const qint64 bits = QImage::toPixelFormat(format).bitsPerPixel();
    return std::max(kBytesPerPixel, (bits + 7) / 8);
}

// `copied`: the region is also copied out of the picture, laid over white.
Result<Decoded> DecodeRegion(QFile& file, const QByteArray& format, QRect region, bool copied) {
    AllowTheMemoryBound();
    const QSize screen = LogicalScreen(file, format);
    QImageReader reader(&file, format);
    ConfigureQtReader(reader);
    const QSize size = reader.size();
    if (size.isEmpty()) return Error{ErrorKind::kDamaged, reasons::kPictureDamaged};
    const QRect clip = region & QRect(QPoint(0, 0), size);
    if (clip.isEmpty() || region.topLeft() != clip.topLeft())
        return Error{ErrorKind::kDamaged, reasons::kEmptyRegion};
    const QSize decoded = size.expandedTo(screen);
    // The decoded picture, and a row of it converted at a time.
    const qint64 rowBytes = qint64(decoded.width()) * kBytesPerPixel;
    const qint64 outputBytes = copied ? qint64(clip.width()) * clip.height() * kBytesPerPixel : 0;
    Result<MemoryLease> lease =
        ReserveMemory(qint64(decoded.width()) * decoded.height() * DecodedBytesPerPixel(reader) +
                      2 * rowBytes + outputBytes);
    if (!lease) return lease.error();
    const bool clips = reader.supportsOption(QImageIOHandler::ClipRect);
    if (clips) reader.setClipRect(clip);
    QImage image = reader.read();
    if (image.isNull()) {
        // A sound picture that the memory left cannot hold is not damaged.
        const QImage room(decoded, QImage::Format_ARGB32);
        if (room.isNull()) return Error{ErrorKind::kOutOfMemory, reasons::kNoMemoryForRegion};
        return Error{ErrorKind::kDamaged, reasons::kPictureDamaged};
    }
    const QRect inImage = image.size() == clip.size() ? QRect(QPoint(0, 0), clip.size()) : clip;
    if (!image.rect().contains(inImage))
        return Error{ErrorKind::kDamaged, reasons::kPictureDamaged};
    return Decoded{std::move(image), inImage, std::move(lease).value()};
}

}  // namespace

Result<QImage> ReadWholeRegion(QFile& file, const QByteArray& format, QRect region) {
    const Result<Decoded> decoded = DecodeRegion(file, format, region, true);
    if (!decoded) return decoded.error();
    const QRect clip = decoded->clip;
    QImage out(clip.size(), QImage::Format_RGB32);
    if (out.isNull()) return Error{ErrorKind::kOutOfMemory, reasons::kNoMemoryForRegion};
    for (int y = 0; y < clip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        if (const Status laid =
                RowOverWhite(decoded->image, clip.y() + y, clip.x(), clip.width(), line);
            !laid)
            return laid.error();
    }
    return out;
}

Status DecodeWholeRows(QFile& file, const QByteArray& format, int lastRow, const RowSink& sink) {
    constexpr int kEveryColumn = std::numeric_limits<int>::max();
    const Result<Decoded> decoded =
        DecodeRegion(file, format, QRect(0, 0, kEveryColumn, lastRow + 1), false);
    if (!decoded) return decoded.error();
    const QRect clip = decoded->clip;
    std::vector<QRgb> row;
    try {
        row.resize(std::size_t(clip.width()));
    } catch (const std::bad_alloc&) {
        return Error{ErrorKind::kOutOfMemory, reasons::kNoMemoryForRegion};
    }
    for (int y = 0; y < clip.height(); ++y) {
        if (const Status laid =
                RowOverWhite(decoded->image, clip.y() + y, clip.x(), clip.width(), row.data());
            !laid)
            return laid.error();
        sink(y, row.data());
    }
    return Done{};
}

}  // namespace glyph
