#include "ui/TextZoom.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <iterator>

namespace glyph {

namespace {

// Point sizes, smallest first: at 1.5 points a 100 x 100 art fits the box.
constexpr std::array<qreal, 21> kZoomSizes = {1.5, 2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                              12,  14, 16, 18, 20, 24, 28, 32, 40, 48};

constexpr QChar kKanji(0x56FD);  // 国: every kanji of the art is as wide

}  // namespace

TextZoom::TextZoom(QPlainTextEdit* text, QObject* parent)
    : QObject(parent), text_(text), defaultSize_(text->font().pointSizeF()) {
    text_->viewport()->installEventFilter(this);
    text_->setFont(SquareCells(text_->font()));
}

qreal TextZoom::PointSize() const { return text_->font().pointSizeF(); }

void TextZoom::ZoomIn() {
    const auto larger = std::upper_bound(kZoomSizes.begin(), kZoomSizes.end(), PointSize());
    if (larger != kZoomSizes.end()) SetPointSize(*larger);
}

void TextZoom::ZoomOut() {
    const auto smaller = std::lower_bound(kZoomSizes.begin(), kZoomSizes.end(), PointSize());
    if (smaller != kZoomSizes.begin()) SetPointSize(*std::prev(smaller));
}

void TextZoom::ResetZoom() { SetPointSize(defaultSize_); }

void TextZoom::SetPointSize(qreal size) {
    QFont font = text_->font();
    font.setPointSizeF(size);
    text_->setFont(SquareCells(font));
    Relayout();
}

// Lines are taller than a full-width character is wide; the characters are
// set that much apart, so that each stands in a square cell and the art has
// the picture's shape. Only the view changes, never the text.
QFont TextZoom::SquareCells(QFont font) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    // Measured as the box lays kanji out: they may come from a fallback font
    // with metrics of its own.
    QTextLayout layout(QString(2, kKanji), font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const qreal extra = line.height() - line.naturalTextWidth() / 2;
    font.setLetterSpacing(QFont::AbsoluteSpacing, std::max<qreal>(0, extra));
    return font;
}

// The box's layout never forgets its widest line, so a smaller font would
// keep the old scroll range: the same text is laid out afresh, with the
// cursor and selection where they were.
void TextZoom::Relayout() {
    const QTextCursor cursor = text_->textCursor();
    const int anchor = cursor.anchor();
    const int position = cursor.position();
    const bool modified = text_->document()->isModified();
    const QSignalBlocker quiet(text_);
    text_->setPlainText(text_->toPlainText());
    QTextCursor restored = text_->textCursor();
    restored.setPosition(anchor);
    restored.setPosition(position, QTextCursor::KeepAnchor);
    text_->setTextCursor(restored);
    text_->document()->setModified(modified);
}

bool TextZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
    const int delta = wheel->angleDelta().y();
    if (delta > 0) ZoomIn();
    if (delta < 0) ZoomOut();
    return true;
}

}  // namespace glyph
