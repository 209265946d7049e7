#include "picture/JpegRows.h"

#include <cstdio>
// clang-format off: jpeglib.h needs stdio.h first
#include <jpeglib.h>
// clang-format on

#include <array>
#include <csetjmp>
#include <cstdint>
#include <vector>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "engine/Levels.h"
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

// The gray level of each luma value, as the gray colour of that value reads.
const std::array<std::uint8_t, 256>& LumaLevels() {
    static const std::array<std::uint8_t, 256> levels = [] {
        std::array<std::uint8_t, 256> table{};
        for (int v = 0; v < 256; ++v)
            table[std::size_t(v)] = std::uint8_t(GrayLevel(GrayColour(v)));
        return table;
    }();
    return levels;
}

// Where the decoded rows go: colours, or gray levels.
struct Sinks {
    const RowSink* colour = nullptr;
    const GrayRowSink* gray = nullptr;
};

// What the rows are laid out in while they are handed on.
struct Buffers {
    std::vector<JSAMPLE> samples;
    std::vector<QRgb> row;
    std::vector<std::uint8_t> levels;
};

// Hands one decoded row of `width` pixels to the sink.
void HandOn(int y, JDIMENSION width, J_COLOR_SPACE stored, J_COLOR_SPACE out, const Sinks& sinks,
            Buffers& buffers) {
    const JSAMPLE* samples = buffers.samples.data();
    if (out == JCS_GRAYSCALE && stored != JCS_GRAYSCALE) {
        // A coloured pixel's colour reads as its luma or one lower, as its
        // chroma rounds: half a level lower on average.
        (*sinks.gray)(y, samples, true);
        return;
    }
    if (out == JCS_GRAYSCALE) {
        const auto& table = LumaLevels();
        for (JDIMENSION x = 0; x < width; ++x) buffers.levels[x] = table[samples[x]];
        (*sinks.gray)(y, buffers.levels.data(), false);
        return;
    }
    const QRgb* row = reinterpret_cast<const QRgb*>(samples);
    if (out == JCS_CMYK) {
        CmykToRgb(samples, buffers.row.data(), width);
        row = buffers.row.data();
    }
    if (sinks.colour != nullptr) {
        (*sinks.colour)(y, row);
        return;
    }
    for (JDIMENSION x = 0; x < width; ++x)
        buffers.levels[x] =
            std::uint8_t(GrayLevel(Rgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x]))));
    (*sinks.gray)(y, buffers.levels.data(), false);
}

// Everything that may jump back lives here, with no object that needs
// destroying: the caller owns them all.
bool Decode(Decompressor& d, int eighths, int lastRow, const Sinks& sinks, Buffers& buffers) {
    if (setjmp(d.error.jump)) return false;
    jpeg_create_decompress(&d.info);
    d.info.src = &d.source.base;
    jpeg_read_header(&d.info, TRUE);
    d.info.scale_num = unsigned(eighths);
    d.info.scale_denom = kEighths;
    const J_COLOR_SPACE stored = d.info.jpeg_color_space;
    const bool cmyk = stored == JCS_CMYK || stored == JCS_YCCK;
    // At full size a cell may be a pixel, whose art must be the block's: the
    // picture is decoded as the block is, colours smoothed.
    const bool reduced = eighths < kEighths;
    const bool luma =
        reduced && sinks.gray != nullptr && (stored == JCS_YCbCr || stored == JCS_GRAYSCALE);
    d.info.out_color_space = luma ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    d.info.do_fancy_upsampling = reduced ? FALSE : TRUE;
    jpeg_start_decompress(&d.info);
    const JDIMENSION width = d.info.output_width;
    buffers.samples.resize(std::size_t(width) * 4);
    buffers.row.resize(width);
    buffers.levels.resize(width);
    JSAMPROW rows[1] = {buffers.samples.data()};
    while (d.info.output_scanline < d.info.output_height &&
           int(d.info.output_scanline) <= lastRow) {
        const int y = int(d.info.output_scanline);
        if (jpeg_read_scanlines(&d.info, rows, 1) != 1) break;
        HandOn(y, width, stored, d.info.out_color_space, sinks, buffers);
    }
    jpeg_abort_decompress(&d.info);
    return true;
}

Status DecodeInto(QFile& file, int eighths, int lastRow, const Sinks& sinks) {
    const Result<MemoryLease> lease = ReserveJpegDecoding(file);
    if (!lease) return lease.error();
    Decompressor decompressor(file);
    Buffers buffers;
    if (!Decode(decompressor, eighths, lastRow, sinks, buffers))
        return Error{ErrorKind::kDamaged, reasons::kJpegDataDamaged};
    return Done{};
}

}  // namespace

QSize ScaledJpegSize(QSize stored, int eighths) {
    const auto scaled = [eighths](int side) {
        return int((qint64(side) * eighths + kEighths - 1) / kEighths);
    };
    return {scaled(stored.width()), scaled(stored.height())};
}

Status DecodeJpegRows(QFile& file, int eighths, int lastRow, const RowSink& sink) {
    return DecodeInto(file, eighths, lastRow, Sinks{&sink, nullptr});
}

Status DecodeJpegGrayRows(QFile& file, int eighths, int lastRow, const GrayRowSink& sink) {
    return DecodeInto(file, eighths, lastRow, Sinks{nullptr, &sink});
}

}  // namespace glyph
