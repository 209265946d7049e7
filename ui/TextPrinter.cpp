#include "ui/TextPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "ui/Texts.h"

#ifdef GLYPHORAMA_CUPS
#include <cups/cups.h>
#endif

namespace glyph {

namespace {

bool Fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

}  // namespace

bool PrintOnDefaultPrinter(const QString& text, QString* error) {
    return PrintOnPrinter(QPrinterInfo::defaultPrinter(), text, error);
}

bool PrintOnPrinter(const QPrinterInfo& printerInfo, const QString& text, QString* error) {
    if (printerInfo.isNull()) return Fail(error, texts::kNoPrinter);
    // The printer's own settings (paper, margins, font size in points) apply.
    QPrinter printer(printerInfo);
    printer.setDocName(texts::kAppTitle);
    QPainter painter;
    if (!painter.begin(&printer)) return Fail(error, texts::kPrinterRefused);

    const QFontMetricsF metrics(painter.font(), &printer);
    const qreal pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    QStringList lines =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    // A final line break ends the last line; it starts no empty one (nor page).
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    qreal top = 0;
    bool ok = true;
    for (const QString& line : lines) {
        if (top > 0 && top + metrics.height() > pageHeight) {
            ok = printer.newPage();
            if (!ok) break;
            top = 0;
        }
        // Lines wider than the page are cut at its edge, never wrapped.
        painter.drawText(QPointF(0, top + metrics.ascent()), line);
        top += metrics.lineSpacing();
    }
    ok = painter.end() && ok;
    if (!ok || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted) {
        return Fail(error, texts::kPrinterRefused);
    }
#ifdef GLYPHORAMA_CUPS
    // Qt's last call to CUPS was the job's submission; CUPS keeps its answer.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        return Fail(error, QStringLiteral("%1(%2)").arg(texts::kPrinterRefused,
                                                        QString::fromUtf8(cupsLastErrorString())));
    }
#endif
    return true;
}

}  // namespace glyph
