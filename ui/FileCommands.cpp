#include "ui/FileCommands.h"

#include <QFileInfo>

#include "document/Document.h"
#include "output/ArtWriters.h"
#include "output/TextFile.h"
#include "ui/Notices.h"
#include "ui/PlatformServices.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

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

FileCommands::FileCommands(PlatformServices& services, QWidget* window, const Document& document,
                           std::function<QString()> text)
    : services_(services),
      window_(window),
      document_(document),
      text_(std::move(text)),
      dialog_(services, window) {}

std::optional<QString> FileCommands::AskPictureName() {
    dialog_.Filter = texts::kOpenFilter + texts::kAllPicturesFilter;
    dialog_.FilterIndex = 1;
    if (!dialog_.ShowOpen()) return std::nullopt;
    return dialog_.FileName;
}

void FileCommands::Notice(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    ShowNotice(services_, window_, text, caption, icon);
}

bool FileCommands::ConfirmOverwrite(const QString& fileName) {
    MessageRequest question;
    question.text = fileName + kCrLf + texts::kOverwriteLine1 + kCrLf + texts::kOverwriteLine2;
    question.caption = texts::kAppTitle;
    question.icon = QMessageBox::Question;
    question.buttons = QMessageBox::Yes | QMessageBox::No;
    question.defaultButton = QMessageBox::Yes;
    return services_.ShowMessage(window_, question) == QMessageBox::Yes;
}

// Every failure but a cancel or a "No" is told to the user.
void FileCommands::Write(const QString& fileName, const QByteArray& bytes) {
    if (IsRegularFile(fileName) && !ConfirmOverwrite(fileName)) return;
    const Status written = WriteFileAtomically(fileName, bytes);
    if (!written) {
        Notice(SaveFailedMessage(fileName, written.error().reason), texts::kAppTitle,
               QMessageBox::Critical);
    }
}

void FileCommands::SaveText() {
    dialog_.Filter = texts::kSaveFilter;
    dialog_.FileName = QString();
    dialog_.FilterIndex = 1;
    if (!dialog_.ShowSave()) return;
    const QString fileName = dialog_.FileName;

    const Result<QByteArray> file = EncodeTextFile(text_());
    if (!file) return Notice(file.error().reason, texts::kAppTitle, QMessageBox::Warning);
    Write(fileName, *file);
}

void FileCommands::PrintText() {
    const QString text = text_();
    if (text.isEmpty()) {
        return Notice(texts::kNoPicture, texts::kErrorCaption, QMessageBox::Warning);
    }
    if (const Status printed = services_.PrintText(text); !printed) {
        Notice(texts::kPrintFailed + kCrLf + printed.error().reason, texts::kErrorCaption,
               QMessageBox::Warning);
    }
}

// The art as the box holds it, in the window's font. Failures are told as
// Save tells them.
void FileCommands::ExportArt(ArtFormat format, bool inColour) {
    const QString text = text_();
    if (text.isEmpty()) {
        return Notice(texts::kNoPicture, texts::kErrorCaption, QMessageBox::Warning);
    }
    ArtStyle style{format, ArtLook{inColour, false}, AnsiColours::kNone, {}};
    if (SetInFont(format)) {
        const Result<ArtFont> font = ResolveArtFont({}, 0);
        Status drawable = font ? ArtDrawing(*font).CheckHolds(text) : Status(font.error());
        if (!drawable)
            return Notice(drawable.error().reason, texts::kAppTitle, QMessageBox::Warning);
        style.font = *font;
    }
    dialog_.Filter = FilterOf(format);
    dialog_.FileName = QString();
    dialog_.FilterIndex = 1;
    if (!dialog_.ShowSave()) return;
    QString fileName = dialog_.FileName;
    // A name typed without an ending gets the format's.
    if (QFileInfo(fileName).suffix().isEmpty()) fileName += ArtExtension(format);

    const Art art{text, style.look.colour ? document_.colours() : QImage()};
    const QString title =
        document_.path().isEmpty() ? texts::kAppTitle : QFileInfo(document_.path()).fileName();
    const Result<QByteArray> bytes = WriteArt(art, style, title);
    if (!bytes) return Notice(bytes.error().reason, texts::kAppTitle, QMessageBox::Warning);
    Write(fileName, *bytes);
}

}  // namespace glyph
