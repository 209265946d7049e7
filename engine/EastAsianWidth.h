#pragma once

namespace glyph {

// Whether Unicode's East Asian Width table calls the character ambiguous
// ("A"): two columns wide on a terminal in a CJK locale, one elsewhere, so a
// line holding it may shift. Greek, Cyrillic, box drawing, ○●□■※→ and the
// like; the Basic Multilingual Plane alone, as CP932 lies within it.
bool IsAmbiguousWidth(char16_t c);

}  // namespace glyph
