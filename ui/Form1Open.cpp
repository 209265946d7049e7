#include "ui/Form1.h"
#include "ui/FramingChooser.h"
#include "ui/Layout.h"
#include "ui/Texts.h"

namespace glyph {

void Form1::OpenImage() {
    CommonDialog1.Filter = texts::kOpenFilter + texts::kAllPicturesFilter;
    CommonDialog1.FilterIndex = 1;
    if (!CommonDialog1.ShowOpen()) return;
    OpenPicture(CommonDialog1.FileName);
}

void Form1::OpenPicture(const QString& fileName) {
    // The document reads everything before it changes anything, so a file that
    // cannot be read leaves the window as it was.
    if (const Status opened = document_->Open(fileName, chooser_->ForOpen()); !opened) {
        ShowUnreadable(fileName, opened.error());
    }
}

void Form1::Reframe(const Framing& framing) {
    const QString path = document_->path();
    if (const Status opened = document_->Open(path, framing); !opened) {
        ShowUnreadable(path, opened.error());
    }
}

// A sound picture too large to open is not called damaged without saying why.
void Form1::ShowUnreadable(const QString& fileName, const Error& error) {
    const QString crlf = QStringLiteral("\r\n");
    QString text = fileName + crlf + texts::kUnreadableLine1 + crlf + texts::kUnreadableLine2;
    switch (error.kind) {
        case ErrorKind::kNotTheFile:
            text = error.reason;
            break;
        case ErrorKind::kTooLarge:
            text += crlf + error.reason;
            break;
        default:
            break;
    }
    ShowNotice(text, texts::kAppTitle, QMessageBox::Critical);
}

void Form1::ShowNotice(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    MessageRequest message;
    message.text = text;
    message.caption = caption;
    message.icon = icon;
    services_.ShowMessage(this, message);
}

}  // namespace glyph
