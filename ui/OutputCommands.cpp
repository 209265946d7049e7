#include <QFileInfo>

#include "ui/Form1.h"
#include "ui/PlatformServices.h"
#include "ui/TextFile.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool ConfirmOverwrite(Form1& form, const QString& fileName) {
    MessageRequest question;
    question.text = fileName + kCrLf + texts::kOverwriteLine1 + kCrLf + texts::kOverwriteLine2;
    question.caption = texts::kAppTitle;
    question.icon = QMessageBox::Question;
    question.buttons = QMessageBox::Yes | QMessageBox::No;
    question.defaultButton = QMessageBox::Yes;
    return form.services().ShowMessage(&form, question) == QMessageBox::Yes;
}

// The old file is replaced only once the new text is fully written, and every
// failure but a cancel or a "No" is told to the user.
void SaveText(Form1& form) {
    CommonDialog& dialog = form.CommonDialog1;
    dialog.Flags = CommonDialog::kHideReadOnly;
    dialog.Filter = texts::kSaveFilter;
    dialog.FileName = QString();
    dialog.FilterIndex = 1;
    if (!dialog.ShowSave()) return;
    const QString fileName = dialog.FileName;

    const TextFileBytes file = EncodeTextFile(form.Text());
    if (!file.ok()) return form.ShowNotice(file.problem, texts::kAppTitle, QMessageBox::Warning);
    if (QFileInfo(fileName).isFile() && !ConfirmOverwrite(form, fileName)) return;
    const WriteResult written = WriteFileAtomically(fileName, file.bytes);
    if (!written.ok) {
        form.ShowNotice(SaveFailedMessage(fileName, written.reason), texts::kAppTitle,
                        QMessageBox::Critical);
    }
}

void PrintText(Form1& form) {
    const QString text = form.Text();
    if (text.isEmpty()) {
        return form.ShowNotice(texts::kNoPicture, texts::kErrorCaption, QMessageBox::Warning);
    }
    QString reason;
    if (!form.services().PrintText(text, &reason)) {
        form.ShowNotice(texts::kPrintFailed + kCrLf + reason, texts::kErrorCaption,
                        QMessageBox::Warning);
    }
}

// The clipboard takes the platform's own line ends.
QString ClipboardText(const Form1& form) {
    QString text = form.Text();
#ifndef Q_OS_WIN
    text.replace(kCrLf, QStringLiteral("\n"));
#endif
    return text;
}

}  // namespace

void Form1::mnFileSave_Click() { SaveText(*this); }
void Form1::mnFilePrint_Click() { PrintText(*this); }

void Form1::mnEditCopy_Click() {
    QString reason;
    if (!services_.SetClipboardText(ClipboardText(*this), &reason)) {
        ShowNotice(texts::kCopyFailed + kCrLf + reason, texts::kErrorCaption, QMessageBox::Warning);
    }
}

}  // namespace glyph
