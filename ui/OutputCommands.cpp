#include <QFileInfo>

#include "output/TextFile.h"
#include "ui/Form1.h"
#include "ui/PlatformServices.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

bool Form1::ConfirmOverwrite(const QString& fileName) {
    MessageRequest question;
    question.text = fileName + kCrLf + texts::kOverwriteLine1 + kCrLf + texts::kOverwriteLine2;
    question.caption = texts::kAppTitle;
    question.icon = QMessageBox::Question;
    question.buttons = QMessageBox::Yes | QMessageBox::No;
    question.defaultButton = QMessageBox::Yes;
    return services_.ShowMessage(this, question) == QMessageBox::Yes;
}

// The old file is replaced only once the new text is fully written, and every
// failure but a cancel or a "No" is told to the user.
void Form1::SaveText() {
    CommonDialog& dialog = CommonDialog1;
    dialog.Filter = texts::kSaveFilter;
    dialog.FileName = QString();
    dialog.FilterIndex = 1;
    if (!dialog.ShowSave()) return;
    const QString fileName = dialog.FileName;

    const Result<QByteArray> file = EncodeTextFile(Text());
    if (!file) return ShowNotice(file.error().reason, texts::kAppTitle, QMessageBox::Warning);
    if (IsRegularFile(fileName) && !ConfirmOverwrite(fileName)) return;
    const Status written = WriteFileAtomically(fileName, *file);
    if (!written) {
        ShowNotice(SaveFailedMessage(fileName, written.error().reason), texts::kAppTitle,
                   QMessageBox::Critical);
    }
}

void Form1::PrintText() {
    const QString text = Text();
    if (text.isEmpty()) {
        return ShowNotice(texts::kNoPicture, texts::kErrorCaption, QMessageBox::Warning);
    }
    if (const Status printed = services_.PrintText(text); !printed) {
        ShowNotice(texts::kPrintFailed + kCrLf + printed.error().reason, texts::kErrorCaption,
                   QMessageBox::Warning);
    }
}

namespace {

// The clipboard takes the platform's own line ends.
QString ClipboardText(QString text) {
#ifndef Q_OS_WIN
    text.replace(kCrLf, QStringLiteral("\n"));
#endif
    return text;
}

}  // namespace

void Form1::CopyText() {
    if (const Status copied = services_.SetClipboardText(ClipboardText(Text())); !copied) {
        ShowNotice(texts::kCopyFailed + kCrLf + copied.error().reason, texts::kErrorCaption,
                   QMessageBox::Warning);
    }
}

}  // namespace glyph
