#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "basics/Result.h"
#include "glyphs/GlyphMeter.h"
#include "output/ArtColours.h"
#include "output/ArtPicture.h"

namespace glyph {

// The files the art is written as, by the converter and the window alike.
enum class ArtFormat {
    kText,   // UTF-8, LF, a final LF
    kCp932,  // the window's saved bytes
    kHtml,   // a standalone page
    kAnsi,   // text with a terminal's colour escapes
    kPng,
    kSvg,
};

// The colour escapes of ANSI text.
enum class AnsiColours {
    kFull,  // 24-bit
    k256,   // the 256-colour palette
    kNone,  // plain text
};

struct ArtStyle {
    ArtFormat format = ArtFormat::kText;
    ArtLook look;
    AnsiColours ansi = AnsiColours::kFull;
    // PNG and SVG are drawn in it, and the page set in it; without it the
    // page is the plain one, in the Japanese fonts the browser finds.
    std::optional<ArtFont> font;
};

// The bytes of the art in the style's format; title names a page. Fails
// when CP932 cannot hold a character, or a picture would be too large.
Result<QByteArray> WriteArt(const Art& art, const ArtStyle& style, const QString& title);

// The name ending a file of that format gets: ".txt", ".html", ...
QString ArtExtension(ArtFormat format);

// The palette index of the 256-colour escapes nearest a colour: the 6 x 6 x 6
// cube or the gray ramp.
int Palette256(QRgb colour);
// The colour a palette index from 16 up shows.
QRgb Palette256Colour(int index);

}  // namespace glyph
