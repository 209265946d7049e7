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

struct ExportRow {
    const char* name;
    const QString& caption;
    ArtFormat format;
    const QString& filter;
};

const ExportRow kExports[] = {
    {"mnExportPng", texts::kExportPng, ArtFormat::kPng, texts::kPngFilter},
    {"mnExportSvg", texts::kExportSvg, ArtFormat::kSvg, texts::kSvgFilter},
    {"mnExportHtml", texts::kExportHtml, ArtFormat::kHtml, texts::kHtmlFilter},
    {"mnExportText", texts::kExportText, ArtFormat::kText, texts::kUtf8Filter},
};

const ExportRow& RowOf(ArtFormat format) {
    for (const ExportRow& row : kExports) {
        if (row.format == format) return row;
    }
    return kExports[0];
}

bool SetInFont(ArtFormat format) { return format != ArtFormat::kText; }

}  // namespace

void Form1::CreateExportMenu() {
    exportMenu_ = new QMenu(texts::kExportMenu, this);
    exportMenu_->setObjectName(QStringLiteral("mnExport"));
    for (const ExportRow& row : kExports) {
        QAction* item = exportMenu_->addAction(row.caption);
        item->setObjectName(QString::fromLatin1(row.name));
        connect(item, &QAction::triggered, this,
                [this, format = row.format] { ExportArt(format); });
    }
    exportMenu_->addSeparator();
    exportColour_ = exportMenu_->addAction(texts::kExportColour);
    exportColour_->setObjectName(QStringLiteral("mnExportColour"));
    exportColour_->setCheckable(true);
    text1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text1_, &QWidget::customContextMenuRequested, this, &Form1::ShowTextMenu);
}

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
    dialog.Filter = RowOf(format).filter;
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
