#include "picture/PngRegion.h"

#include <png.h>

#include <csetjmp>
#include <memory>
#include <vector>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "picture/Transparency.h"

namespace glyph {

namespace {

constexpr int kBytesPerPixel = 4;  // RGBA, 8 bits each, after the transforms below
constexpr int kLibpngRows = 2;     // the row being decoded and the one above it
// libpng's own default is a million pixels a side; the format allows 2^31 - 1.
constexpr png_uint_32 kMaxSide = 0x7FFFFFFF;
// What any one chunk may make libpng allocate: a chunk's length is only a claim.
constexpr png_alloc_size_t kMostChunkBytes = 1024 * 1024;

void ReadFromDevice(png_structp png, png_bytep data, png_size_t length) {
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (device->read(reinterpret_cast<char*>(data), qint64(length)) != qint64(length)) {
        png_error(png, "cut short");
    }
}

// Warnings (a bad CRC in an ancillary chunk and the like) change nothing.
void IgnoreWarning(png_structp, png_const_charp) {}
[[noreturn]] void Jump(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// One libpng reader, destroyed on every way out.
class PngReader {
  public:
    explicit PngReader(QIODevice& device) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Jump, IgnoreWarning);
        if (png_ == nullptr) return;
        info_ = png_create_info_struct(png_);
        png_set_read_fn(png_, &device, ReadFromDevice);
        png_set_user_limits(png_, kMaxSide, kMaxSide);
        png_set_chunk_malloc_max(png_, kMostChunkBytes);
        // No pixel depends on the ancillary chunks but tRNS, which libpng keeps: the rest are
        // skipped by their length, not read into memory first (libpng takes an eXIf chunk's
        // length on trust). The orientation is read apart.
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
        // A bad CRC in a critical chunk is damage; in an ancillary one, nothing.
        png_set_crc_action(png_, PNG_CRC_DEFAULT, PNG_CRC_QUIET_USE);
    }
    ~PngReader() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    bool ok() const { return png_ != nullptr && info_ != nullptr; }
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

  private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Whatever the file holds comes out as 8-bit RGBA rows. Gives the number of
// passes over the rows: 7 for an interlaced file, else 1.
int ExpandToRgba(png_structp png, png_infop info) {
    const int passes = png_set_interlace_handling(png);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if (!(png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) &&
        !png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    }
    return passes;
}

// Sets the transforms: the number of passes, or 0 when libpng refuses them.
int PrepareRows(const PngReader& reader) {
    if (setjmp(png_jmpbuf(reader.png()))) return 0;
    const int passes = ExpandToRgba(reader.png(), reader.info());
    png_read_update_info(reader.png(), reader.info());
    return passes;
}

// Where decoding has got to; kept outside the function that may jump.
struct Progress {
    QRect clip;
    QImage image;                             // the region, filled until rows arrive
    std::vector<png_byte> scratch;            // the row being read
    std::vector<std::vector<png_byte>> rows;  // interlaced: the region's rows, whole width
};

// The region's part of one whole-width row.
void PutRow(const png_byte* row, const Progress& progress, QRgb* line) {
    const png_byte* from = row + qsizetype(progress.clip.left()) * kBytesPerPixel;
    for (int x = 0; x < progress.clip.width(); ++x, from += kBytesPerPixel) {
        line[x] = OverWhite(qRgba(from[0], from[1], from[2], from[3]));
    }
}

void PutWholeRow(const png_byte* row, QRgb* line, int width) {
    for (int x = 0; x < width; ++x, row += kBytesPerPixel)
        line[x] = OverWhite(qRgba(row[0], row[1], row[2], row[3]));
}

QRgb* LineOf(Progress& progress, png_uint_32 y) {
    return reinterpret_cast<QRgb*>(progress.image.scanLine(int(y) - progress.clip.top()));
}

// A plain file's rows from the top down to the region's last one, each put in
// place as it comes.
bool DecodePlainRows(const PngReader& reader, Progress& progress) {
    if (setjmp(png_jmpbuf(reader.png()))) return false;
    for (png_uint_32 y = 0; y <= png_uint_32(progress.clip.bottom()); ++y) {
        png_read_row(reader.png(), progress.scratch.data(), nullptr);
        if (y >= png_uint_32(progress.clip.top())) {
            PutRow(progress.scratch.data(), progress, LineOf(progress, y));
        }
    }
    return true;
}

// An interlaced file's every pass over every row: each pass adds pixels to
// rows it has already filled, so the region's rows are kept whole meanwhile.
bool DecodeInterlacedRows(const PngReader& reader, int passes, Progress& progress) {
    if (setjmp(png_jmpbuf(reader.png()))) return false;
    const png_uint_32 height = png_get_image_height(reader.png(), reader.info());
    const png_uint_32 top = png_uint_32(progress.clip.top());
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            const bool inside = y >= top && y <= png_uint_32(progress.clip.bottom());
            png_read_row(reader.png(),
                         inside ? progress.rows[y - top].data() : progress.scratch.data(), nullptr);
        }
    }
    return true;
}

std::vector<png_byte> MissingRow(qint64 bytes) {
    std::vector<png_byte> row(static_cast<std::size_t>(bytes));
    for (std::size_t i = 0; i + kBytesPerPixel <= row.size(); i += kBytesPerPixel) {
        row[i] = png_byte(qRed(kMissingPixelColour));
        row[i + 1] = png_byte(qGreen(kMissingPixelColour));
        row[i + 2] = png_byte(qBlue(kMissingPixelColour));
        row[i + 3] = png_byte(qAlpha(kMissingPixelColour));
    }
    return row;
}

Result<QSize> ReadHeader(const PngReader& reader) {
    if (!reader.ok()) return Error{ErrorKind::kOutOfMemory, reasons::kNoMemoryForRegion};
    if (setjmp(png_jmpbuf(reader.png())))
        return Error{ErrorKind::kDamaged, reasons::kPngHeaderDamaged};
    png_read_info(reader.png(), reader.info());
    return QSize(int(png_get_image_width(reader.png(), reader.info())),
                 int(png_get_image_height(reader.png(), reader.info())));
}

// Feeds every row to the sink as it comes; rows after damage stay black.
bool StreamPlainRows(const PngReader& reader, int lastRow, std::vector<png_byte>& scratch,
                     std::vector<QRgb>& line, const RowSink& sink, int& done) {
    if (setjmp(png_jmpbuf(reader.png()))) return false;
    for (; done <= lastRow; ++done) {
        png_read_row(reader.png(), scratch.data(), nullptr);
        PutWholeRow(scratch.data(), line.data(), int(line.size()));
        sink(done, line.data());
    }
    return true;
}

}  // namespace

Result<QSize> ReadPngSize(QIODevice& device) {
    PngReader reader(device);
    return ReadHeader(reader);
}

Result<QImage> ReadPngRegion(QIODevice& device, QRect region) {
    PngReader reader(device);
    const Result<QSize> size = ReadHeader(reader);
    if (!size) return size.error();
    const QRect clip = region & QRect(QPoint(0, 0), *size);
    if (clip.isEmpty() || region.topLeft() != clip.topLeft())
        return Error{ErrorKind::kDamaged, reasons::kEmptyRegion};

    // libpng's own two rows and one to read into; an interlaced file keeps the
    // region's rows whole too. Checked before libpng allocates its rows.
    const qint64 rowBytes = qint64(size->width()) * kBytesPerPixel;
    const bool interlaced =
        png_get_interlace_type(reader.png(), reader.info()) != PNG_INTERLACE_NONE;
    const qint64 keptRows = kLibpngRows + 1 + (interlaced ? clip.height() : 0);
    const Result<MemoryLease> lease = ReserveMemory(rowBytes * keptRows);
    if (!lease) return lease.error();
    const int passes = PrepareRows(reader);
    if (passes == 0 || png_get_rowbytes(reader.png(), reader.info()) != std::size_t(rowBytes)) {
        return Error{ErrorKind::kDamaged, reasons::kPngHeaderDamaged};
    }

    Progress progress{clip, QImage(clip.size(), QImage::Format_RGB32), {}, {}};
    if (progress.image.isNull()) return Error{ErrorKind::kOutOfMemory, reasons::kNoMemoryForRegion};
    progress.image.fill(kMissingPixelColour);
    progress.scratch.resize(std::size_t(rowBytes));
    // Rows after damage keep their fill: the same file gives the same picture.
    if (passes == 1) {
        DecodePlainRows(reader, progress);
        return progress.image;
    }
    progress.rows.assign(std::size_t(clip.height()), MissingRow(rowBytes));
    DecodeInterlacedRows(reader, passes, progress);
    for (int y = 0; y < clip.height(); ++y) {
        PutRow(progress.rows[std::size_t(y)].data(), progress,
               reinterpret_cast<QRgb*>(progress.image.scanLine(y)));
    }
    return progress.image;
}

Status DecodePngRows(QIODevice& device, int lastRow, const RowSink& sink) {
    PngReader reader(device);
    const Result<QSize> size = ReadHeader(reader);
    if (!size) return size.error();
    const qint64 rowBytes = qint64(size->width()) * kBytesPerPixel;
    const bool interlaced =
        png_get_interlace_type(reader.png(), reader.info()) != PNG_INTERLACE_NONE;
    lastRow = std::min(lastRow, size->height() - 1);
    // An interlaced picture is complete only after its last pass: its rows
    // are kept whole meanwhile, within the memory bound.
    if (interlaced) {
        if (!device.seek(0)) return Error{ErrorKind::kDamaged, reasons::kPngHeaderDamaged};
        const Result<QImage> whole = ReadPngRegion(device, QRect(0, 0, size->width(), lastRow + 1));
        if (!whole) return whole.error();
        for (int y = 0; y <= lastRow; ++y)
            sink(y, reinterpret_cast<const QRgb*>(whole->constScanLine(y)));
        return Done{};
    }
    const Result<MemoryLease> lease = ReserveMemory(rowBytes * (kLibpngRows + 2));
    if (!lease) return lease.error();
    if (PrepareRows(reader) != 1 ||
        png_get_rowbytes(reader.png(), reader.info()) != std::size_t(rowBytes)) {
        return Error{ErrorKind::kDamaged, reasons::kPngHeaderDamaged};
    }
    std::vector<png_byte> scratch(static_cast<std::size_t>(rowBytes));
    std::vector<QRgb> line(static_cast<std::size_t>(size->width()));
    int done = 0;
    if (!StreamPlainRows(reader, lastRow, scratch, line, sink, done)) {
        std::fill(line.begin(), line.end(), kMissingPixelColour);
        for (; done <= lastRow; ++done) sink(done, line.data());
    }
    return Done{};
}

}  // namespace glyph
