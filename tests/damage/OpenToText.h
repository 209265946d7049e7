#pragma once

#include <QImage>
#include <QString>

#include "document/Document.h"
#include "engine/CharRamp.h"
#include "glyphs/ShapeSource.h"

namespace glyph::damage {

struct Opened {
    bool ok = false;  // false: the open command refuses the file
    QString reason;   // why, when refused
    bool tooLarge = false;
    QImage region;
    QString text;
};

// What the open command does with a file: the document the window shows, with
// the built-in ramp.
inline Opened OpenToText(const QString& path) {
    Document document(CharRamp::BuiltIn());
    const Status opened = document.Open(path);
    if (!opened)
        return {false, opened.error().reason, opened.error().kind == ErrorKind::kTooLarge, {}, {}};
    return {true, {}, false, document.block().pixels, document.text()};
}

inline Opened OpenFramedToText(const QString& path, const Framing& framing) {
    Document document(CharRamp::BuiltIn());
    document.UseShapes(&FontShapes);
    const Status opened = document.Open(path, framing);
    if (!opened)
        return {false, opened.error().reason, opened.error().kind == ErrorKind::kTooLarge, {}, {}};
    return {true, {}, false, document.block().pixels, document.text()};
}

// The same with the whole picture fitted to 100 x 100 cells, upright.
inline Opened OpenWholeToText(const QString& path) {
    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    return OpenFramedToText(path, whole);
}

// The whole picture as plain text, which takes no colours, fitted to 16 x 16
// cells: a JPEG larger than that is read at a reduced size from its luma.
inline Opened OpenPlainWholeToText(const QString& path) {
    Framing plain;
    plain.mode = Framing::Mode::kWhole;
    plain.colours = false;
    plain.mostCells = QSize(16, 16);
    return OpenFramedToText(path, plain);
}

// The whole picture fitted to 24 x 24 cells, each matched by the shape of
// its parts: every cell is read as 4 x 4.
inline Opened OpenShapesToText(const QString& path) {
    Framing shapes;
    shapes.mode = Framing::Mode::kWhole;
    shapes.match = Match::kKanjiShapes;
    shapes.mostCells = QSize(24, 24);
    return OpenFramedToText(path, shapes);
}

}  // namespace glyph::damage
