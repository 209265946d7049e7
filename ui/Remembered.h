#pragma once

#include <QString>
#include <optional>

#include "picture/Framing.h"

namespace glyph {

// The window's choices, kept for the next start in the user's configuration
// folder. Nothing kept, or nothing readable, is the first start's choices.
struct Choices {
    Framing::Mode mode = Framing::Mode::kBlock;
    // The whole picture and a rectangle read best matched by shape; the
    // block is never matched, whatever is chosen.
    Match match = Match::kKanjiShapes;
    bool colourView = false;
    std::optional<qreal> zoom;  // the user's size; none: the text box's usual one
};

// Where they are kept; empty without a home.
QString ChoicesPath();
Choices LoadChoices();

// Each keeps one choice; a file that cannot be written keeps nothing, silently.
void RememberMode(Framing::Mode mode);
void RememberMatch(Match match);
void RememberColourView(bool on);
// The usual size is forgotten rather than kept, so that it follows the desktop's font.
void RememberZoom(qreal size, qreal usual);

}  // namespace glyph
