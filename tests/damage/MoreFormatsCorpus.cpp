// Damaged PNG, GIF, WebP and TIFF files: cut at many offsets, bad CRCs, huge
// claimed sizes, bad palettes. Each is refused, or gives the same picture on
// every open.

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include "DamageCorpus.h"
#include "picture/BmpRegion.h"
#include "workspace/PictureWriters.h"

namespace glyph::damage {

namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 47;
constexpr qsizetype kPngHeaderTypeAt = 12;  // "IHDR" after the signature and a length
constexpr int kCutsPerFile = 40;

QByteArray Written(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

QByteArray BigEndian32(quint32 value) {
    quint32 big = qToBigEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&big), 4);
}

// Cut at offsets spread over the whole file: whatever opens shows the sound
// picture's pixels or the fill, and the same ones every time.
void AddCuts(std::vector<DamageCase>& corpus, const QString& name, const QByteArray& bytes,
             const QImage& sound) {
    const qsizetype step = std::max<qsizetype>(1, bytes.size() / kCutsPerFile);
    for (qsizetype cut = 0; cut < bytes.size(); cut += step) {
        DamageCase c;
        c.name = QStringLiteral("%1-cut-at-%2").arg(name).arg(cut);
        c.bytes = bytes.left(cut);
        c.mayRefuse = true;
        c.size = sound.size();
        c.sound = sound;
        corpus.push_back(c);
    }
}

DamageCase Case(const QString& name, const QByteArray& bytes, bool opens, QSize size = {}) {
    DamageCase c;
    c.name = name;
    c.bytes = bytes;
    c.opens = opens;
    c.size = size;
    return c;
}

void AddPngs(std::vector<DamageCase>& corpus) {
    const QImage picture = SourcePicture(kWidth, kHeight);
    const QByteArray plain = test::WritePng(picture, {false, 8, false});
    const QByteArray interlaced = test::WritePng(picture, {true, 8, true});
    const QSize size(kWidth, kHeight);
    DamageCase sound = Case("png-sound.png", plain, true, size);
    sound.exact = picture;
    corpus.push_back(sound);
    AddCuts(corpus, "png-plain", plain, picture);
    AddCuts(corpus, "png-interlaced", interlaced, picture);

    QByteArray badHeaderCrc = plain;
    badHeaderCrc[29] = char(badHeaderCrc[29] ^ 0x5A);
    corpus.push_back(Case("png-header-bad-crc.png", badHeaderCrc, false));
    // The first data chunk's CRC: damage in the middle of the picture.
    QByteArray badDataCrc = plain;
    const qsizetype data = plain.indexOf("IDAT");
    const quint32 dataLength = qFromBigEndian<quint32>(plain.constData() + data - 4);
    badDataCrc[data + 4 + dataLength] = char(badDataCrc[data + 4 + dataLength] ^ 0x5A);
    DamageCase crc = Case("png-data-bad-crc.png", badDataCrc, false, size);
    crc.mayRefuse = true;
    crc.sound = picture;
    corpus.push_back(crc);

    const auto claiming = [&](quint32 width, quint32 height) {
        QByteArray bytes = plain;
        bytes.replace(16, 8, BigEndian32(width) + BigEndian32(height));
        return test::WithChunkCrc(bytes, kPngHeaderTypeAt);
    };
    corpus.push_back(Case("png-width-2e31.png", claiming(0x7FFFFFFF, kHeight), false));
    corpus.push_back(Case("png-width-0.png", claiming(0, kHeight), false));
    // A tall claim opens; the rows the file lacks are the fill.
    DamageCase tall =
        Case("png-height-2e31.png", claiming(kWidth, 0x7FFFFFFF), true, QSize(kWidth, 100));
    tall.mayRefuse = true;
    corpus.push_back(tall);

    // A palette shorter than the indexes it is given.
    QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
    const QByteArray paletted = Written(indexed, "png");
    const qsizetype palette = paletted.indexOf("PLTE");
    if (palette > 0) {
        QByteArray shortPalette = paletted;
        shortPalette.replace(palette - 4, 4, BigEndian32(3));  // one colour
        DamageCase c =
            Case("png-palette-short.png", test::WithChunkCrc(shortPalette, palette), false, size);
        c.mayRefuse = true;
        corpus.push_back(c);
    }
}

void AddGifs(std::vector<DamageCase>& corpus) {
    const QImage picture = SourcePicture(kWidth, kHeight).convertToFormat(QImage::Format_Indexed8);
    const QByteArray gif = test::WriteGif(picture);
    const QSize size(kWidth, kHeight);
    corpus.push_back(Case("gif-sound.gif", gif, true, size));
    for (qsizetype cut = 0; cut < gif.size();
         cut += std::max<qsizetype>(1, gif.size() / kCutsPerFile)) {
        DamageCase c = Case(QStringLiteral("gif-cut-at-%1").arg(cut), gif.left(cut), false, size);
        c.mayRefuse = true;
        corpus.push_back(c);
    }
    // The logical screen claims 65535 x 65535, and so does the frame.
    QByteArray huge = gif;
    huge.replace(6, 4, QByteArray("\xFF\xFF\xFF\xFF", 4));
    const qsizetype frame = 6 + 7 + 256 * 3 + 8;
    QByteArray hugeFrame = huge;
    hugeFrame.replace(frame + 5, 4, QByteArray("\xFF\xFF\xFF\xFF", 4));
    DamageCase screen = Case("gif-screen-65535.gif", huge, false, QSize(100, 100));
    screen.mayRefuse = true;
    corpus.push_back(screen);
    corpus.push_back(Case("gif-frame-65535.gif", hugeFrame, false));
    // No colour table at all for the indexes.
    QByteArray noTable = gif;
    noTable[10] = char(0x00);
    noTable.remove(13, 256 * 3);
    DamageCase table = Case("gif-no-colour-table.gif", noTable, false, size);
    table.mayRefuse = true;
    corpus.push_back(table);
}

void AddQtWritten(std::vector<DamageCase>& corpus, const char* format, const QString& prefix) {
    const QImage picture = SourcePicture(kWidth, kHeight);
    const QByteArray bytes = Written(picture, format);
    if (bytes.isEmpty()) return;  // no writer: the set-up installs Qt's image plugins
    const QSize size(kWidth, kHeight);
    corpus.push_back(Case(prefix + "-sound", bytes, true, size));
    for (qsizetype cut = 0; cut < bytes.size();
         cut += std::max<qsizetype>(1, bytes.size() / kCutsPerFile)) {
        DamageCase c =
            Case(QStringLiteral("%1-cut-at-%2").arg(prefix).arg(cut), bytes.left(cut), false, size);
        c.mayRefuse = true;
        corpus.push_back(c);
    }
}

void AddTiffClaims(std::vector<DamageCase>& corpus) {
    const QByteArray tiff = Written(SourcePicture(kWidth, kHeight), "tiff");
    if (tiff.size() < 8 || !tiff.startsWith("II*")) return;
    // Every SHORT or LONG width and length tag of the first directory made huge.
    QByteArray huge = tiff;
    const quint32 directory = qFromLittleEndian<quint32>(tiff.constData() + 4);
    const quint16 count = qFromLittleEndian<quint16>(tiff.constData() + directory);
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype entry = directory + 2 + i * 12;
        const quint16 tag = qFromLittleEndian<quint16>(tiff.constData() + entry);
        const quint16 type = qFromLittleEndian<quint16>(tiff.constData() + entry + 2);
        if (tag != 256 && tag != 257) continue;
        const QByteArray value =
            type == 3 ? QByteArray("\xFF\xFF\0\0", 4) : QByteArray("\xFF\xFF\xFF\x7F", 4);
        huge.replace(entry + 8, 4, value);
    }
    DamageCase c = Case("tiff-claims-huge.tiff", huge, false);
    c.mayRefuse = true;
    corpus.push_back(c);
}

}  // namespace

void AddMoreFormats(std::vector<DamageCase>& corpus) {
    AddPngs(corpus);
    AddGifs(corpus);
    AddQtWritten(corpus, "webp", QStringLiteral("webp"));
    AddQtWritten(corpus, "tiff", QStringLiteral("tiff"));
    AddTiffClaims(corpus);
}

}  // namespace glyph::damage
