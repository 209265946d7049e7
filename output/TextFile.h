#pragma once

#include <QByteArray>
#include <QString>

#include "basics/Result.h"
#include "files/FileAccess.h"

namespace glyph {

// Saving the text art as a CP932 text file.

// The bytes of the saved file: the text in CP932, then one CR LF. When the text
// holds a character CP932 cannot encode, a message for the user naming that
// character and its line.
Result<QByteArray> EncodeTextFile(const QString& text);

// The message shown when writing fileName failed.
QString SaveFailedMessage(const QString& fileName, const QString& reason);

}  // namespace glyph
