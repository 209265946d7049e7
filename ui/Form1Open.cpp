#include "ui/BusyCursor.h"
#include "ui/FileCommands.h"
#include "ui/Form1.h"
#include "ui/FramingChooser.h"
#include "ui/Notices.h"

namespace glyph {

void Form1::OpenImage() {
    if (const std::optional<QString> fileName = files_->AskPictureName()) OpenPicture(*fileName);
}

void Form1::OpenPicture(const QString& fileName) {
    // The document reads everything before it changes anything, so a file that
    // cannot be read leaves the window as it was.
    // Measuring a font's shapes or reading a vast picture may take seconds.
    const Status opened = [&] {
        const BusyCursor busy;
        return document_->Open(fileName, chooser_->ForOpen());
    }();
    if (!opened) ShowUnreadable(fileName, opened.error());
}

void Form1::Reframe(const Framing& framing) {
    const QString path = document_->path();
    const Status opened = [&] {
        const BusyCursor busy;
        return document_->Open(path, framing);
    }();
    if (!opened) ShowUnreadable(path, opened.error());
}

void Form1::ShowUnreadable(const QString& fileName, const Error& error) {
    glyph::ShowUnreadable(services_, this, fileName, error);
}

void Form1::ShowNotice(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    glyph::ShowNotice(services_, this, text, caption, icon);
}

}  // namespace glyph
