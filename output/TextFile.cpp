#include "output/TextFile.h"

#include "basics/Reasons.h"
#include "engine/Cp932.h"

namespace glyph {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The message for the character at index: where it is, counted as the user
// sees it (lines and characters from 1), and its code point, since it may be
// invisible.
QString UnencodableMessage(const QString& text, qsizetype index) {
    const QStringView view(text);
    const qsizetype lineStart = view.first(index).lastIndexOf(u'\n') + 1;
    const qsizetype line = view.first(index).count(u'\n') + 1;
    const qsizetype column = view.sliced(lineStart, index - lineStart).toUcs4().size() + 1;
    const bool pair = view[index].isHighSurrogate() && index + 1 < view.size() &&
                      view[index + 1].isLowSurrogate();
    const QString character = view.sliced(index, pair ? 2 : 1).toString();
    const QString code = CodePointName(character.toUcs4().value(0));
    return reasons::kUnencodableLine1.arg(line).arg(column).arg(character, code) + kCrLf +
           reasons::kUnencodableLine2;
}

}  // namespace

Result<QByteArray> EncodeTextFile(const QString& text) {
    Cp932Encoding encoded = EncodeCp932(text + kCrLf);
    if (!encoded.ok())
        return Error{ErrorKind::kCannotWrite, UnencodableMessage(text, *encoded.badIndex)};
    return std::move(encoded.bytes);
}

QString SaveFailedMessage(const QString& fileName, const QString& reason) {
    return fileName + kCrLf + reasons::kSaveFailed + kCrLf + reason;
}

}  // namespace glyph
