// Draws text art as it is shown, for scoring it against its picture
// (bench/shape_bench.py): IPAGothic at 16 pixels, one square cell of 16 x 16
// per full-width character (its em square), black on white.
//
//   shape_art draw ART.txt OUT.png          full-width characters, square cells
//   shape_art draw --half ART.txt OUT.png   half-width cells (8 x 16), as a
//                                           terminal shows chafa's symbols
//   shape_art time PICTURE [kanji|cp932]    times the match of a 100 x 100 art
//   shape_art match PICTURE kanji|cp932 GAIN TONE [SPREAD REPEAT]
//                                           shape art with other weights
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/ShapeMatch.h"
#include "glyphs/GlyphSet.h"
#include "glyphs/ShapeSource.h"
#include "picture/CellReader.h"

namespace {

constexpr int kPixelSize = 16;
const QString kFamily = QStringLiteral("IPAGothic");

QFont ArtFont() {
    QFont font(kFamily);
    font.setPixelSize(kPixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The glyph's own square: a full-width advance each way, as the pool is measured.
int CellSide(const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(glyph::kSampleKanji);
}

int Draw(const QString& textPath, const QString& pngPath, bool half) {
    QFile file(textPath);
    if (!file.open(QIODevice::ReadOnly)) return 1;
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : lines) line.remove(QLatin1Char('\r'));
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    const QFont font = ArtFont();
    const int kCell = CellSide(font);
    const int slot = half ? kCell / 2 : kCell;
    int columns = 0;
    for (const QString& line : lines) columns = std::max(columns, int(line.toUcs4().size()));
    QImage art(columns * slot, int(lines.size()) * kCell, QImage::Format_Grayscale8);
    art.fill(Qt::white);
    const QFontMetrics metrics(font);
    QImage glyph(kCell, kCell, QImage::Format_Grayscale8);
    QPainter painter(&art);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int row = 0; row < lines.size(); ++row) {
        const QList<uint> codes = lines[row].toUcs4();
        for (int column = 0; column < codes.size(); ++column) {
            const QString text =
                QString::fromUcs4(reinterpret_cast<const char32_t*>(&codes[column]), 1);
            glyph.fill(Qt::white);
            QPainter glyphPainter(&glyph);
            glyphPainter.setRenderHint(QPainter::TextAntialiasing);
            glyphPainter.setFont(font);
            glyphPainter.setPen(Qt::black);
            glyphPainter.drawText(QPointF(0, metrics.ascent()), text);
            glyphPainter.end();
            // A full-width glyph in a half-width cell is squeezed into it.
            const QRect from(0, 0, metrics.horizontalAdvance(text) > slot ? kCell : slot, kCell);
            painter.drawImage(QRect(column * slot, row * kCell, slot, kCell), glyph, from);
        }
    }
    painter.end();
    return art.save(pngPath) ? 0 : 1;
}

// The match alone, once the pool is measured: the figure the window's tone
// steps wait for.
int Time(const QString& picture, const QString& poolName) {
    const glyph::Match match = poolName == QStringLiteral("cp932") ? glyph::Match::kCp932Shapes
                                                                   : glyph::Match::kKanjiShapes;
    QElapsedTimer measuring;
    measuring.start();
    glyph::ChooseShapeFont({kFamily, kPixelSize});
    const glyph::ShapeIndex& shapes = glyph::ArtShapes(match);
    const double poolMs = double(measuring.nsecsElapsed()) / 1e6;
    glyph::Framing framing;
    framing.mode = glyph::Framing::Mode::kWhole;
    framing.match = match;
    const glyph::Result<glyph::Cells> cells = glyph::ReadCells(picture, framing);
    if (!cells) return 1;
    const int columns = cells->size.width() / glyph::kPatchSide;
    const int rows = cells->size.height() / glyph::kPatchSide;
    std::vector<double> times;
    QString text;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer timer;
        timer.start();
        text = glyph::MatchShapes(shapes, cells->levels, columns, rows,
                                  glyph::PictureSpan(cells->levels, columns));
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "pool %zu glyphs, %.1f MB, ready in %.0f ms (cached or measured); "
        "match %d x %d cells: median %.1f ms, best %.1f ms\n",
        shapes.size(), double(shapes.Bytes()) / 1e6, poolMs, columns, rows, times[times.size() / 2],
        times.front());
    return 0;
}

// The shape art of a picture with other weights than the program's, 100
// columns, in the bench's font: for trying weights in the bench.
int MatchWith(const QString& picture, const QString& poolName, const glyph::ShapeWeights& weights) {
    const glyph::Match match = poolName == QStringLiteral("cp932") ? glyph::Match::kCp932Shapes
                                                                   : glyph::Match::kKanjiShapes;
    const glyph::ShapeIndex shapes(glyph::LoadShapes({kFamily, kPixelSize}, match), weights);
    glyph::Framing framing;
    framing.mode = glyph::Framing::Mode::kWhole;
    framing.mostCells = QSize(100, 1000);
    framing.match = match;
    const glyph::Result<glyph::Cells> cells = glyph::ReadCells(picture, framing);
    if (!cells) return 1;
    const QString text = glyph::MatchShapes(
        shapes, cells->levels, cells->size.width() / glyph::kPatchSide,
        cells->size.height() / glyph::kPatchSide,
        glyph::PictureSpan(cells->levels, cells->size.width() / glyph::kPatchSide));
    std::fputs(qUtf8Printable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) +
                              QStringLiteral("\n")),
               stdout);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    args.removeFirst();
    if (command == QStringLiteral("draw")) {
        const bool half = args.removeAll(QStringLiteral("--half")) > 0;
        if (args.size() == 2) return Draw(args[0], args[1], half);
    } else if (command == QStringLiteral("match") && args.size() >= 4) {
        glyph::ShapeWeights weights;
        weights.gain = args[2].toFloat();
        weights.tone = args[3].toFloat();
        weights.spread = args.value(4, QStringLiteral("1")).toFloat();
        weights.repeat = args.value(5, QStringLiteral("0")).toFloat();
        return MatchWith(args[0], args[1], weights);
    } else if (command == QStringLiteral("time") && !args.isEmpty()) {
        return Time(args[0], args.value(1));
    }
    std::fputs("usage: shape_art draw [--half] ART.txt OUT.png | time PICTURE [kanji|cp932]\n",
               stderr);
    return 2;
}
