#pragma once

#include <QString>

class QPrinterInfo;

namespace glyph {

// Prints text on the default printer in one job, no dialog: a new line at each
// line break, a new page when a page is full, no wrapping and no cutting (the
// printer's font, smaller where the widest line needs it). False with a reason
// when there is no default printer or the job fails.
bool PrintOnDefaultPrinter(const QString& text, QString* error);

// The same on a given printer; a null one is a missing printer.
bool PrintOnPrinter(const QPrinterInfo& printerInfo, const QString& text, QString* error);

}  // namespace glyph
