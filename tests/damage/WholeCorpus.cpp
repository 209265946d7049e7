// Files for the whole-picture path: JPEGs large enough to be decoded scaled,
// PNGs streamed row by row, and orientation tags no camera writes.

#include <QtEndian>

#include "DamageCorpus.h"
#include "JpegEncoder.h"
#include "workspace/ExifFiles.h"
#include "workspace/PictureWriters.h"

namespace glyph::damage {

namespace {

constexpr QSize kBlock(100, 100);
constexpr int kCutsPerFile = 12;

DamageCase MayRefuse(const QString& name, const QByteArray& bytes, QSize size) {
    DamageCase c;
    c.name = name;
    c.bytes = bytes;
    c.mayRefuse = true;
    c.size = size;
    return c;
}

DamageCase Opens(const QString& name, const QByteArray& bytes, QSize size) {
    DamageCase c = MayRefuse(name, bytes, size);
    c.mayRefuse = false;
    c.opens = true;
    return c;
}

void AddCuts(std::vector<DamageCase>& corpus, const QString& name, const QByteArray& bytes,
             qsizetype from, QSize size) {
    const qsizetype step = std::max<qsizetype>(1, (bytes.size() - from) / kCutsPerFile);
    for (qsizetype cut = from; cut < bytes.size(); cut += step)
        corpus.push_back(
            MayRefuse(QString("%1-cut-at-%2").arg(name).arg(cut), bytes.left(cut), size));
}

// 1600 x 1200 fitted to 100 columns is decoded at 1/8.
void AddScaledJpegs(std::vector<DamageCase>& corpus) {
    const QImage picture = SourcePicture(1600, 1200);
    for (const bool progressive : {false, true}) {
        JpegOptions options;
        options.progressive = progressive;
        const QByteArray bytes = EncodeJpeg(picture, options);
        const QString name = progressive ? "jpeg-scaled-progressive" : "jpeg-scaled-baseline";
        const qsizetype scan = bytes.indexOf("\xFF\xDA");
        const qsizetype end = bytes.size() - 2;
        corpus.push_back(Opens(name + ".jpg", bytes, kBlock));
        AddCuts(corpus, name, bytes, scan, kBlock);
        corpus.push_back(
            Opens(name + "-corrupt-entropy-data.jpg", Flipped(bytes, scan + 20, end, 40), kBlock));
        // Damage only in the last rows, which a block never reads.
        corpus.push_back(Opens(name + "-corrupt-entropy-data-near-the-end.jpg",
                               Flipped(bytes, end - 400, end, 8), kBlock));
    }
}

void AddStreamedPngs(std::vector<DamageCase>& corpus) {
    const QImage picture = SourcePicture(400, 300);
    const QByteArray png = test::WritePng(picture, {false, 8, false});
    const qsizetype data = png.indexOf("IDAT");
    AddCuts(corpus, "png-streamed", png, data, kBlock);
    QByteArray badCrc = png;
    const quint32 length = qFromBigEndian<quint32>(png.constData() + data - 4);
    badCrc[data + 4 + length] = char(badCrc[data + 4 + length] ^ 0x5A);
    corpus.push_back(MayRefuse("png-streamed-idat-bad-crc.png", badCrc, kBlock));
}

// A gray TIFF built by hand, so that its own IFD carries the orientation.
QByteArray TiffWithOrientation(quint32 orientation, bool bigEndian, quint32 nextIfd) {
    constexpr int kW = 16, kH = 8;
    using test::kLong;
    using test::kShort;
    test::ExifShape shape;
    shape.bigEndian = bigEndian;
    shape.entries = {{0x0100, kShort, 1, kW},
                     {0x0101, kShort, 1, kH},
                     {0x0102, kShort, 1, 8},
                     {0x0103, kShort, 1, 1},
                     {0x0106, kShort, 1, 1},
                     {0x0111, kLong, 1, 0},
                     {test::kOrientationTag, kShort, 1, orientation},
                     {0x0115, kShort, 1, 1},
                     {0x0116, kShort, 1, kH},
                     {0x0117, kLong, 1, kW * kH}};
    shape.nextIfd = nextIfd;
    const quint32 pixelsAt = quint32(test::MakeExif(shape).size());
    shape.entries[5].value = pixelsAt;
    QByteArray tiff = test::MakeExif(shape);
    for (int i = 0; i < kW * kH; ++i) tiff.append(char(i * 7 % 256));
    return tiff;
}

void AddHostileOrientations(std::vector<DamageCase>& corpus) {
    const QSize size(64, 32);
    const QSize tiffSize(16, 8);
    struct Hostile {
        QString name;
        QByteArray exif;
    };
    std::vector<Hostile> hostile;
    for (const quint32 value : {0u, 9u, 65535u}) {
        hostile.push_back({QString("value-%1").arg(value), test::Exif(value, false)});
        hostile.push_back({QString("value-%1-big-endian").arg(value), test::Exif(value, true)});
    }
    test::ExifShape loop = test::Camera(6, false);
    loop.nextIfd = test::kTiffHeaderSize;  // the first IFD links to itself
    hostile.push_back({"ifd-links-to-itself", test::MakeExif(loop)});
    test::ExifShape header = test::Camera(6, true);
    header.ifdOffset = 0;  // the IFD is the header
    hostile.push_back({"ifd-at-the-header", test::MakeExif(header)});
    test::ExifShape past = test::Camera(6, false);
    past.ifdOffset = 0xFFFFFFF0u;
    hostile.push_back({"ifd-past-the-end", test::MakeExif(past)});
    test::ExifShape many = test::Camera(6, false);
    many.declaredCount = 0xFFFF;
    hostile.push_back({"ifd-count-65535", test::MakeExif(many)});
    const QByteArray sound = test::Exif(6, false);
    for (const qsizetype cut : {4, 9, 16, 27, 40})
        hostile.push_back({QString("exif-cut-at-%1").arg(cut), sound.left(cut)});

    for (const Hostile& h : hostile) {
        corpus.push_back(Opens("orientation-jpeg-" + h.name + ".jpg",
                               test::InJpeg(test::ExifSegment(h.exif)), size));
        corpus.push_back(Opens("orientation-png-" + h.name + ".png",
                               test::InPng(test::PngChunk("eXIf", h.exif)), size));
        corpus.push_back(Opens("orientation-webp-" + h.name + ".webp", test::InWebp(h.exif), size));
    }
    // A JPEG segment whose length runs past the end of the file.
    QByteArray longSegment = test::InJpeg(test::ExifSegment(sound));
    qToBigEndian<quint16>(0xFFF0, longSegment.data() + 4);
    corpus.push_back(MayRefuse("orientation-jpeg-segment-past-the-end.jpg", longSegment, size));
    for (const quint32 value : {0u, 9u, 65535u, 6u}) {
        for (const bool big : {false, true}) {
            const QString name =
                QString("orientation-tiff-value-%1%2.tif").arg(value).arg(big ? "-big-endian" : "");
            corpus.push_back(Opens(name, TiffWithOrientation(value, big, 0), tiffSize));
        }
    }
    corpus.push_back(MayRefuse("orientation-tiff-ifd-links-to-itself.tif",
                               TiffWithOrientation(6, false, test::kTiffHeaderSize), tiffSize));
    const QByteArray tiff = TiffWithOrientation(8, true, 0);
    for (const qsizetype cut : {10, 30, 90, 140})
        corpus.push_back(MayRefuse(QString("orientation-tiff-cut-at-%1.tif").arg(cut),
                                   tiff.left(cut), tiffSize));
}

}  // namespace

void AddWholePictureCases(std::vector<DamageCase>& corpus) {
    AddScaledJpegs(corpus);
    AddStreamedPngs(corpus);
    AddHostileOrientations(corpus);
}

}  // namespace glyph::damage
