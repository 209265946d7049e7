#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "ui/CommonDialog.h"

class QWidget;

namespace glyph {

class Document;
class PlatformServices;
enum class ArtFormat;

// The window's commands that read or write a file, with their one shared file
// dialog, the question before a file is replaced and what they tell of a
// failure. The art they write is the text box's, as the window holds it.
class FileCommands {
  public:
    FileCommands(PlatformServices& services, QWidget* window, const Document& document,
                 std::function<QString()> text);

    // The picture the user names in the open dialog; nothing on a cancel.
    std::optional<QString> AskPictureName();
    // The old file is replaced only once the new one is fully written.
    void SaveText();
    void PrintText();
    // The art as a picture, a page or UTF-8 text; in colour from the document.
    void ExportArt(ArtFormat format, bool inColour);

  private:
    bool ConfirmOverwrite(const QString& fileName);
    void Notice(const QString& text, const QString& caption, QMessageBox::Icon icon);
    void Write(const QString& fileName, const QByteArray& bytes);

    PlatformServices& services_;
    QWidget* window_;
    const Document& document_;
    std::function<QString()> text_;
    CommonDialog dialog_;
};

}  // namespace glyph
