#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <cstdio>

#include "files/NativePath.h"
#include "ui/PlatformServices.h"
#include "ui/TextPrinter.h"
#include "ui/Texts.h"

namespace glyph {

QStringList ToNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|', Qt::KeepEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) continue;
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        filters.append(QStringLiteral("%1 (%2)").arg(parts[i], patterns));
    }
    return filters;
}

namespace {

// Typing an absolute path leaves the folders it passes through selected in
// Qt's own dialog, which then keeps "開く" disabled. While the name box holds an
// absolute path, the name box alone says what is chosen.
void LetTypedPathsStandAlone(QFileDialog& dialog) {
    auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* list = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (nameBox == nullptr || list == nullptr || list->selectionModel() == nullptr) return;
    QObject::connect(nameBox, &QLineEdit::textChanged, &dialog, [list](const QString& text) {
        if (QDir::isAbsolutePath(text)) list->selectionModel()->clearSelection();
    });
}

}  // namespace

std::optional<QString> DesktopServices::ShowFileDialog(QWidget* parent,
                                                       const FileDialogRequest& request) {
    const bool open = request.kind == FileDialogRequest::Kind::Open;
    QFileDialog dialog(parent);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks its own overwrite question, and the description
    // already shows the patterns.
    dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
    const QStringList filters = ToNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    LetTypedPathsStandAlone(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // Qt lists names that are not UTF-8 with U+FFFD; the file chosen is the one on disk.
    return RecoverLossyPath(dialog.selectedFiles().constFirst());
}

QMessageBox::StandardButton DesktopServices::ShowMessage(QWidget* parent,
                                                         const MessageRequest& request) {
    // Messages are written with CR LF; the box shows plain line breaks.
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(request.icon, request.caption, text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton) box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

Status DesktopServices::PrintText(const QString& text) { return PrintOnDefaultPrinter(text); }

Status DesktopServices::SetClipboardText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return Error{ErrorKind::kCannotWrite, texts::kNoClipboard};
    clipboard->clear();
    clipboard->setText(text);
    return Done{};
}

void DesktopServices::OpenDocument(const QUrl& url) { QDesktopServices::openUrl(url); }

void DesktopServices::Note(const QString& line) {
    std::fprintf(stderr, "%s\n", NativePath(line).constData());
}

}  // namespace glyph
