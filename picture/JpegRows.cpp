#include "picture/JpegRows.h"

#include <cstdio>
// clang-format off: jpeglib.h needs stdio.h first
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <vector>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "picture/JpegRegion.h"

namespace glyph {

namespace {

constexpr int kEighths = 8;
constexpr int kBufferBytes = 64 * 1024;

// libjpeg's error manager that jumps back instead of exiting, and keeps its
// warnings to itself: standard error carries the program's own messages.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
void Quiet(j_common_ptr) {}

// Reads through the QFile, whatever its name.
struct Source {
    jpeg_source_mgr base;
    QFile* file;
    std::vector<JOCTET> buffer;
};

void InitSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
    auto* source = reinterpret_cast<Source*>(info->src);
    qint64 got = source->file->read(reinterpret_cast<char*>(source->buffer.data()),
                                    qint64(source->buffer.size()));
    if (got <= 0) {
        // A cut file: a fake end of image, as libjpeg's own sources do.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        got = 2;
    }
    source->base.next_input_byte = source->buffer.data();
    source->base.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<Source*>(info->src);
    while (count > long(source->base.bytes_in_buffer)) {
        count -= long(source->base.bytes_in_buffer);
        FillInput(info);
    }
    source->base.next_input_byte += count;
    source->base.bytes_in_buffer -= std::size_t(count);
}

void TermSource(j_decompress_ptr) {}

// One decompressor, destroyed on every way out.
struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager error{};
    Source source{};
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    explicit Decompressor(QFile& file) {
        info.err = jpeg_std_error(&error.base);
        error.base.error_exit = JumpBack;
        error.base.output_message = Quiet;
        source.file = &file;
        source.buffer.resize(kBufferBytes);
        source.base.init_source = InitSource;
        source.base.fill_input_buffer = FillInput;
        source.base.skip_input_data = SkipInput;
        source.base.resync_to_restart = jpeg_resync_to_restart;
        source.base.term_source = TermSource;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

// CMYK as libjpeg gives it from Adobe's files (inverted), to RGB.
void CmykToRgb(const JSAMPLE* cmyk, QRgb* row, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const int k = cmyk[3];
        row[x] = qRgb(k * cmyk[0] / 255, k * cmyk[1] / 255, k * cmyk[2] / 255);
    }
}

// Everything that may jump back lives here, with no object that needs
// destroying: the caller owns them all.
bool Decode(Decompressor& d, int eighths, int lastRow, const RowSink& sink,
            std::vector<JSAMPLE>& samples, std::vector<QRgb>& row) {
    if (setjmp(d.error.jump)) return false;
    jpeg_create_decompress(&d.info);
    d.info.src = &d.source.base;
    jpeg_read_header(&d.info, TRUE);
    d.info.scale_num = unsigned(eighths);
    d.info.scale_denom = kEighths;
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&d.info);
    const JDIMENSION width = d.info.output_width;
    samples.resize(std::size_t(width) * 4);
    row.resize(width);
    JSAMPROW rows[1] = {samples.data()};
    while (d.info.output_scanline < d.info.output_height &&
           int(d.info.output_scanline) <= lastRow) {
        const int y = int(d.info.output_scanline);
        if (jpeg_read_scanlines(&d.info, rows, 1) != 1) break;
        if (cmyk) {
            CmykToRgb(samples.data(), row.data(), width);
            sink(y, row.data());
        } else {
            sink(y, reinterpret_cast<const QRgb*>(samples.data()));
        }
    }
    jpeg_abort_decompress(&d.info);
    return true;
}

}  // namespace

QSize ScaledJpegSize(QSize stored, int eighths) {
    const auto scaled = [eighths](int side) {
        return int((qint64(side) * eighths + kEighths - 1) / kEighths);
    };
    return {scaled(stored.width()), scaled(stored.height())};
}

Status DecodeJpegRows(QFile& file, int eighths, int lastRow, const RowSink& sink) {
    const Result<MemoryLease> lease = ReserveJpegDecoding(file);
    if (!lease) return lease.error();
    Decompressor decompressor(file);
    std::vector<JSAMPLE> samples;
    std::vector<QRgb> row;
    if (!Decode(decompressor, eighths, lastRow, sink, samples, row))
        return Error{ErrorKind::kDamaged, reasons::kJpegDataDamaged};
    return Done{};
}

}  // namespace glyph
