#include "workspace/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "engine/Cp932.h"
#include "workspace/Reasons.h"

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
    const uint code = character.toUcs4().value(0);
    const QString codeText = QStringLiteral("U+%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
    return reasons::kUnencodableLine1.arg(line).arg(column).arg(character, codeText) + kCrLf +
           reasons::kUnencodableLine2;
}

}  // namespace

Result<QByteArray> EncodeTextFile(const QString& text) {
    Cp932Encoding encoded = EncodeCp932(text + kCrLf);
    if (!encoded.ok()) return Error{UnencodableMessage(text, encoded.badIndex)};
    return std::move(encoded.bytes);
}

Status WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const auto failure = [](const QString& what, const QString& detail) {
        return Error{QStringLiteral("%1(%2)").arg(what, detail)};
    };
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows in write()'s
    // result: a buffered one is lost in the final flush and commit() succeeds.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const bool folderExists = QFileInfo(path).absoluteDir().exists();
        return failure(folderExists ? reasons::kSaveCannotCreate : reasons::kSaveNoFolder,
                       file.errorString());
    }
    // A short write is no error to the file itself, but errno says why.
    if (file.write(bytes) != bytes.size()) {
        const QString detail =
            file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(errno);
        file.cancelWriting();
        return failure(reasons::kSaveCannotWrite, detail);
    }
    if (!file.commit()) {
        const bool replacing = file.error() == QFileDevice::RenameError;
        return failure(replacing ? reasons::kSaveCannotReplace : reasons::kSaveCannotWrite,
                       file.errorString());
    }
    return Done{};
}

QString SaveFailedMessage(const QString& fileName, const QString& reason) {
    return fileName + kCrLf + reasons::kSaveFailed + kCrLf + reason;
}

}  // namespace glyph
