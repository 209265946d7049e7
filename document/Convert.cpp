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
                       const Framing& framing, const ShapePools& pools, Colouring colouring,
                       const Inking& inking) {
    Document document(ramp);
    document.UseShapes(pools);
    if (const Status opened = document.Open(path, framing); !opened) return opened.error();
    for (const Command step : steps) document.Run(step);
    if (colouring == Colouring::kInk) return Art{document.text(), document.colours()};
    const CellColours cells =
        colouring == Colouring::kCell ? document.cellColours(inking) : document.grayCells(inking);
    return Art{document.text(), cells.ink, cells.paper};
}

}  // namespace glyph
