#pragma once

#include <QImageReader>

namespace glyph {

// Set-up shared by every Qt picture reader: the format was already chosen
// from the file's content, and pixels come as stored, whatever an orientation
// tag says: the program, not each reader, decides what orientation does.
inline void ConfigureQtReader(QImageReader& reader) {
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
}

}  // namespace glyph
