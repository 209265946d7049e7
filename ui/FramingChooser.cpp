#include "ui/FramingChooser.h"

#include <algorithm>
#include <limits>

#include "document/Document.h"
#include "ui/PictureBox.h"
#include "ui/PointerDrag.h"

namespace glyph {

FramingChooser::FramingChooser(Document& document, PictureBox* view, QObject* parent)
    : QObject(parent), document_(document), view_(view) {
    PointerDrag::Steps steps;
    steps.owns = [this] { return document_.framing().mode == Framing::Mode::kRectangle; };
    steps.place = [this](QPoint at) { return PicturePoint(at); };
    steps.began = [this](QPoint at) { dragStart_ = at; };
    steps.moved = [this](QPoint at) { emit drawing(QRect(dragStart_, at).normalized()); };
    steps.ended = [this](QPoint at) {
        Framing framing = ForOpen();
        framing.rectangle = QRect(dragStart_, at).normalized();
        emit chosen(framing);
    };
    new PointerDrag(view_, std::move(steps), this);
}

Framing FramingChooser::ForOpen() const {
    Framing framing;
    framing.mode = mode_;
    framing.match = match_;
    framing.rectangle = QRect(0, 0, std::numeric_limits<int>::max() / 2,
                              std::numeric_limits<int>::max() / 2);  // cut to the picture
    return framing;
}

bool FramingChooser::Choose(Framing::Mode mode) {
    if (mode == mode_) return true;
    const Framing::Mode before = mode_;
    mode_ = mode;
    if (document_.path().isEmpty()) return true;
    emit chosen(ForOpen());
    // An open that failed leaves the document as it was, and so the choice.
    if (document_.framing().mode == mode_) return true;
    mode_ = before;
    return false;
}

// The part shown stays; only how its characters are chosen changes.
bool FramingChooser::ChooseMatch(Match match) {
    if (match == match_) return true;
    const Match before = match_;
    match_ = match;
    if (document_.path().isEmpty() || !document_.framing().Reduces()) return true;
    Framing framing = document_.framing();
    framing.match = match_;
    emit chosen(framing);
    if (document_.framing().match == match_) return true;
    match_ = before;
    return false;
}

// Otherwise the block mover's cursor stands.
void FramingChooser::RefreshCursor() {
    if (document_.framing().mode == Framing::Mode::kRectangle) view_->setCursor(Qt::CrossCursor);
}

QPoint FramingChooser::PicturePoint(QPoint inView) const {
    const QSize shown = document_.overview().size();
    const QSize picture = document_.block().pictureSize;
    if (shown.isEmpty()) return {};
    const auto scaled = [](int at, int shownSide, int pictureSide) {
        return std::clamp(int(qint64(at) * pictureSide / shownSide), 0, pictureSide - 1);
    };
    return {scaled(inView.x(), shown.width(), picture.width()),
            scaled(inView.y(), shown.height(), picture.height())};
}

}  // namespace glyph
