#include "workspace/WholeRegion.h"

#include <QImageReader>
#include <QtEndian>

#include <limits>
#include <mutex>

#include "workspace/Limits.h"
#include "workspace/QtReader.h"
#include "workspace/Reasons.h"
#include "workspace/Transparency.h"

namespace glyph {

namespace {

constexpr qint64 kBytesPerPixel = 4;  // what Qt decodes these formats to

struct Signature {
    QByteArray start;
    qsizetype at;  // where `start` stands in the file
    QByteArray format;
};
const Signature kSignatures[] = {
    {QByteArrayLiteral("GIF87a"), 0, QByteArrayLiteral("gif")},
    {QByteArrayLiteral("GIF89a"), 0, QByteArrayLiteral("gif")},
    {QByteArrayLiteral("WEBP"), 8, QByteArrayLiteral("webp")},  // after "RIFF" and a length
    {QByteArrayLiteral("II*\0"), 0, QByteArrayLiteral("tiff")},
    {QByteArrayLiteral("MM\0*"), 0, QByteArrayLiteral("tiff")},
};

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

QByteArray WholePictureFormat(const QByteArray& head) {
    for (const Signature& s : kSignatures) {
        if (head.mid(s.at, s.start.size()) == s.start && (s.at == 0 || head.startsWith("RIFF"))) {
            return s.format;
        }
    }
    return {};
}

Result<QSize> ReadWholeSize(QFile& file, const QByteArray& format) {
    QImageReader reader(&file, format);
    ConfigureQtReader(reader);
    const QSize size = reader.size();
    if (size.isEmpty()) return Error{reasons::kPictureDamaged};
    return size;
}

namespace {

// The region as Qt decodes it, with the memory it took still held.
struct Decoded {
    QImage image;
    MemoryLease lease;
};

Result<Decoded> DecodeRegion(QFile& file, const QByteArray& format, QRect region) {
    AllowTheMemoryBound();
    const QSize screen = LogicalScreen(file, format);
    QImageReader reader(&file, format);
    ConfigureQtReader(reader);
    const QSize size = reader.size();
    if (size.isEmpty()) return Error{reasons::kPictureDamaged};
    const QRect clip = region & QRect(QPoint(0, 0), size);
    if (clip.isEmpty() || region.topLeft() != clip.topLeft()) return Error{reasons::kEmptyRegion};
    const QSize decoded = size.expandedTo(screen);
    Result<MemoryLease> lease =
        ReserveMemory(qint64(decoded.width()) * decoded.height() * kBytesPerPixel);
    if (!lease) return lease.error();
    if (reader.supportsOption(QImageIOHandler::ClipRect)) reader.setClipRect(clip);
    QImage image = reader.read();
    if (image.isNull()) return Error{reasons::kPictureDamaged};
    if (image.size() != clip.size()) image = image.copy(clip);
    return Decoded{OverWhite(image), std::move(lease).value()};
}

}  // namespace

Result<QImage> ReadWholeRegion(QFile& file, const QByteArray& format, QRect region) {
    Result<Decoded> decoded = DecodeRegion(file, format, region);
    if (!decoded) return decoded.error();
    return decoded->image;
}

Status DecodeWholeRows(QFile& file, const QByteArray& format, int lastRow, const RowSink& sink) {
    constexpr int kEveryColumn = std::numeric_limits<int>::max();
    const Result<Decoded> decoded =
        DecodeRegion(file, format, QRect(0, 0, kEveryColumn, lastRow + 1));
    if (!decoded) return decoded.error();
    const QImage& image = decoded->image;
    for (int y = 0; y < image.height(); ++y)
        sink(y, reinterpret_cast<const QRgb*>(image.constScanLine(y)));
    return Done{};
}

}  // namespace glyph
