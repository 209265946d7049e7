#pragma once

#include <QByteArray>
#include <QImage>

#include <utility>
#include <vector>

namespace glyph::damage {

// JPEG variants that Qt's writer cannot make, written with libjpeg itself.
struct JpegOptions {
    enum class Colour { kYCbCr, kGray, kCmyk, kYcck };
    Colour colour = Colour::kYCbCr;
    int lumaH = 2;  // luma sampling factors; chroma is always 1 x 1
    int lumaV = 2;
    bool progressive = false;
    bool arithmetic = false;
    bool oneComponentPerScan = false;  // sequential, but one scan per component
    int restartInterval = 0;           // in MCUs, 0 for none
    int quality = 90;
};

// The picture encoded as asked; empty if libjpeg refuses the options. CMYK samples are stored
// inverted, as Adobe stores them: C, M, Y = R, G, B and K = 255 mean the source colour with
// no black ink.
QByteArray EncodeJpeg(const QImage& image, const JpegOptions& options);

// Byte offsets inside a JPEG stream.
struct JpegLayout {
    qsizetype frame = -1;       // the SOFn marker
    qsizetype firstScan = -1;   // the first SOS marker
    qsizetype scanData = -1;    // the first byte after the first SOS segment
    qsizetype endOfImage = -1;  // the EOI marker
    // Marker segments after the first scan's data (tables and headers of later scans),
    // each as [start, end).
    std::vector<std::pair<qsizetype, qsizetype>> laterSegments;
};
JpegLayout LayoutOf(const QByteArray& jpeg);

}  // namespace glyph::damage
