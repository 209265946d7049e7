#pragma once

#include <QImage>
#include <QString>

#include "engine/CharRamp.h"
#include "workspace/Document.h"

namespace glyph::damage {

struct Opened {
    bool ok = false;  // false: the open command refuses the file
    QString reason;   // why, when refused
    QImage region;
    QString text;
};

// What the open command does with a file: the document the window shows, with
// the built-in ramp.
inline Opened OpenToText(const QString& path) {
    Document document(CharRamp::BuiltIn());
    const Status opened = document.Open(path);
    if (!opened) return {false, opened.error().reason, {}, {}};
    return {true, {}, document.block().pixels, document.text()};
}

// The same with the whole picture fitted to 100 x 100 cells, upright.
inline Opened OpenWholeToText(const QString& path) {
    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    Document document(CharRamp::BuiltIn());
    const Status opened = document.Open(path, whole);
    if (!opened) return {false, opened.error().reason, {}, {}};
    return {true, {}, document.block().pixels, document.text()};
}

}  // namespace glyph::damage
