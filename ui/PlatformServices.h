#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <optional>

#include "basics/Result.h"

class QWidget;

namespace glyph {

// Settings of one file dialog, as the command applies them. The filter uses
// the "description|patterns|" form, patterns separated by ";".
struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString filter;
    int filterIndex = 1;
    QString fileName;
};

struct MessageRequest {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// What the program asks of the desktop: dialogs, message boxes, the printer,
// the clipboard and the shell. Tests answer it.
class PlatformServices {
  public:
    virtual ~PlatformServices() = default;

    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> ShowFileDialog(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
    virtual QMessageBox::StandardButton ShowMessage(QWidget* parent,
                                                    const MessageRequest& request) = 0;
    // Prints text on the default printer in one job; the reason when there is
    // no printer or the job fails.
    virtual Status PrintText(const QString& text) = 0;
    // Puts plain text on the clipboard.
    virtual Status SetClipboardText(const QString& text) = 0;
    // Opens a document with the desktop's default handler; result ignored.
    virtual void OpenDocument(const QUrl& url) = 0;
    // One line for whoever started the program (standard error), such as
    // what a moji.txt lacks.
    virtual void Note(const QString& line) = 0;
};

// The real desktop.
class DesktopServices : public PlatformServices {
  public:
    std::optional<QString> ShowFileDialog(QWidget* parent,
                                          const FileDialogRequest& request) override;
    QMessageBox::StandardButton ShowMessage(QWidget* parent,
                                            const MessageRequest& request) override;
    Status PrintText(const QString& text) override;
    Status SetClipboardText(const QString& text) override;
    void OpenDocument(const QUrl& url) override;
    void Note(const QString& line) override;
};

// "desc|pat;pat|desc2|pat|" as Qt name filters, one per description.
QStringList ToNameFilters(const QString& filter);

}  // namespace glyph
