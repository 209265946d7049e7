#pragma once

#include <QByteArray>
#include <QString>

#include "workspace/Result.h"

namespace glyph {

// Saving the text art as a CP932 text file.

// The bytes of the saved file: the text in CP932, then one CR LF. When the text
// holds a character CP932 cannot encode, a message for the user naming that
// character and its line.
Result<QByteArray> EncodeTextFile(const QString& text);

// Writes bytes to path through a temporary file in the same folder that then
// replaces the old file in one step: a failure leaves any old file as it was.
Status WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The message shown when writing fileName failed.
QString SaveFailedMessage(const QString& fileName, const QString& reason);

}  // namespace glyph
