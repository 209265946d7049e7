#include "document/Convert.h"

namespace glyph {

Result<QString> ConvertFile(const QString& path, const QList<Command>& steps, const CharRamp& ramp,
                            QPoint origin) {
    Framing block;
    block.origin = origin;
    return ConvertFile(path, steps, ramp, block);
}

Result<QString> ConvertFile(const QString& path, const QList<Command>& steps, const CharRamp& ramp,
                            const Framing& framing, const ShapePools& pools) {
    Document document(ramp);
    document.UseShapes(pools);
    if (const Status opened = document.Open(path, framing); !opened) return opened.error();
    for (const Command step : steps) document.Run(step);
    return document.text();
}

Result<Art> ConvertArt(const QString& path, const QList<Command>& steps, const CharRamp& ramp,
                       const Framing& framing, const ShapePools& pools) {
    Document document(ramp);
    document.UseShapes(pools);
    if (const Status opened = document.Open(path, framing); !opened) return opened.error();
    for (const Command step : steps) document.Run(step);
    return Art{document.text(), document.colours()};
}

}  // namespace glyph
