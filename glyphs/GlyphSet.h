#pragma once

namespace glyph {

// How each cell's character is chosen: by its ink alone from the ramp, or by
// the shape of its ink too, from a pool of glyphs.
enum class Match {
    kTone,
    kKanjiShapes,  // the kanji and kana CP932 encodes
    kCp932Shapes,  // every full-width character CP932 encodes
};

}  // namespace glyph
