#include "JpegEncoder.h"

#include <array>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace glyph::damage {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

extern "C" void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

extern "C" void Quiet(j_common_ptr) {}

// Everything libjpeg changes lives here, outside the frame that calls setjmp.
struct Compression {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    unsigned char* out = nullptr;
    unsigned long size = 0;
    std::array<jpeg_scan_info, 4> scans{};
};

bool Compress(Compression& c, const JpegOptions& options, int width, int height, int components,
              const std::vector<JSAMPLE>& samples) {
    if (setjmp(c.errors.jump)) return false;
    jpeg_compress_struct& info = c.info;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &c.out, &c.size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    using Colour = JpegOptions::Colour;
    switch (options.colour) {
        case Colour::kYCbCr:
            info.in_color_space = JCS_RGB;
            break;
        case Colour::kGray:
            info.in_color_space = JCS_GRAYSCALE;
            break;
        case Colour::kCmyk:
        case Colour::kYcck:
            info.in_color_space = JCS_CMYK;
            break;
    }
    jpeg_set_defaults(&info);
    if (options.colour == Colour::kYcck) jpeg_set_colorspace(&info, JCS_YCCK);
    jpeg_set_quality(&info, options.quality, TRUE);
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = i == 0 ? options.lumaH : 1;
        info.comp_info[i].v_samp_factor = i == 0 ? options.lumaV : 1;
    }
    info.arith_code = options.arithmetic ? TRUE : FALSE;
    if (options.progressive) {
        jpeg_simple_progression(&info);
    } else if (options.oneComponentPerScan) {
        for (int i = 0; i < info.num_components; ++i)
            c.scans[i] = jpeg_scan_info{1, {i, 0, 0, 0}, 0, 63, 0, 0};
        info.scan_info = c.scans.data();
        info.num_scans = info.num_components;
    }
    info.restart_interval = unsigned(options.restartInterval);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = std::size_t(width) * components;
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

QByteArray EncodeJpeg(const QImage& source, const JpegOptions& options) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    using Colour = JpegOptions::Colour;
    const bool cmyk = options.colour == Colour::kCmyk || options.colour == Colour::kYcck;
    const int components = options.colour == Colour::kGray ? 1 : cmyk ? 4 : 3;
    std::vector<JSAMPLE> samples;
    samples.reserve(std::size_t(image.width()) * image.height() * components);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (components == 1) {
                samples.push_back(JSAMPLE(qGray(p)));
                continue;
            }
            samples.insert(samples.end(),
                           {JSAMPLE(qRed(p)), JSAMPLE(qGreen(p)), JSAMPLE(qBlue(p))});
            if (cmyk) samples.push_back(255);
        }
    }
    auto c = std::make_unique<Compression>();
    c->info.err = jpeg_std_error(&c->errors.base);
    c->errors.base.error_exit = OnError;
    c->errors.base.output_message = Quiet;
    QByteArray bytes;
    if (Compress(*c, options, image.width(), image.height(), components, samples))
        bytes = QByteArray(reinterpret_cast<const char*>(c->out), qsizetype(c->size));
    jpeg_destroy_compress(&c->info);
    std::free(c->out);
    return bytes;
}

JpegLayout LayoutOf(const QByteArray& jpeg) {
    JpegLayout layout;
    qsizetype at = 2;  // after SOI
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        const qsizetype length = uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC && layout.frame < 0)
            layout.frame = at;
        if (marker == 0xDA) {
            layout.firstScan = at;
            layout.scanData = at + 2 + length;
            break;
        }
        at += 2 + length;
    }
    layout.endOfImage = jpeg.lastIndexOf("\xFF\xD9");
    // Past the first scan, a marker is 0xFF followed by neither a stuffed zero nor a restart.
    for (at = layout.scanData; at >= 0 && at + 4 <= layout.endOfImage;) {
        const uchar next = uchar(jpeg[at + 1]);
        if (uchar(jpeg[at]) != 0xFF || next == 0 || next == 0xFF || (next & 0xF8) == 0xD0) {
            ++at;
            continue;
        }
        const qsizetype end = at + 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
        layout.laterSegments.emplace_back(at, end);
        at = end;
    }
    return layout;
}

}  // namespace glyph::damage
