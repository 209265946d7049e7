#include "DamageCorpus.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <functional>
#include <limits>
#include <set>

#include "JpegEncoder.h"
#include "picture/BmpRegion.h"
#include "workspace/PictureFileTestSupport.h"

namespace glyph::damage {
namespace {

using test::BmpShape;
using test::kBiBitfields;
using test::kBiRgb;
using test::kBiRle4;
using test::kBiRle8;
using test::MakeBmp;
using test::PackIndexes;
using test::PutLittleEndian;
using test::StackRows;

constexpr int kWidth = 37;  // odd, so that rows end inside a byte and need padding
constexpr int kHeight = 23;
constexpr QRgb kFill = kMissingPixelColour;
constexpr QRgb kMidGray = 0xFF808080;  // what libjpeg gives for blocks without data

// A sound BMP and where its pixels lie, so that the pixels a cut keeps are known.
struct SoundBmp {
    QString name;
    QByteArray bytes;
    QImage picture;
    qsizetype headersEnd = 0;  // file header, info header and masks
    bool rle = false;
    bool topDown = false;
    int bits = 24;
};

QImage Image(int width, int height, const std::function<QRgb(int, int)>& colour) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.setPixel(x, y, colour(x, y));
    }
    return image;
}

QImage Filled(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QList<QRgb> Palette(int bits) {
    QList<QRgb> palette;
    for (int i = 0; i < (1 << bits); ++i)
        palette.append(qRgb(40 + i * 13 % 200, 30 + i * 29 % 200, 20 + i * 7 % 200));
    return palette;
}

int Index(int x, int y, int bits) { return (x / 3 + y * 5) % (1 << bits); }

SoundBmp Paletted(int bits, quint32 headerSize, bool topDown) {
    const QList<QRgb> palette = Palette(bits);
    QList<QByteArray> rows;
    for (int y = 0; y < kHeight; ++y) {
        QList<int> indexes;
        for (int x = 0; x < kWidth; ++x) indexes.append(Index(x, y, bits));
        rows.append(PackIndexes(indexes, bits));
    }
    BmpShape fields{kWidth, topDown ? -kHeight : kHeight, bits, kBiRgb, palette, headerSize};
    const QString header = headerSize == 12 ? "-os2" : "";
    return {QString("bmp-%1-bit%2").arg(bits).arg(header),
            MakeBmp(fields, StackRows(rows, topDown)),
            Image(kWidth, kHeight, [&](int x, int y) { return palette[Index(x, y, bits)]; }),
            14 + headerSize,
            false,
            topDown,
            bits};
}

// Channel values kept to the stored width, so that reading them back is exact.
SoundBmp DirectColour(const QString& name, int bits, quint32 compression, quint32 headerSize,
                      std::array<quint32, 3> masks, bool topDown) {
    const QImage source = SourcePicture(kWidth, kHeight);
    QImage picture = source;
    QList<QByteArray> rows;
    for (int y = 0; y < kHeight; ++y) {
        QByteArray row;
        for (int x = 0; x < kWidth; ++x) {
            const QRgb colour = source.pixel(x, y);
            const int channels[3] = {qRed(colour), qGreen(colour), qBlue(colour)};
            quint32 value = 0;
            int kept[3];
            for (int i = 0; i < 3; ++i) {
                const int shift = std::countr_zero(masks[i]);
                const quint32 max = masks[i] >> shift;
                const quint32 v = quint32(channels[i]) * max / 255;
                value |= v << shift;
                kept[i] = int((v * 255 + max / 2) / max);
            }
            picture.setPixel(x, y, qRgb(kept[0], kept[1], kept[2]));
            if (bits == 16) {
                PutLittleEndian(row, quint16(value));
            } else if (bits == 24) {
                row.append(char(qBlue(colour))).append(char(qGreen(colour)));
                row.append(char(qRed(colour)));
            } else {
                PutLittleEndian(row, value);
            }
        }
        rows.append(row);
    }
    const BmpShape fields{kWidth, topDown ? -kHeight : kHeight, bits, compression, {}, headerSize,
                          masks};
    const bool masksAfterHeader = compression == kBiBitfields && headerSize == 40;
    return {name,    MakeBmp(fields, StackRows(rows, topDown)),
            picture, 14 + headerSize + (masksAfterHeader ? 12 : 0),
            false,   topDown,
            bits};
}

// Each row: an absolute block of 4 pixels, then runs of one index, then end of line.
SoundBmp RunLength(int bits, bool topDown) {
    const QList<QRgb> palette = Palette(bits);
    QList<QByteArray> rows;
    for (int y = 0; y < kHeight; ++y) {
        QByteArray row;
        QList<int> first;
        for (int x = 0; x < 4; ++x) first.append(Index(x, y, bits));
        row.append('\0').append('\4').append(PackIndexes(first, bits));
        if (row.size() % 2) row.append('\0');
        for (int x = 4; x < kWidth;) {
            const int index = Index(x, y, bits);
            int count = 1;
            while (x + count < kWidth && Index(x + count, y, bits) == index) ++count;
            row.append(char(count)).append(char(bits == 4 ? index << 4 | index : index));
            x += count;
        }
        rows.append(row.append('\0').append('\0'));
    }
    if (!topDown) std::reverse(rows.begin(), rows.end());
    QByteArray stream = rows.join();
    stream.chop(2);
    stream.append('\0').append('\1');
    const BmpShape fields{kWidth, topDown ? -kHeight : kHeight, bits, bits == 8 ? kBiRle8 : kBiRle4,
                          palette};
    return {QString("bmp-rle%1").arg(bits),
            MakeBmp(fields, stream),
            Image(kWidth, kHeight, [&](int x, int y) { return palette[Index(x, y, bits)]; }),
            54,
            true,
            topDown,
            bits};
}

std::vector<SoundBmp> SoundBmps() {
    std::vector<SoundBmp> bmps;
    for (bool topDown : {false, true}) {
        for (int bits : {1, 4, 8}) bmps.push_back(Paletted(bits, 40, topDown));
        bmps.push_back(
            DirectColour("bmp-16-bit", 16, kBiRgb, 40, {0x7C00, 0x03E0, 0x001F}, topDown));
        bmps.push_back(DirectColour("bmp-16-bit-565", 16, kBiBitfields, 40,
                                    {0xF800, 0x07E0, 0x001F}, topDown));
        bmps.push_back(
            DirectColour("bmp-24-bit", 24, kBiRgb, 40, {0xFF0000, 0xFF00, 0xFF}, topDown));
        bmps.push_back(
            DirectColour("bmp-24-bit-v5", 24, kBiRgb, 124, {0xFF0000, 0xFF00, 0xFF}, topDown));
        bmps.push_back(
            DirectColour("bmp-32-bit", 32, kBiRgb, 40, {0xFF0000, 0xFF00, 0xFF}, topDown));
        bmps.push_back(DirectColour("bmp-32-bit-rgbx", 32, kBiBitfields, 40,
                                    {0xFF, 0xFF00, 0xFF0000}, topDown));
        bmps.push_back(RunLength(8, topDown));
        bmps.push_back(RunLength(4, topDown));
    }
    bmps.push_back(Paletted(8, 12, false));  // the OS/2 header has no top-down form
    for (SoundBmp& bmp : bmps) bmp.name += bmp.topDown ? "-top-down" : "-bottom-up";
    return bmps;
}

// The pixels of a row-ordered BMP whose bytes lie before `cut`; the rest is the fill.
QImage KeptPixels(const SoundBmp& bmp, qsizetype cut) {
    const qsizetype pixelOffset = qFromLittleEndian<quint32>(bmp.bytes.constData() + 10);
    const qsizetype stride = (qsizetype(kWidth) * bmp.bits + 31) / 32 * 4;
    return Image(kWidth, kHeight, [&](int x, int y) {
        const int fileRow = bmp.topDown ? y : kHeight - 1 - y;
        const qsizetype lastByte = pixelOffset + fileRow * stride + ((x + 1) * bmp.bits - 1) / 8;
        return lastByte < cut ? bmp.picture.pixel(x, y) : kFill;
    });
}

// Every offset in and just past the headers, then offsets spread over the rest.
std::set<qsizetype> CutOffsets(qsizetype headersEnd, qsizetype size, int spread) {
    std::set<qsizetype> offsets;
    for (qsizetype at = 0; at <= std::min(headersEnd + 8, size - 1); ++at) offsets.insert(at);
    for (int i = 1; i < spread; ++i) offsets.insert(headersEnd + (size - headersEnd) * i / spread);
    return offsets;
}

void AddBmpCuts(std::vector<DamageCase>& corpus) {
    for (const SoundBmp& bmp : SoundBmps()) {
        const QSize size = bmp.picture.size();
        corpus.push_back({bmp.name + ".bmp", bmp.bytes, true, false, size, bmp.picture});
        for (qsizetype cut : CutOffsets(bmp.headersEnd, bmp.bytes.size(), 24)) {
            DamageCase c{QString("%1-cut-at-%2.bmp").arg(bmp.name).arg(cut), bmp.bytes.left(cut),
                         cut >= bmp.headersEnd, false, size};
            if (c.opens && !bmp.rle) c.exact = KeptPixels(bmp, cut);
            if (c.opens && bmp.rle) c.sound = bmp.picture;
            corpus.push_back(c);
        }
    }
}

QByteArray Patched(QByteArray bytes, qsizetype at, const QByteArray& with) {
    return bytes.replace(at, with.size(), with);
}

QByteArray U32(quint32 value) {
    QByteArray out;
    PutLittleEndian(out, value);
    return out;
}

// 8-bit indexes all 0x11 (or one RLE8 run of it), with a two-colour palette.
QByteArray SmallBmp(qint32 width, qint32 height, int bits = 8, quint32 compression = kBiRgb) {
    QList<QRgb> palette;
    if (bits <= 8) palette = {qRgb(200, 10, 10), qRgb(10, 200, 10)};
    return MakeBmp({width, height, bits, compression, palette}, QByteArray(64, '\x11'));
}

void AddBmpHeaderExtremes(std::vector<DamageCase>& corpus) {
    constexpr qint32 kMax = std::numeric_limits<qint32>::max();
    constexpr qint32 kMin = std::numeric_limits<qint32>::min();
    const QSize region(100, 100);
    const QByteArray good = SmallBmp(4, 4);
    const auto refused = [&](const char* name, const QByteArray& bytes) {
        corpus.push_back({QString("bmp-%1.bmp").arg(name), bytes, false});
    };
    // Indexes 0x11 lie past the two-colour palette: every pixel is the fill.
    const auto allFill = [&](const char* name, const QByteArray& bytes, QSize size) {
        corpus.push_back(
            {QString("bmp-%1.bmp").arg(name), bytes, true, false, size, Filled(size, kFill)});
    };
    refused("width-zero", SmallBmp(0, 4));
    refused("width-negative", SmallBmp(-4, 4));
    refused("width-int-min", SmallBmp(kMin, 4));
    refused("height-zero", SmallBmp(4, 0));
    refused("height-int-min", SmallBmp(4, kMin));
    refused("bits-zero", SmallBmp(4, 4, 0));
    refused("bits-2", SmallBmp(4, 4, 2));
    refused("bits-64", SmallBmp(4, 4, 64));
    refused("bits-65535", SmallBmp(4, 4, 65535));
    refused("compression-jpeg", SmallBmp(4, 4, 24, 4));
    refused("compression-png", SmallBmp(4, 4, 24, 5));
    refused("compression-huge", SmallBmp(4, 4, 24, 0xFFFFFFFF));
    refused("rle8-at-4-bits", SmallBmp(4, 4, 4, kBiRle8));
    refused("rle4-at-24-bits", SmallBmp(4, 4, 24, kBiRle4));
    refused("header-size-huge", Patched(good, 14, U32(0xFFFFFFF0)));
    refused("header-size-zero", Patched(good, 14, U32(0)));
    refused("pixel-offset-in-header", Patched(good, 10, U32(20)));
    refused("mask-with-gap", MakeBmp({2, 2, 16, kBiBitfields, {}, 40, {0xF0F, 0xF0, 0}}, {}));
    refused("mask-past-16-bits",
            MakeBmp({2, 2, 16, kBiBitfields, {}, 40, {0x1F0000, 0xF0, 0xF}}, {}));
    refused("signature-only", "BM");

    allFill("65535-square", SmallBmp(65535, 65535), region);
    allFill("65535-square-top-down", SmallBmp(65535, -65535), region);
    allFill("65535-square-rle8", SmallBmp(65535, 65535, 8, kBiRle8), region);
    allFill("65535-square-rle8-top-down", SmallBmp(65535, -65535, 8, kBiRle8), region);
    allFill("65535-square-rle4", SmallBmp(65535, 65535, 4, kBiRle4), region);
    allFill("int-max-square-top-down", SmallBmp(kMax, -kMax), region);
    allFill("int-max-wide", SmallBmp(kMax, 3), QSize(100, 3));
    allFill("int-max-tall-rle8", SmallBmp(3, kMax, 8, kBiRle8), QSize(3, 100));
    allFill("os2-65535-square", MakeBmp({-1, -1, 8, kBiRgb, {qRgb(1, 2, 3)}, 12}, {}), region);
    allFill("pixel-offset-past-the-end", Patched(SmallBmp(4, 4, 24), 10, U32(0xFFFFFFFF)),
            QSize(4, 4));
    allFill("no-palette", MakeBmp({4, 4, 8}, QByteArray(16, '\x11')), QSize(4, 4));
    allFill("palette-index-past-palette", good, QSize(4, 4));
    allFill("colours-used-huge", Patched(good, 46, U32(0xFFFFFFFF)), QSize(4, 4));
    // A full palette declared, the file ends after ten of its colours.
    const QByteArray palette = QByteArray(40, '\x22');
    allFill("palette-past-the-end-of-file",
            Patched(Patched(MakeBmp({4, 4, 8}, palette), 46, U32(256)), 10, U32(54 + 1024)),
            QSize(4, 4));

    // Index 1 is in the palette, index 0x11 is not: mixed on one row.
    const QList<QRgb> two = {qRgb(200, 10, 10), qRgb(10, 200, 10)};
    const QByteArray mixed = MakeBmp({4, 1, 8, kBiRgb, two}, QByteArray::fromHex("01110111"));
    corpus.push_back({"bmp-palette-index-past-palette-mixed.bmp", mixed, true, false, QSize(4, 1),
                      Image(4, 1, [&](int x, int) { return x % 2 ? kFill : two[1]; })});
}

// RLE streams for a 4 x 3 picture, bottom-up, with the two-colour palette.
void AddRleOverruns(std::vector<DamageCase>& corpus) {
    const QList<QRgb> two = {qRgb(200, 10, 10), qRgb(10, 200, 10)};
    const auto rle = [&](const char* name, int bits, const char* hex, QList<QList<int>> rows) {
        const QByteArray bytes =
            MakeBmp({4, 3, bits, bits == 8 ? kBiRle8 : kBiRle4, two}, QByteArray::fromHex(hex));
        const QImage exact = Image(4, 3, [&](int x, int y) {
            const int index = rows[y][x];
            return index < 0 ? kFill : two[index];
        });
        corpus.push_back({QString("bmp-%1.bmp").arg(name), bytes, true, false, QSize(4, 3), exact});
    };
    const int _ = -1;
    rle("rle8-run-past-the-row", 8, "0901 0001", {{_, _, _, _}, {_, _, _, _}, {1, 1, 1, 1}});
    rle("rle8-delta-past-the-picture", 8, "0101 0002 FFFF 0101 0001",
        {{_, _, _, _}, {_, _, _, _}, {1, _, _, _}});
    rle("rle8-many-empty-deltas", 8,
        "0002 0000 0002 0000 0002 0000 0002 0000 0002 0000 0002 0000 0002 0000 0101",
        {{_, _, _, _}, {_, _, _, _}, {1, _, _, _}});
    rle("rle8-absolute-past-the-row", 8, "0006 010001000100 0001",
        {{_, _, _, _}, {_, _, _, _}, {1, 0, 1, 0}});
    rle("rle8-absolute-past-the-end-of-file", 8, "0000 00FF 0101",
        {{_, _, _, _}, {1, 1, _, _}, {_, _, _, _}});
    rle("rle8-no-end-of-bitmap", 8, "0201", {{_, _, _, _}, {_, _, _, _}, {1, 1, _, _}});
    rle("rle8-stops-inside-an-escape", 8, "0101 00", {{_, _, _, _}, {_, _, _, _}, {1, _, _, _}});
    rle("rle8-stops-inside-a-delta", 8, "0101 0002 01", {{_, _, _, _}, {_, _, _, _}, {1, _, _, _}});
    rle("rle8-index-past-the-palette", 8, "0205 0201 0001",
        {{_, _, _, _}, {_, _, _, _}, {_, _, 1, 1}});
    rle("rle4-run-past-the-row", 4, "0901 0001", {{_, _, _, _}, {_, _, _, _}, {0, 1, 0, 1}});
    rle("rle4-odd-absolute-past-the-end-of-file", 4, "0005 0110",
        {{_, _, _, _}, {_, _, _, _}, {0, 1, 1, 0}});
    rle("rle4-index-past-the-palette", 4, "04F1 0001", {{_, _, _, _}, {_, _, _, _}, {_, 1, _, 1}});
    // 65535 rows claimed, a long stream of ends of lines: the top rows are never reached.
    QByteArray lines;
    for (int i = 0; i < 20000; ++i) lines.append(QByteArray::fromHex("0101 0000"));
    const QSize top(4, 100);
    corpus.push_back({"bmp-rle8-long-stream-below-the-region.bmp",
                      MakeBmp({4, 65535, 8, kBiRle8, two}, lines), true, false, top,
                      Filled(top, kFill)});
}

QImage WholeDecode(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

struct SoundJpeg {
    QString name;
    JpegOptions options;
    bool zeroBlocksGray = false;  // sequential Huffman: blocks without data are mid-gray
};

std::vector<SoundJpeg> SoundJpegOptions() {
    using Colour = JpegOptions::Colour;
    JpegOptions progressive;
    progressive.progressive = true;
    JpegOptions arithmetic;
    arithmetic.arithmetic = true;
    JpegOptions arithmeticProgressive = progressive;
    arithmeticProgressive.arithmetic = true;
    JpegOptions perComponent;
    perComponent.oneComponentPerScan = true;
    JpegOptions restarts;
    restarts.restartInterval = 1;
    JpegOptions gray{Colour::kGray};
    JpegOptions grayProgressive = progressive;
    grayProgressive.colour = Colour::kGray;
    return {
        {"jpeg-baseline-420", {}, true},
        {"jpeg-baseline-422", {Colour::kYCbCr, 2, 1}, true},
        {"jpeg-baseline-444", {Colour::kYCbCr, 1, 1}, true},
        {"jpeg-baseline-gray", gray, true},
        {"jpeg-baseline-restart-markers", restarts, true},
        {"jpeg-baseline-scan-per-component", perComponent, true},
        // Block smoothing spreads what the first MCU decodes from zero bits.
        {"jpeg-progressive-420", progressive},
        {"jpeg-progressive-gray", grayProgressive},
        {"jpeg-arithmetic", arithmetic},
        {"jpeg-arithmetic-progressive", arithmeticProgressive},
        {"jpeg-cmyk", {Colour::kCmyk, 1, 1}},
        {"jpeg-ycck", {Colour::kYcck, 1, 1}},
    };
}

// Bytes of the first scan's data changed without making a marker, so that the damage is all
// in the entropy-coded data.
QByteArray Corrupted(QByteArray bytes, qsizetype from, int count) {
    qsizetype to = from;
    while (to + 1 < bytes.size() && !(uchar(bytes[to]) == 0xFF && uchar(bytes[to + 1]) != 0 &&
                                      (uchar(bytes[to + 1]) & 0xF8) != 0xD0))
        ++to;
    return Flipped(std::move(bytes), from, to, count);
}

QByteArray Without(QByteArray bytes, uchar marker) {
    for (qsizetype at; (at = bytes.indexOf(QByteArray("\xFF").append(char(marker)))) > 0;) {
        const qsizetype length = uchar(bytes[at + 2]) << 8 | uchar(bytes[at + 3]);
        bytes.remove(at, 2 + length);
    }
    return bytes;
}

QByteArray BigEndian(quint16 value) {
    QByteArray out(2, '\0');
    qToBigEndian(value, out.data());
    return out;
}

void AddJpegs(std::vector<DamageCase>& corpus) {
    const QImage source = SourcePicture(48, 40);
    const QSize size = source.size();
    for (const SoundJpeg& sound : SoundJpegOptions()) {
        const QByteArray bytes = EncodeJpeg(source, sound.options);
        const QImage decoded = WholeDecode(bytes);
        const JpegLayout layout = LayoutOf(bytes);
        corpus.push_back({sound.name + ".jpg", bytes, true, false, size, decoded});
        std::set<qsizetype> cuts = CutOffsets(layout.scanData, bytes.size(), 24);
        for (const auto& [start, end] : layout.laterSegments)
            cuts.insert({start, start + 3, end - 1});
        for (qsizetype cut : cuts) {
            DamageCase c{QString("%1-cut-at-%2.jpg").arg(sound.name).arg(cut), bytes.left(cut),
                         cut >= layout.scanData, false, size};
            for (const auto& [start, end] : layout.laterSegments)
                c.mayRefuse |= cut > start && cut < end;
            // Only the first MCU is decoded, from zero bits; the blocks after it are zero.
            if (cut == layout.scanData && sound.zeroBlocksGray) {
                c.fillArea = QRect(0, 24, size.width(), size.height() - 24);
                c.fillColour = kMidGray;
            }
            corpus.push_back(c);
        }
        const QByteArray corrupted = Corrupted(bytes, layout.scanData, 8);
        corpus.push_back({sound.name + "-corrupt-scan-data.jpg", corrupted, true, false, size});
        corpus.push_back({sound.name + "-garbage-after-the-end.jpg",
                          bytes + QByteArray(300, '\xA7'), true, false, size, decoded});
    }

    JpegOptions options444{JpegOptions::Colour::kYCbCr, 1, 1};
    const QByteArray base = EncodeJpeg(source, {});
    const QByteArray base444 = EncodeJpeg(source, options444);
    JpegOptions progressiveOptions;
    progressiveOptions.progressive = true;
    const QByteArray progressive = EncodeJpeg(source, progressiveOptions);
    JpegOptions perComponentOptions;
    perComponentOptions.oneComponentPerScan = true;
    const QByteArray perComponent = EncodeJpeg(source, perComponentOptions);
    JpegOptions arithmeticOptions;
    arithmeticOptions.arithmetic = true;
    const QByteArray arithmetic = EncodeJpeg(source, arithmeticOptions);
    const auto refused = [&](const char* name, const QByteArray& bytes) {
        corpus.push_back({QString("jpeg-%1.jpg").arg(name), bytes, false});
    };
    const auto opens = [&](const char* name, const QByteArray& bytes, QSize at,
                           const QImage& exact = {}) {
        corpus.push_back({QString("jpeg-%1.jpg").arg(name), bytes, true, false, at, exact});
    };
    const auto at = [](const QByteArray& bytes, qsizetype offset, const QByteArray& with) {
        return Patched(bytes, LayoutOf(bytes).frame + offset, with);
    };
    const auto sized = [&](const QByteArray& bytes, quint16 width, quint16 height) {
        return at(at(bytes, 5, BigEndian(height)), 7, BigEndian(width));
    };
    const QSize region(100, 100);

    refused("12-bit", at(base, 4, "\x0C"));
    refused("16-bit", at(base, 4, "\x10"));
    refused("lossless", at(base, 1, "\xC3"));
    refused("hierarchical", at(base, 1, "\xC5"));
    refused("arithmetic-lossless", at(base, 1, "\xCB"));
    refused("width-zero", at(base, 7, BigEndian(0)));
    refused("height-zero", at(base, 5, BigEndian(0)));
    refused("no-components", at(base, 9, QByteArray(1, '\0')));
    refused("sampling-factor-zero", at(base, 11, QByteArray(1, '\0')));
    refused("too-many-blocks-per-mcu", at(base444, 11, "\x44"));
    refused("no-quantisation-tables", Without(base, 0xDB));
    refused("bad-huffman-table",
            Patched(base, base.indexOf("\xFF\xC4") + 5, QByteArray(16, '\xFF')));
    refused("no-scan", base.left(LayoutOf(base).firstScan) + "\xFF\xD9");
    // libjpeg runs every scan over the whole picture: empty scans cost time, not bytes.
    const JpegLayout progressiveLayout = LayoutOf(progressive);
    const qsizetype firstScanEnd = progressiveLayout.laterSegments.front().first;
    const auto emptyScans = [&](int count) {
        const QByteArray header = progressive.mid(
            progressiveLayout.firstScan, progressiveLayout.scanData - progressiveLayout.firstScan);
        return progressive.left(firstScanEnd) + header.repeated(count) + "\xFF\xD9";
    };
    opens("progressive-3000-square", sized(progressive, 3000, 3000), region);
    opens("progressive-20000-empty-scans", emptyScans(20000), size);
    refused("progressive-6000-square-200-empty-scans", sized(emptyScans(200), 6000, 6000));
    // Over the allocation limit: libjpeg would keep every coefficient of the picture.
    refused("65500-square-progressive", sized(progressive, 65500, 65500));
    refused("65500-square-scan-per-component", sized(perComponent, 65500, 65500));
    // A second frame between two scans: libjpeg fails in the middle of the picture.
    const JpegLayout layout = LayoutOf(progressive);
    const qsizetype secondScan = progressive.indexOf("\xFF\xDA", layout.scanData);
    const qsizetype frameLength =
        uchar(progressive[layout.frame + 2]) << 8 | uchar(progressive[layout.frame + 3]);
    refused(
        "progressive-second-frame",
        QByteArray(progressive).insert(secondScan, progressive.mid(layout.frame, 2 + frameLength)));

    // libjpeg takes sides up to 65500 pixels.
    refused("65535-square", sized(base, 65535, 65535));
    opens("65500-square", sized(base, 65500, 65500), region);
    opens("65500-square-arithmetic", sized(arithmetic, 65500, 65500), region);
    opens("65500-wide-progressive", sized(progressive, 65500, 40), QSize(100, 40));
    opens("sampling-2x4", at(base444, 11, "\x24"), size);
    opens("no-huffman-tables", Without(base, 0xC4), size, WholeDecode(base));
    opens("no-end-of-image", base.left(LayoutOf(base).endOfImage), size, WholeDecode(base));
}

}  // namespace

QImage SourcePicture(int width, int height) {
    return Image(width, height, [](int x, int y) {
        return qRgb(40 + x * 19 % 200, 30 + y * 41 % 200, 20 + (x + y) * 29 % 200);
    });
}

std::vector<DamageCase> DamageCorpus() {
    std::vector<DamageCase> corpus;
    AddBmpCuts(corpus);
    AddBmpHeaderExtremes(corpus);
    AddRleOverruns(corpus);
    AddJpegs(corpus);
    AddMoreFormats(corpus);
    AddWholePictureCases(corpus);
    return corpus;
}

QByteArray Flipped(QByteArray bytes, qsizetype from, qsizetype to, int count) {
    for (int i = 1; i <= count; ++i) {
        qsizetype at = from + (to - from) * i / (count + 1);
        while (at < to && (uchar(bytes[at]) == 0xFF || uchar(bytes[at - 1]) == 0xFF ||
                           (uchar(bytes[at]) ^ 0x55) == 0xFF))
            ++at;
        if (at < to) bytes[at] = char(uchar(bytes[at]) ^ 0x55);
    }
    return bytes;
}

}  // namespace glyph::damage
