#include "workspace/Convert.h"

namespace glyph {

Result<QString> ConvertFile(const QString& path, const QList<Command>& steps, const CharRamp& ramp,
                            QPoint origin) {
    Document document(ramp);
    if (const Status opened = document.Open(path, origin); !opened) return opened.error();
    for (const Command step : steps) document.Run(step);
    return document.text();
}

}  // namespace glyph
