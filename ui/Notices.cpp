#include "ui/Notices.h"

#include "ui/PlatformServices.h"
#include "ui/Texts.h"

namespace glyph {

void ShowNotice(PlatformServices& services, QWidget* window, const QString& text,
                const QString& caption, QMessageBox::Icon icon) {
    MessageRequest message;
    message.text = text;
    message.caption = caption;
    message.icon = icon;
    services.ShowMessage(window, message);
}

void ShowUnreadable(PlatformServices& services, QWidget* window, const QString& fileName,
                    const Error& error) {
    const QString crlf = QStringLiteral("\r\n");
    QString text = fileName + crlf + texts::kUnreadableLine1 + crlf + texts::kUnreadableLine2;
    switch (error.kind) {
        case ErrorKind::kNotTheFile:
            text = error.reason;
            break;
        case ErrorKind::kTooLarge:
            // A sound picture too large to open is not called damaged without saying why.
            text += crlf + error.reason;
            break;
        default:
            break;
    }
    ShowNotice(services, window, text, texts::kAppTitle, QMessageBox::Critical);
}

}  // namespace glyph
