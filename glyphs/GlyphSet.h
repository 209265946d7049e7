#pragma once

#include <QChar>
#include <QString>

namespace glyph {

// A full-width kanji: every kanji and kana of the art is as wide, so its
// advance is the art's cell.
inline const QString kSampleKanji = QStringLiteral("漢");
inline const QString kFullWidthSpace = QString(QChar(0x3000));

// How each cell's character is chosen: by its ink alone from the ramp, or by
// the shape of its ink too, from a pool of glyphs.
enum class Match {
    kTone,
    kKanjiShapes,  // the kanji and kana CP932 encodes
    kCp932Shapes,  // every full-width character CP932 encodes
    // Those of them a terminal shows two columns wide in any locale: the
    // converter's pool for --pool=cp932 when its art goes to a terminal.
    kCp932TerminalShapes,
};

}  // namespace glyph
