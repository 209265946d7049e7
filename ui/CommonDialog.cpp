#include "ui/CommonDialog.h"

namespace glyph {

bool CommonDialog::Show(FileDialogRequest::Kind kind) {
    const FileDialogRequest request{kind, Filter, FilterIndex, FileName};
    const std::optional<QString> chosen = services_.ShowFileDialog(owner_, request);
    if (!chosen) return false;
    FileName = *chosen;
    return true;
}

}  // namespace glyph
