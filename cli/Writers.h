#pragma once

#include <QByteArray>
#include <QString>

#include "cli/Options.h"
#include "workspace/Result.h"

namespace glyph::cli {

// The bytes written for one picture's art (lines separated by CR LF, as the
// window holds it): UTF-8 with LF and a final LF; the window's saved file; or
// an HTML page titled after the picture. Fails when CP932 cannot hold a
// character.
Result<QByteArray> FormatArt(const QString& art, Format format, const QString& title);

// The name ending an output file of that format gets in --output-dir.
QString Extension(Format format);

}  // namespace glyph::cli
