#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include "basics/Result.h"
#include "document/Document.h"
#include "engine/CharRamp.h"
#include "output/ArtColours.h"

namespace glyph {

// The one path from a picture file to its text art, as the window shows it
// after the same commands: open with the block at origin, then each command in
// turn (one that the window would not offer at that point does nothing).
// Lines end in CR LF.
Result<QString> ConvertFile(const QString& path, const QList<Command>& steps, const CharRamp& ramp,
                            QPoint origin = {});
// The same with the working image the framing makes; shapes are matched
// from `pools`.
Result<QString> ConvertFile(const QString& path, const QList<Command>& steps, const CharRamp& ramp,
                            const Framing& framing, const ShapePools& pools = {});
// How the art's cells are coloured.
enum class Colouring {
    kInk,   // each glyph in its cell's colour, on the plain paper (ArtColours)
    kCell,  // each cell's colour split into its glyph's ink and its own paper
    kGray,  // each cell's tone split into a gray ink and a gray paper
};

// The same with the colours of each cell, inked as `inking` says.
Result<Art> ConvertArt(const QString& path, const QList<Command>& steps, const CharRamp& ramp,
                       const Framing& framing, const ShapePools& pools = {},
                       Colouring colouring = Colouring::kInk, const Inking& inking = {});

}  // namespace glyph
