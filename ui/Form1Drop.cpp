#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include <optional>

#include "files/NativePath.h"
#include "ui/Form1.h"

namespace glyph {

namespace {

// The first file of a drop, when it is a local one; nothing for anything else.
std::optional<QString> DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return std::nullopt;
    const QString path = PathOfLocalUrl(data->urls().constFirst());
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace

void Form1::AcceptDroppedPictures() {
    setAcceptDrops(true);
    // The text box takes drops of text itself; files dropped on it are pictures.
    text1_->viewport()->installEventFilter(this);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = DroppedFile(event->mimeData());
    if (!file) return;
    event->acceptProposedAction();
    OpenPicture(*file);
}

// Drops of files on the text box, before the box takes them as text.
bool Form1::FilterTextBoxDrop(QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!DroppedFile(drag->mimeData())) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!DroppedFile(drop->mimeData())) return false;
            dropEvent(drop);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace glyph
