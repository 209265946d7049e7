#include "workspace/PngRegion.h"

#include <png.h>

#include <csetjmp>
#include <memory>
#include <vector>

#include "workspace/Limits.h"
#include "workspace/Reasons.h"
#include "workspace/Transparency.h"

namespace glyph {

namespace {

constexpr int kSignatureLength = 8;
constexpr QRgb kMissingRow = 0xFF000000;
constexpr int kBytesPerPixel = 4;  // RGBA, 8 bits each, after the transforms below
// libpng's own default is a million pixels a side; the format allows 2^31 - 1.
constexpr png_uint_32 kMaxSide = 0x7FFFFFFF;

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

// Where decoding has got to; kept outside the function that may jump.
struct Progress {
    std::vector<png_byte> scratch;            // rows outside the region
    std::vector<std::vector<png_byte>> rows;  // the region's rows, whole width
};

// Reads rows until the region's last one; an interlaced file needs every pass.
bool DecodeRows(const PngReader& reader, int passes, QRect clip, Progress& progress) {
    png_structp png = reader.png();
    if (setjmp(png_jmpbuf(png))) return false;
    const png_uint_32 lastRow = png_uint_32(clip.bottom());
    for (int pass = 0; pass < passes; ++pass) {
        const png_uint_32 end = passes > 1 ? png_get_image_height(png, reader.info()) : lastRow + 1;
        for (png_uint_32 y = 0; y < end; ++y) {
            const bool inside = y >= png_uint_32(clip.top()) && y <= lastRow;
            png_bytep row = inside ? progress.rows[y - clip.top()].data() : progress.scratch.data();
            png_read_row(png, row, nullptr);
        }
    }
    return true;
}

void PutRegion(const Progress& progress, QRect clip, QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const png_byte* from = progress.rows[y].data() + qsizetype(clip.left()) * kBytesPerPixel;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x, from += kBytesPerPixel) {
            line[x] = OverWhite(qRgba(from[0], from[1], from[2], from[3]));
        }
    }
}

Result<QSize> ReadHeader(const PngReader& reader) {
    if (!reader.ok()) return Error{reasons::kNoMemoryForRegion};
    if (setjmp(png_jmpbuf(reader.png()))) return Error{reasons::kPngHeaderDamaged};
    png_read_info(reader.png(), reader.info());
    return QSize(int(png_get_image_width(reader.png(), reader.info())),
                 int(png_get_image_height(reader.png(), reader.info())));
}

}  // namespace

bool HasPngSignature(const QByteArray& head) {
    return head.size() >= kSignatureLength &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(head.constData()), 0, kSignatureLength) ==
               0;
}

Result<QSize> ReadPngSize(QIODevice& device) {
    PngReader reader(device);
    return ReadHeader(reader);
}

Result<QImage> ReadPngRegion(QIODevice& device, QRect region) {
    PngReader reader(device);
    const Result<QSize> size = ReadHeader(reader);
    if (!size) return size.error();
    const QRect clip = region & QRect(QPoint(0, 0), *size);
    if (clip.isEmpty() || region.topLeft() != clip.topLeft()) return Error{reasons::kEmptyRegion};

    // The region's rows are kept whole, and one more for the rows around them.
    const qint64 rowBytes = qint64(size->width()) * kBytesPerPixel;
    if (const Status fits = CheckMemory(rowBytes * (clip.height() + 1)); !fits) return fits.error();
    Progress progress;
    progress.scratch.resize(std::size_t(rowBytes));
    progress.rows.assign(std::size_t(clip.height()), std::vector<png_byte>(std::size_t(rowBytes)));
    for (auto& row : progress.rows) {
        for (qint64 i = 0; i < rowBytes; i += kBytesPerPixel) {
            row[std::size_t(i)] = qRed(kMissingRow);
            row[std::size_t(i) + 1] = qGreen(kMissingRow);
            row[std::size_t(i) + 2] = qBlue(kMissingRow);
            row[std::size_t(i) + 3] = qAlpha(kMissingRow);
        }
    }
    if (setjmp(png_jmpbuf(reader.png()))) return Error{reasons::kPngHeaderDamaged};
    const int passes = ExpandToRgba(reader.png(), reader.info());
    png_read_update_info(reader.png(), reader.info());
    if (png_get_rowbytes(reader.png(), reader.info()) != std::size_t(rowBytes)) {
        return Error{reasons::kPngHeaderDamaged};
    }
    // Rows after damage keep their fill: the same file gives the same picture.
    DecodeRows(reader, passes, clip, progress);

    QImage image(clip.size(), QImage::Format_RGB32);
    if (image.isNull()) return Error{reasons::kNoMemoryForRegion};
    PutRegion(progress, clip, image);
    return image;
}

}  // namespace glyph
