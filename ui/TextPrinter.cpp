#include "ui/TextPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

#include "glyphs/GlyphSet.h"
#include "ui/Texts.h"

#include <algorithm>

#ifdef GLYPHORAMA_CUPS
#include <cups/cups.h>
#endif

namespace glyph {

namespace {

// Smaller sizes than this would no longer be legible on paper.
constexpr qreal kSmallestPointSize = 2.0;
// Each further try shrinks the font a little more, for fonts whose advances
// do not scale exactly with their size.
constexpr qreal kShrinkStep = 0.97;
constexpr int kMaxShrinkTries = 40;
// Lines are one full-width character apart, so that the art's cells are
// square and it keeps the picture's shape on paper.

qreal WidestLine(const QStringList& lines, const QFont& font, QPaintDevice* device) {
    const QFontMetricsF metrics(font, device);
    qreal widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The printer's default font, made smaller where needed so that the widest
// line fits the printable width: every character of every line is printed.
QFont FittingFont(QFont font, const QStringList& lines, QPaintDevice* device, qreal width) {
    qreal widest = WidestLine(lines, font, device);
    if (widest <= width) return font;
    qreal size = font.pointSizeF() * width / widest;
    for (int tries = 0; tries < kMaxShrinkTries && size > kSmallestPointSize; ++tries) {
        font.setPointSizeF(size);
        widest = WidestLine(lines, font, device);
        if (widest <= width) return font;
        size *= kShrinkStep;
    }
    font.setPointSizeF(kSmallestPointSize);
    return font;
}

}  // namespace

Status PrintOnDefaultPrinter(const QString& text) {
    return PrintOnPrinter(QPrinterInfo::defaultPrinter(), text);
}

Status PrintOnPrinter(const QPrinterInfo& printerInfo, const QString& text) {
    if (printerInfo.isNull()) return Error{ErrorKind::kCannotWrite, texts::kNoPrinter};
    // The printer's own settings (paper, margins, font size in points) apply.
    QPrinter printer(printerInfo);
    printer.setDocName(texts::kAppTitle);
    QPainter painter;
    if (!painter.begin(&printer)) return Error{ErrorKind::kCannotWrite, texts::kPrinterRefused};

    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    QStringList lines =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    // A final line break ends the last line; it starts no empty one (nor page).
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    painter.setFont(FittingFont(painter.font(), lines, &printer, page.width()));
    const QFontMetricsF metrics(painter.font(), &printer);
    // Every kanji of the art is as wide.
    const qreal lineStep = metrics.horizontalAdvance(kSampleKanji);
    const qreal pageHeight = page.height();
    qreal top = 0;
    bool ok = true;
    for (const QString& line : lines) {
        if (top > 0 && top + metrics.height() > pageHeight) {
            ok = printer.newPage();
            if (!ok) break;
            top = 0;
        }
        painter.drawText(QPointF(0, top + metrics.ascent()), line);
        top += lineStep;
    }
    ok = painter.end() && ok;
    if (!ok || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted) {
        return Error{ErrorKind::kCannotWrite, texts::kPrinterRefused};
    }
#ifdef GLYPHORAMA_CUPS
    // Qt's last call to CUPS was the job's submission; CUPS keeps its answer.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        return Error{ErrorKind::kCannotWrite,
                     QStringLiteral("%1(%2)").arg(texts::kPrinterRefused,
                                                  QString::fromUtf8(cupsLastErrorString()))};
    }
#endif
    return Done{};
}

}  // namespace glyph
