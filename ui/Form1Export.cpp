// Writing the art as a picture, a page or UTF-8 text, from the text box's
// context menu; the menu bar and Save stay as they are.
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

#include "output/ArtWriters.h"
#include "output/TextFile.h"
#include "ui/Form1.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

const QString& FilterOf(ArtFormat format) {
    switch (format) {
        case ArtFormat::kSvg:
            return texts::kSvgFilter;
        case ArtFormat::kHtml:
            return texts::kHtmlFilter;
        case ArtFormat::kText:
            return texts::kUtf8Filter;
        default:
            return texts::kPngFilter;
    }
}

bool SetInFont(ArtFormat format) { return format != ArtFormat::kText; }

}  // namespace

// The box's own entries (copy, paste, select all, ...), then ours.
void Form1::ShowTextMenu(QPoint at) {
    const std::unique_ptr<QMenu> menu(text1_->createStandardContextMenu(at));
    menu->addSeparator();
    menu->addMenu(exportMenu_);
    menu->exec(text1_->viewport()->mapToGlobal(at));
}

// The art as the box holds it, in the window's font; its colours from the
// document. Failures are told as Save tells them.
void Form1::ExportArt(ArtFormat format) {
    const QString text = Text();
    if (text.isEmpty()) {
        return ShowNotice(texts::kNoPicture, texts::kErrorCaption, QMessageBox::Warning);
    }
    ArtStyle style{format, ArtLook{exportColour_->isChecked(), false}, AnsiColours::kNone, {}};
    if (SetInFont(format)) {
        const Result<ArtFont> font = ResolveArtFont({}, 0);
        Status drawable = font ? ArtDrawing(*font).CheckHolds(text) : Status(font.error());
        if (!drawable)
            return ShowNotice(drawable.error().reason, texts::kAppTitle, QMessageBox::Warning);
        style.font = *font;
    }
    CommonDialog& dialog = CommonDialog1;
    dialog.Filter = FilterOf(format);
    dialog.FileName = QString();
    dialog.FilterIndex = 1;
    if (!dialog.ShowSave()) return;
    QString fileName = dialog.FileName;
    // A name typed without an ending gets the format's.
    if (QFileInfo(fileName).suffix().isEmpty()) fileName += ArtExtension(format);

    const Art art{text, style.look.colour ? document_->colours() : QImage()};
    const QString title =
        document_->path().isEmpty() ? texts::kAppTitle : QFileInfo(document_->path()).fileName();
    const Result<QByteArray> bytes = WriteArt(art, style, title);
    if (!bytes) return ShowNotice(bytes.error().reason, texts::kAppTitle, QMessageBox::Warning);
    if (IsRegularFile(fileName) && !ConfirmOverwrite(fileName)) return;
    const Status written = WriteFileAtomically(fileName, *bytes);
    if (!written) {
        ShowNotice(SaveFailedMessage(fileName, written.error().reason), texts::kAppTitle,
                   QMessageBox::Critical);
    }
}

}  // namespace glyph
