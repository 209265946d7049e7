#pragma once

#include <QString>

#include "ui/PlatformServices.h"

namespace glyph {

// The window's one file dialog. Open and save share it, so a file name left
// by one shows in the next, unless the command sets its own.
class CommonDialog {
  public:
    CommonDialog(PlatformServices& services, QWidget* owner) : services_(services), owner_(owner) {}

    QString Filter;
    int FilterIndex = 1;
    QString FileName;

    // Show the dialog; false when the user cancels (FileName is then kept).
    bool ShowOpen() { return Show(FileDialogRequest::Kind::Open); }
    bool ShowSave() { return Show(FileDialogRequest::Kind::Save); }

  private:
    bool Show(FileDialogRequest::Kind kind);

    PlatformServices& services_;
    QWidget* owner_;
};

}  // namespace glyph
