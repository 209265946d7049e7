#include <QUrl>

#include "ui/Dialog.h"
#include "ui/Form1.h"
#include "ui/PlatformServices.h"
#include "ui/Texts.h"

namespace glyph {

void Form1::ShowHelp() {
    // The folder and the page are joined as they are; whether the page
    // exists, or anything can show it, is the desktop's business.
    services_.OpenDocument(QUrl::fromLocalFile(appPath_ + QStringLiteral("/help/readme.html")));
}

void Form1::ShowVersion() {
    auto* dialog = new Dialog(scale_);  // no owner: it is a window of its own
    dialog->setWindowIcon(windowIcon());
    // Every way the About window goes (OK, Escape, its close button, being
    // deleted) gives the main window its input back.
    connect(dialog, &QDialog::finished, this, [this] { setEnabled(true); });
    connect(dialog, &QObject::destroyed, this, [this] { setEnabled(true); });
    dialog->HoldClose(this);
    dialog->show();
    setEnabled(false);
}

namespace {

// The clipboard takes the platform's own line ends.
QString ClipboardText(QString text) {
#ifndef Q_OS_WIN
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return text;
}

}  // namespace

void Form1::CopyText() {
    if (const Status copied = services_.SetClipboardText(ClipboardText(Text())); !copied) {
        ShowNotice(texts::kCopyFailed + QStringLiteral("\r\n") + copied.error().reason,
                   texts::kErrorCaption, QMessageBox::Warning);
    }
}

// Nothing here asks: unsaved text is dropped, as the user chose to quit.
void Form1::Quit() { close(); }

}  // namespace glyph
