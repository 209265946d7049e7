#include "glyphs/ShapeSource.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "engine/Cp932.h"
#include "engine/EastAsianWidth.h"
#include "files/FileAccess.h"
#include "files/UserFolders.h"
#include "glyphs/GlyphSet.h"

namespace glyph {

namespace {

const QByteArray kMagic = QByteArrayLiteral("Glyphorama shapes\n");
constexpr quint32 kFormat = 2;               // a new way of measuring is a new format
constexpr int kMostGlyphs = 20000;           // more than any set holds
constexpr qint64 kMostFileBytes = 16 << 20;  // a kept pool is well under this
constexpr double kInkSteps = 65535.0;        // ink is kept in 16 bits
constexpr int kSheetColumns = 64;            // glyphs drawn side by side at once

QString SetName(Match set) {
    if (set == Match::kCp932TerminalShapes) return QStringLiteral("cp932-terminal");
    return set == Match::kCp932Shapes ? QStringLiteral("cp932") : QStringLiteral("kanji");
}

QStringList Candidates(Match set) {
    if (set == Match::kKanjiShapes || set == Match::kTone) return Cp932KanjiAndKana();
    QStringList glyphs = Cp932FullWidth();
    // Outside a CJK locale a terminal gives an ambiguous character one column.
    if (set == Match::kCp932TerminalShapes)
        glyphs.removeIf([](const QString& g) { return IsAmbiguousWidth(g.at(0).unicode()); });
    return glyphs;
}

QString Key(const ArtFont& font, Match set) {
    return QStringLiteral("%1-%2-%3-%4-%5")
        .arg(font.family)
        .arg(font.pixelSize)
        .arg(SetName(set), FontIdentity(font), QStringLiteral(GLYPHORAMA_VERSION));
}

// Ink is kept and used at the precision the cache file holds, so a pool read
// back matches exactly as the one just measured.
float Quantized(double ink) {
    return float(std::lround(std::clamp(ink, 0.0, 1.0) * kInkSteps) / kInkSteps);
}

// The ink of a side x side cell of the sheet in kPatchSide x kPatchSide
// parts, each pixel weighted by the part of it inside the part.
std::array<float, kPatchCells> PartInk(const QImage& sheet, QPoint corner, int side) {
    std::array<double, kPatchCells> sums{};
    const auto overlap = [side](int pixel, int part) {
        // Pixel [pixel, pixel + 1) against part [part * side, (part + 1) * side) / kPatchSide.
        const double from = std::max(double(pixel) * kPatchSide, double(part) * side);
        const double to = std::min(double(pixel + 1) * kPatchSide, double(part + 1) * side);
        return std::max(0.0, to - from) / kPatchSide;
    };
    for (int y = 0; y < side; ++y) {
        const uchar* line = sheet.constScanLine(corner.y() + y) + corner.x();
        for (int x = 0; x < side; ++x) {
            const double ink = (255 - line[x]) / 255.0;
            if (ink == 0) continue;
            for (int py = y * kPatchSide / side;
                 py <= std::min(kPatchSide - 1, (y + 1) * kPatchSide / side); ++py) {
                const double wy = overlap(y, py);
                for (int px = x * kPatchSide / side;
                     px <= std::min(kPatchSide - 1, (x + 1) * kPatchSide / side); ++px) {
                    sums[py * kPatchSide + px] += ink * wy * overlap(x, px);
                }
            }
        }
    }
    std::array<float, kPatchCells> ink{};
    const double partArea = double(side) * side / kPatchCells;
    for (int i = 0; i < kPatchCells; ++i) ink[i] = Quantized(sums[i] / partArea);
    return ink;
}

QByteArray ShapesBytes(const QString& key, const std::vector<GlyphShape>& shapes) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeRawData(kMagic.constData(), int(kMagic.size()));
    out << kFormat << key << quint32(kPatchSide) << quint32(shapes.size());
    for (const GlyphShape& shape : shapes) {
        out << shape.glyph;
        for (const float ink : shape.ink) out << quint16(std::lround(ink * kInkSteps));
    }
    bytes += QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
    return bytes;
}

// A kept file is trusted only as it was written for this key; anything else
// (damaged, cut, another program's) is measured again.
std::optional<std::vector<GlyphShape>> ParseShapes(const QByteArray& bytes, const QString& key) {
    constexpr int kHashBytes = 20;
    if (bytes.size() < kMagic.size() + kHashBytes || !bytes.startsWith(kMagic)) return std::nullopt;
    const QByteArray body = bytes.left(bytes.size() - kHashBytes);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha1) != bytes.right(kHashBytes))
        return std::nullopt;
    QDataStream in(body);
    in.skipRawData(int(kMagic.size()));
    quint32 format = 0, side = 0, count = 0;
    QString keptKey;
    in >> format >> keptKey >> side >> count;
    if (format != kFormat || keptKey != key || side != kPatchSide || count > kMostGlyphs)
        return std::nullopt;
    std::vector<GlyphShape> shapes(count);
    for (GlyphShape& shape : shapes) {
        in >> shape.glyph;
        for (float& ink : shape.ink) {
            quint16 kept = 0;
            in >> kept;
            ink = float(kept / kInkSteps);
        }
    }
    if (in.status() != QDataStream::Ok || !in.atEnd() || shapes.empty()) return std::nullopt;
    return shapes;
}

}  // namespace

std::vector<GlyphShape> MeasureShapes(const ArtFont& font, Match set) {
    const GlyphMeter meter(font);
    const QFont art = ArtQFont(font);
    const QFontMetricsF metrics(art);
    const qreal fullWidth = metrics.horizontalAdvance(kSampleKanji);
    // The glyph's own square, a full-width advance each way from the top of
    // the line: what the art's cells are, less the space between the lines.
    const int side = std::max(1, int(std::lround(fullWidth)));
    const int ascent = QFontMetrics(art).ascent();

    QStringList glyphs{kFullWidthSpace};
    for (const QString& glyph : Candidates(set)) {
        // A narrower glyph would shift the rest of its line.
        if (glyph != kFullWidthSpace && meter.Holds(glyph) &&
            std::abs(metrics.horizontalAdvance(glyph) - fullWidth) < 0.5)
            glyphs << glyph;
    }

    // A band of one row of glyphs, drawn and measured, then drawn over for the
    // next row: the memory stays a band's whatever the size (a sheet of every
    // glyph at 512 px would be near 2 GB).
    const int columns = int(std::min<qsizetype>(kSheetColumns, glyphs.size()));
    const Result<MemoryLease> lease = ReserveMemory(qint64(columns) * side * side);
    if (!lease) return {};
    QImage band(columns * side, side, QImage::Format_Grayscale8);
    if (band.isNull()) return {};
    std::vector<GlyphShape> shapes;
    shapes.reserve(std::size_t(glyphs.size()));
    for (qsizetype first = 0; first < glyphs.size(); first += columns) {
        const qsizetype last = std::min<qsizetype>(first + columns, glyphs.size());
        band.fill(Qt::white);
        QPainter painter(&band);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(art);
        painter.setPen(Qt::black);
        for (qsizetype i = first; i < last; ++i) {
            const QPoint corner(int(i - first) * side, 0);
            painter.save();
            painter.setClipRect(QRect(corner, QSize(side, side)));
            painter.drawText(QPoint(corner.x(), ascent), glyphs[i]);
            painter.restore();
        }
        painter.end();
        for (qsizetype i = first; i < last; ++i)
            shapes.push_back({glyphs[i], PartInk(band, QPoint(int(i - first) * side, 0), side)});
    }
    return shapes;
}

QString ShapesPath(const ArtFont& font, Match set) {
    return CachePath(QStringLiteral("shapes"), Key(font, set), QStringLiteral("bin"));
}

std::vector<GlyphShape> LoadShapes(const ArtFont& font, Match set) {
    const QString key = Key(font, set);
    const QString path = ShapesPath(font, set);
    if (!path.isEmpty() && IsRegularFile(path)) {
        const Result<QByteArray> kept = ReadRegularFile(path, kMostFileBytes);
        if (kept) {
            if (std::optional<std::vector<GlyphShape>> shapes = ParseShapes(*kept, key))
                return std::move(*shapes);
        }
    }
    std::vector<GlyphShape> shapes = MeasureShapes(font, set);
    // None measured (no memory for them) is nothing to keep.
    if (!path.isEmpty() && !shapes.empty()) (void)KeepInCache(path, ShapesBytes(key, shapes));
    return shapes;
}

namespace {

std::mutex shapesGuard;
std::optional<ArtFont> chosenFont;  // none: the window's
// By the family drawn: a font file's own, whatever family it says it is.
std::map<std::tuple<Match, QString, int>, std::unique_ptr<const ShapeIndex>> madeShapes;

ArtFont ShapeFont() {
    if (chosenFont) return *chosenFont;
    const Result<ArtFont> font = ResolveArtFont({}, 0);
    if (font) return *font;
    const QFont standard = QGuiApplication::font();
    return {standard.family(), QFontInfo(standard).pixelSize()};
}

}  // namespace

void ChooseShapeFont(const ArtFont& font) {
    const std::lock_guard<std::mutex> lock(shapesGuard);
    chosenFont = font;
}

const ShapeIndex& ArtShapes(Match set) {
    const std::lock_guard<std::mutex> lock(shapesGuard);
    const ArtFont font = ShapeFont();
    std::unique_ptr<const ShapeIndex>& index =
        madeShapes[{set, ArtQFont(font).family(), font.pixelSize}];
    // None measured, for lack of memory: tried again when next asked.
    if (!index || index->size() == 0)
        index = std::make_unique<const ShapeIndex>(LoadShapes(font, set));
    return *index;
}

Result<const ShapeIndex*> FontShapes(Match set) {
    const ShapeIndex& shapes = ArtShapes(set);
    if (shapes.size() == 0) return Error{ErrorKind::kNotTheFile, reasons::kNoMemoryForShapes};
    return &shapes;
}

}  // namespace glyph
