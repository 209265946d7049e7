#pragma once

#include <QString>
#include <vector>

#include "basics/Result.h"
#include "engine/ShapeMatch.h"
#include "glyphs/GlyphMeter.h"
#include "glyphs/GlyphSet.h"

namespace glyph {

// The pools of glyph shapes the shape match chooses from, measured in the
// font the art is shown in and kept in the user's cache folder.

// Every character of the set the font itself holds (and the full-width
// space), each drawn in a square cell as the text box shows it and its ink
// averaged over kPatchSide x kPatchSide parts. None when the memory to draw
// them in could not be had.
std::vector<GlyphShape> MeasureShapes(const ArtFont& font, Match set);

// Where a pool is kept: named by family, size, set, the font file's own
// identity and the program's version, so that anything else is measured anew.
QString ShapesPath(const ArtFont& font, Match set);

// The pool from the kept file when it is whole and was written for this
// font, set and version; else measured and kept (in memory alone when the
// cache folder cannot be written). Needs a QGuiApplication.
std::vector<GlyphShape> LoadShapes(const ArtFont& font, Match set);

// The font ArtShapes measures in from now on; the window's text box font
// until one is chosen.
void ChooseShapeFont(const ArtFont& font);

// The index of the set in the chosen font, made once per run and shared by
// every thread.
const ShapeIndex& ArtShapes(Match set);

// ArtShapes, made now; fails (not the file's fault) when the memory to
// measure the glyphs could not be had, and is tried again when next asked.
// What a document is handed as its shape pools.
Result<const ShapeIndex*> FontShapes(Match set);

}  // namespace glyph
