#pragma once

#include <QString>
#include <QStringList>

namespace glyph::cli {

// One output path in dir for each picture, in order: the picture's name with
// its last suffix replaced by extension. A name met again gets -2, -3, ...,
// and no output is ever one of the pictures.
QStringList OutputPaths(const QStringList& pictures, const QString& dir, const QString& extension);

}  // namespace glyph::cli
