#include "output/ArtPicture.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <cmath>
#include <vector>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "engine/Cp932.h"
#include "output/Markup.h"
#include "output/PngEncode.h"

namespace glyph {

namespace {

constexpr QChar kKanji(0x56FD);  // 国: every kanji of the art is as wide
// What a picture costs a pixel while it is made: the glyphs drawn (RGB32),
// the picture (RGB32 in colour, else gray) and at most as much again encoded.
constexpr int kBytesPerColourPixel = 4 + 4 + 3;
constexpr int kBytesPerGrayPixel = 4 + 1 + 1;
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
    return ArtQFont(font, QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
}

// Black on white drawn on RGB32, as one byte a pixel; white on black inverted.
QImage Gray(const QImage& drawn, bool invert) {
    QImage gray(drawn.size(), QImage::Format_Grayscale8);
    if (gray.isNull()) return gray;
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        uchar* out = gray.scanLine(y);
        for (int x = 0, width = drawn.width(); x < width; ++x)
            out[x] = uchar(invert ? 255 - qBlue(in[x]) : qBlue(in[x]));
    }
    return gray;
}

}  // namespace

QString ArtFontFamilies(const QString& family) {
    QStringList families = {family};
    for (const QString& fallback : kFallbackFamilies) {
        if (fallback.compare(family, Qt::CaseInsensitive) != 0) families << fallback;
    }
    for (QString& name : families) name = CssString(name);
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
            ErrorKind::kDamaged,
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

// Every line drawn black on white in one glyph run (on RGB32, Qt's fast
// path), then coloured cell by cell from the glyphs' coverage: as painting
// each run of one colour would, at a fraction of the cost when few
// neighbours share a colour.
QImage ArtDrawing::Draw(const Art& art, const ArtLook& look, QSize size) const {
    QImage ink(size, QImage::Format_RGB32);
    if (ink.isNull()) return ink;
    ink.fill(Qt::white);
    const QList<QStringList> lines = ArtCharacters(art.text);
    {
        QPainter painter(&ink);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(Qt::black);
        for (int row = 0; row < lines.size(); ++row) {
            const QList<quint32> glyphs = raw_.glyphIndexesForString(lines[row].join(QString()));
            QList<QPointF> positions;
            positions.reserve(glyphs.size());
            for (qsizetype i = 0; i < glyphs.size(); ++i) positions << QPointF(qreal(i) * cell_, 0);
            QGlyphRun run;
            run.setRawFont(raw_);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter.drawGlyphRun(QPointF(0, qreal(row) * cell_ + baseline_), run);
        }
    }
    if (!look.colour && art.paper.isNull()) return Gray(ink, look.invert);
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull()) return picture;
    const QRgb plainPaper = PaperColour(look);
    std::vector<InkOnPaper> colours;  // of the row of cells y is in
    for (int y = 0; y < size.height(); ++y) {
        const int row = y / cell_;
        if (y % cell_ == 0) {
            const int length = row < lines.size() ? int(lines[row].size()) : 0;
            colours.assign(std::size_t(size.width() / cell_), {plainPaper, plainPaper});
            for (int column = 0; column < length; ++column)
                colours[std::size_t(column)] = CharacterColours(art, look, row, column, length);
        }
        const auto* coverage = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (std::size_t cell = 0; cell < colours.size(); ++cell) {
            const auto [colour, paper] = colours[cell];
            const int red = qRed(paper), green = qGreen(paper), blue = qBlue(paper);
            const int toRed = qRed(colour) - red, toGreen = qGreen(colour) - green,
                      toBlue = qBlue(colour) - blue;
            for (int x = int(cell) * cell_, end = x + cell_; x < end; ++x) {
                const int a = 255 - qBlue(coverage[x]);
                out[x] =
                    a == 0 ? paper
                           : qRgb(red + (toRed * a + 127) / 255, green + (toGreen * a + 127) / 255,
                                  blue + (toBlue * a + 127) / 255);
            }
        }
    }
    return picture;
}

std::vector<float> ArtDrawing::Coverage(const QStringList& glyphs) const {
    // A line of glyphs a cell apart, so that none reaches into another's cell.
    constexpr int kPerLine = 64;
    QImage line(2 * kPerLine * cell_, cell_, QImage::Format_RGB32);
    std::vector<float> coverage;
    coverage.reserve(std::size_t(glyphs.size()));
    if (line.isNull()) return coverage;
    for (qsizetype first = 0; first < glyphs.size(); first += kPerLine) {
        const qsizetype count = std::min<qsizetype>(kPerLine, glyphs.size() - first);
        QList<quint32> indexes;
        QList<QPointF> positions;
        for (qsizetype i = 0; i < count; ++i) {
            indexes << raw_.glyphIndexesForString(glyphs[first + i]).value(0);
            positions << QPointF(qreal(2 * i * cell_), 0);
        }
        line.fill(Qt::white);
        {
            QPainter painter(&line);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setPen(Qt::black);
            QGlyphRun run;
            run.setRawFont(raw_);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            painter.drawGlyphRun(QPointF(0, baseline_), run);
        }
        std::vector<qint64> ink(std::size_t(count), 0);
        for (int y = 0; y < cell_; ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(line.constScanLine(y));
            for (qsizetype i = 0; i < count; ++i)
                for (int x = 0; x < cell_; ++x)
                    ink[std::size_t(i)] += 255 - qBlue(pixels[2 * i * cell_ + x]);
        }
        for (const qint64 sum : ink)
            coverage.push_back(float(double(sum) / (255.0 * cell_ * cell_)));
    }
    return coverage;
}

Result<QByteArray> ArtDrawing::Png(const Art& art, const ArtLook& look) const {
    const QSize size = PictureSize(art.text);
    const qint64 bytes =
        qint64(size.width()) * size.height() *
        (look.colour || !art.paper.isNull() ? kBytesPerColourPixel : kBytesPerGrayPixel);
    const auto tooLarge = [&] {
        return Error{ErrorKind::kTooLarge, reasons::kArtPictureTooLarge.arg(size.width())
                                               .arg(size.height())
                                               .arg((bytes + kMegabyte - 1) / kMegabyte)
                                               .arg(MemoryBound() / kMegabyte)};
    };
    if (bytes > MemoryBound()) return tooLarge();
    const Result<MemoryLease> lease = ReserveMemory(bytes);
    if (!lease) return tooLarge();
    const QImage image = Draw(art, look, size.isEmpty() ? QSize(1, 1) : size);
    if (image.isNull()) return tooLarge();
    return EncodePng(image, !art.paper.isNull());
}

QString ArtDrawing::PaperRectangles(const QList<QStringList>& lines, const Art& art,
                                    const ArtLook& look) const {
    QString rects = QStringLiteral("<g shape-rendering=\"crispEdges\">\n");
    for (int row = 0; row < lines.size(); ++row) {
        const int length = int(lines[row].size());
        const auto paperAt = [&](int column) {
            return CharacterColours(art, look, row, column, length).paper;
        };
        for (int first = 0; first < length;) {
            const QRgb paper = paperAt(first);
            int end = first + 1;
            while (end < length && paperAt(end) == paper) ++end;
            rects +=
                QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                    .arg(first * cell_)
                    .arg(row * cell_)
                    .arg((end - first) * cell_)
                    .arg(cell_)
                    .arg(HexColour(paper));
            first = end;
        }
    }
    return rects + QStringLiteral("</g>\n");
}

QByteArray ArtDrawing::Svg(const Art& art, const ArtLook& look) const {
    const QSize size = PictureSize(art.text);
    const QList<QStringList> lines = ArtCharacters(art.text);
    // One substitution, so a % in the family's name stays as it is.
    QString svg =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
            "viewBox=\"0 0 %1 %2\">\n"
            "<rect width=\"%1\" height=\"%2\" fill=\"%3\"/>\n"
            "<g font-family=\"%4\" font-size=\"%5\" fill=\"%6\" "
            "xml:space=\"preserve\" style=\"white-space: pre\">\n")
            .arg(QString::number(size.width()), QString::number(size.height()),
                 HexColour(PaperColour(look)), XmlAttribute(ArtFontFamilies(font_.family)),
                 QString::number(font_.pixelSize), HexColour(PlainInk(look)));
    // Cells with papers of their own: a rectangle for each run of one paper,
    // behind the text, whose runs are of one ink alone.
    if (!art.paper.isNull()) svg += PaperRectangles(lines, art, look);
    const Art inks{art.text, art.colours};
    int openRow = -1;
    ForEachColourRun(lines, inks, look, [&](int row, int first, int count, const InkOnPaper& pair) {
        const QRgb colour = pair.ink;
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
        svg +=
            look.colour
                ? QStringLiteral("<tspan fill=\"%1\">%2</tspan>").arg(HexColour(colour), characters)
                : characters;
    });
    if (openRow >= 0) svg += QStringLiteral("</text>\n");
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

}  // namespace glyph
