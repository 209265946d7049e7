#include "ui/TextPrinter.h"

namespace glyph {

bool PrintOnDefaultPrinter(const QString& text, QString* error) {
    Q_UNUSED(text);
    if (error) *error = QStringLiteral("not yet");
    return false;
}

}  // namespace glyph
