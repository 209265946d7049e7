#include "ui/TextZoom.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStringTokenizer>
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

// Below this a fitted art is dots too small to tell apart anyway.
constexpr qreal kSmallestFit = 0.5;
constexpr int kFitSteps = 12;  // halvings of the range: a hundredth of a point
// Pixels kept free beside the text for the box's cursor and rounding.
constexpr qreal kFitSlack = 2;

}  // namespace

TextZoom::TextZoom(QPlainTextEdit* text, QObject* parent)
    : QObject(parent), text_(text), defaultSize_(text->font().pointSizeF()), chosen_(defaultSize_) {
    text_->viewport()->installEventFilter(this);
    text_->setFont(SquareCells(text_->font()));
}

qreal TextZoom::PointSize() const { return text_->font().pointSizeF(); }

// From a fitted size the steps go on from what is shown.
void TextZoom::ZoomIn() {
    const auto larger = std::upper_bound(kZoomSizes.begin(), kZoomSizes.end(), PointSize());
    Step(larger != kZoomSizes.end() ? *larger : PointSize());
}

void TextZoom::ZoomOut() {
    const auto smaller = std::lower_bound(kZoomSizes.begin(), kZoomSizes.end(), PointSize());
    Step(smaller != kZoomSizes.begin() ? *std::prev(smaller) : PointSize());
}

void TextZoom::ResetZoom() { Step(defaultSize_); }

void TextZoom::Step(qreal size) {
    fitted_ = false;
    chosen_ = size;
    if (size != PointSize()) SetPointSize(size);
    emit chosen(size);
}

void TextZoom::Choose(qreal size) {
    chosen_ = std::clamp(size, kZoomSizes.front(), kZoomSizes.back());
    if (!fitted_ && chosen_ != PointSize()) SetPointSize(chosen_);
}

void TextZoom::ShowChosen() {
    if (!fitted_) return;
    fitted_ = false;
    if (chosen_ != PointSize()) SetPointSize(chosen_);
}

void TextZoom::Fit() {
    fitted_ = true;
    const qreal size = FitSize(text_->toPlainText());
    if (size != PointSize()) SetPointSize(size);
}

void TextZoom::FitText(const QString& text) {
    fitted_ = true;
    const qreal size = FitSize(text);
    if (size == PointSize()) return;
    // The text set next is laid out once, at the new size.
    text_->clear();
    QFont font = text_->font();
    font.setPointSizeF(size);
    text_->setFont(SquareCells(font));
}

qreal TextZoom::FitSize(const QString& text) const {
    // Every character stands in a square cell, so the longest line is the
    // widest; a half-width one takes less than its cell.
    qsizetype columns = 0;
    int lines = 0;
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        columns = std::max(columns, line.size());
        ++lines;
    }
    if (Fits(int(columns), lines, defaultSize_)) return defaultSize_;
    qreal small = kSmallestFit;
    qreal large = defaultSize_;
    for (int step = 0; step < kFitSteps; ++step) {
        const qreal middle = (small + large) / 2;
        (Fits(int(columns), lines, middle) ? small : large) = middle;
    }
    return small;
}

// A cell as SquareCells sets it: a line's height, or a kanji's advance
// where that is wider.
bool TextZoom::Fits(int columns, int lines, qreal size) const {
    QFont font = text_->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    font.setPointSizeF(size);
    QTextLayout layout(QString(2, kKanji), font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const qreal cell = std::max(line.height(), line.naturalTextWidth() / 2);
    const qreal margins = 2 * text_->document()->documentMargin() + kFitSlack;
    const QSize view = text_->viewport()->size();
    return columns * cell + margins <= view.width() &&
           lines * line.height() + margins <= view.height();
}

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
    if (event->type() == QEvent::Resize && fitted_) Fit();
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
    const int delta = wheel->angleDelta().y();
    if (delta > 0) ZoomIn();
    if (delta < 0) ZoomOut();
    return true;
}

}  // namespace glyph
