#include "ui/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "engine/Cp932.h"
#include "ui/Texts.h"

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
    return texts::kUnencodableLine1.arg(line).arg(column).arg(character, codeText) + kCrLf +
           texts::kUnencodableLine2;
}

}  // namespace

TextFileBytes EncodeTextFile(const QString& text) {
    Cp932Encoding encoded = EncodeCp932(text + kCrLf);
    if (!encoded.ok()) return {QByteArray(), UnencodableMessage(text, encoded.badIndex)};
    return {std::move(encoded.bytes), QString()};
}

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const auto failure = [](const QString& what, const QString& detail) {
        const QString reason = QStringLiteral("%1(%2)").arg(what, detail);
        return WriteResult{false, reason};
    };
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows in write()'s
    // result: a buffered one is lost in the final flush and commit() succeeds.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const bool folderExists = QFileInfo(path).absoluteDir().exists();
        return failure(folderExists ? texts::kSaveCannotCreate : texts::kSaveNoFolder,
                       file.errorString());
    }
    // A short write is no error to the file itself, but errno says why.
    if (file.write(bytes) != bytes.size()) {
        const QString detail =
            file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(errno);
        file.cancelWriting();
        return failure(texts::kSaveCannotWrite, detail);
    }
    if (!file.commit()) {
        const bool replacing = file.error() == QFileDevice::RenameError;
        return failure(replacing ? texts::kSaveCannotReplace : texts::kSaveCannotWrite,
                       file.errorString());
    }
    return {true, QString()};
}

QString SaveFailedMessage(const QString& fileName, const QString& reason) {
    return fileName + kCrLf + texts::kSaveFailed + kCrLf + reason;
}

}  // namespace glyph
