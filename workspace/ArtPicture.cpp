#include "workspace/ArtPicture.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImageWriter>
#include <QPainter>

#include <cmath>

#include "engine/Cp932.h"
#include "workspace/Limits.h"
#include "workspace/Reasons.h"

namespace glyph {

namespace {

constexpr QChar kKanji(0x56FD);  // 国: every kanji of the art is as wide
constexpr int kBytesPerPixel = 4;
// Japanese fonts with full-width cells found on most systems, after the art's own.
const QStringList kFallbackFamilies = {
    QStringLiteral("IPAGothic"),
    QStringLiteral("IPAゴシック"),
    QStringLiteral("Noto Sans Mono CJK JP"),
    QStringLiteral("MS Gothic"),
    QStringLiteral("ＭＳ ゴシック"),
    QStringLiteral("Osaka-Mono"),
};

QFont DrawingFont(const ArtFont& font) {
    QFont drawn(font.family);
    drawn.setPixelSize(font.pixelSize);
    drawn.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    return drawn;
}

QString Hex(QRgb colour) {
    return QStringLiteral("#%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

QRgb Ink(const Art& art, const ArtLook& look, int row, int column, int length) {
    if (look.colour) return CharacterColour(art.colours, row, column, length);
    return look.invert ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
}

QRgb Paper(const ArtLook& look) { return look.invert ? qRgb(0, 0, 0) : qRgb(255, 255, 255); }

// Calls run(row, first, count, colour) for each run of characters of one colour.
template <typename Run>
void ForEachRun(const QList<QStringList>& lines, const Art& art, const ArtLook& look, Run run) {
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList& line = lines[row];
        const int length = int(line.size());
        int first = 0;
        while (first < length) {
            const QRgb colour = Ink(art, look, row, first, length);
            int end = first + 1;
            while (end < length && Ink(art, look, row, end, length) == colour) ++end;
            run(row, first, end - first, colour);
            first = end;
        }
    }
}

}  // namespace

QString ArtFontFamilies(const QString& family) {
    QStringList families = {family};
    for (const QString& fallback : kFallbackFamilies) {
        if (fallback.compare(family, Qt::CaseInsensitive) != 0) families << fallback;
    }
    for (QString& name : families) name = u'"' + name + u'"';
    return families.join(QStringLiteral(", ")) + QStringLiteral(", monospace");
}

ArtDrawing::ArtDrawing(const ArtFont& font)
    : font_(font), raw_(QRawFont::fromFont(DrawingFont(font))) {
    const QFontMetricsF metrics(DrawingFont(font));
    cell_ = std::max(1, int(std::lround(metrics.horizontalAdvance(kKanji))));
    baseline_ =
        int(std::lround((cell_ - (metrics.ascent() + metrics.descent())) / 2 + metrics.ascent()));
}

Status ArtDrawing::CheckHolds(const QString& text) const {
    for (const char32_t c : text.toUcs4()) {
        if (c == u'\r' || c == u'\n' || raw_.supportsCharacter(c)) continue;
        return Error{
            reasons::kFontLacks.arg(font_.family, QString::fromUcs4(&c, 1), CodePointName(c))};
    }
    return Done{};
}

QSize ArtDrawing::PictureSize(const QString& text) const {
    const QList<QStringList> lines = ArtCharacters(text);
    qsizetype widest = 0;
    for (const QStringList& line : lines) widest = std::max(widest, line.size());
    return QSize(int(widest) * cell_, int(lines.size()) * cell_);
}

QImage ArtDrawing::Draw(const Art& art, const ArtLook& look, QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Paper(look));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QList<QStringList> lines = ArtCharacters(art.text);
    ForEachRun(lines, art, look, [&](int row, int first, int count, QRgb colour) {
        const QList<quint32> glyphs =
            raw_.glyphIndexesForString(lines[row].mid(first, count).join(QString()));
        QList<QPointF> positions;
        positions.reserve(glyphs.size());
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            positions << QPointF(qreal(first + i) * cell_, 0);
        QGlyphRun glyphRun;
        glyphRun.setRawFont(raw_);
        glyphRun.setGlyphIndexes(glyphs);
        glyphRun.setPositions(positions);
        painter.setPen(QColor(colour));
        painter.drawGlyphRun(QPointF(0, qreal(row) * cell_ + baseline_), glyphRun);
    });
    return image;
}

Result<QByteArray> ArtDrawing::Png(const Art& art, const ArtLook& look) const {
    const QSize size = PictureSize(art.text);
    const qint64 bytes = qint64(size.width()) * size.height() * kBytesPerPixel;
    const auto tooLarge = [&] {
        return Error{reasons::kArtPictureTooLarge.arg(size.width())
                         .arg(size.height())
                         .arg((bytes + kMegabyte - 1) / kMegabyte)
                         .arg(MemoryBound() / kMegabyte),
                     true};
    };
    if (bytes > MemoryBound()) return tooLarge();
    const Result<MemoryLease> lease = ReserveMemory(bytes);
    if (!lease) return tooLarge();
    QImage image = Draw(art, look, size.isEmpty() ? QSize(1, 1) : size);
    if (image.isNull()) return tooLarge();
    // Black and white art is written as gray, a quarter of the bytes.
    if (!look.colour) image.convertTo(QImage::Format_Grayscale8);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) return Error{reasons::kCannotEncodePng};
    return png;
}

QByteArray ArtDrawing::Svg(const Art& art, const ArtLook& look) const {
    const QSize size = PictureSize(art.text);
    const QList<QStringList> lines = ArtCharacters(art.text);
    QString svg = QStringLiteral(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                      "viewBox=\"0 0 %1 %2\">\n"
                      "<rect width=\"%1\" height=\"%2\" fill=\"%3\"/>\n"
                      "<g font-family=\"%4\" font-size=\"%5\" fill=\"%6\" "
                      "xml:space=\"preserve\" style=\"white-space: pre\">\n")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(Hex(Paper(look)), QString(ArtFontFamilies(font_.family)).toHtmlEscaped())
                      .arg(font_.pixelSize)
                      .arg(Hex(Ink(art, ArtLook{false, look.invert}, 0, 0, 0)));
    int openRow = -1;
    ForEachRun(lines, art, look, [&](int row, int first, int count, QRgb colour) {
        if (row != openRow) {
            if (openRow >= 0) svg += QStringLiteral("</text>\n");
            // Every character placed in its cell, whatever its advance in the viewer's font.
            QStringList xs;
            for (qsizetype i = 0; i < lines[row].size(); ++i) xs << QString::number(i * cell_);
            svg += QStringLiteral("<text x=\"%1\" y=\"%2\">")
                       .arg(xs.join(u' '))
                       .arg(row * cell_ + baseline_);
            openRow = row;
        }
        const QString characters = lines[row].mid(first, count).join(QString()).toHtmlEscaped();
        svg += look.colour
                   ? QStringLiteral("<tspan fill=\"%1\">%2</tspan>").arg(Hex(colour), characters)
                   : characters;
    });
    if (openRow >= 0) svg += QStringLiteral("</text>\n");
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

}  // namespace glyph
