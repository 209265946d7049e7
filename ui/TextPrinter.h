#pragma once

#include <QString>

#include "basics/Result.h"

class QPrinterInfo;

namespace glyph {

// Prints text on the default printer in one job, no dialog: a new line at each
// line break, a new page when a page is full, no wrapping and no cutting (the
// printer's font, smaller where the widest line needs it). The reason when
// there is no default printer or the job fails.
Status PrintOnDefaultPrinter(const QString& text);

// The same on a given printer; a null one is a missing printer.
Status PrintOnPrinter(const QPrinterInfo& printerInfo, const QString& text);

}  // namespace glyph
