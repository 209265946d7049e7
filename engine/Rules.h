#pragma once

// Arithmetic rules the art keeps on purpose. Each looks like a slip, and each
// changes the text a picture and its steps turn into; a picture must give the
// same text in every version, so they stay, pinned by the golden texts.
//
// - The painted preview is read back: every adjustment but reset, and undo and
//   redo, start from the preview painted as gray, not from its levels. The gray
//   of 67 levels (1, 2, 4, 5, 8, 10, ...) reads one lower (GrayLevel), so such
//   levels drift darker from step to step (ReadPreview in the document).
// - The sampling grid has kGridSide cells a side: positions 0..W inclusive are
//   read, and the last normally holds no pixel. Only pixels read count for the
//   darkest and lightest level; a cell nothing was read into stays 0 (black).
// - Contrast divides by kContrastDivisor, not 100: a step of 10 multiplies the
//   distance from 127 by 111/101 or 91/101, and rounds half to even.
// - Booleans of the adjustment are 16-bit, -1 on and 0 off; any other non-zero
//   value is on too (Adjustment::autoLevel).
// - The history's 16-bit counters may pass below 0 (History): a push takes the
//   cursor from the undo count before clamping it to 0, so a step after undos
//   leaves fewer undo steps than the slots still hold; and an undo or redo the
//   cursor cannot take still changes the undo count.

namespace glyph {

inline constexpr int kGridSide = 101;
inline constexpr double kContrastDivisor = 101.0;

}  // namespace glyph
