#include "ui/FramingChooser.h"

#include <QAction>
#include <QActionGroup>

#include <algorithm>
#include <limits>

#include "document/Document.h"
#include "ui/PictureBox.h"
#include "ui/PointerDrag.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

struct ModeRow {
    Framing::Mode mode;
    const QString& caption;
    Qt::Key key;
};
const ModeRow kModes[] = {
    {Framing::Mode::kBlock, texts::kModeBlock, Qt::Key_1},
    {Framing::Mode::kWhole, texts::kModeWhole, Qt::Key_2},
    {Framing::Mode::kRectangle, texts::kModeRectangle, Qt::Key_3},
};

struct MatchRow {
    Match match;
    const QString& caption;
};
const MatchRow kMatches[] = {
    {Match::kTone, texts::kMatchTone},
    {Match::kKanjiShapes, texts::kMatchKanji},
    {Match::kCp932Shapes, texts::kMatchCp932},
};

}  // namespace

FramingChooser::FramingChooser(Document& document, PictureBox* view, QWidget* window)
    : QObject(window),
      document_(document),
      view_(view),
      group_(new QActionGroup(this)),
      matchGroup_(new QActionGroup(this)) {
    for (const ModeRow& row : kModes) {
        auto* action = new QAction(row.caption, window);
        action->setCheckable(true);
        action->setChecked(row.mode == mode_);
        action->setShortcut(QKeyCombination(Qt::ControlModifier, row.key));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, mode = row.mode] { Choose(mode); });
        group_->addAction(action);
        window->addAction(action);
        view_->addAction(action);
        actions_ << action;
    }
    AddMatchActions();
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
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

void FramingChooser::Choose(Framing::Mode mode) {
    if (mode == mode_) return;
    const Framing::Mode before = mode_;
    mode_ = mode;
    if (document_.path().isEmpty()) return;
    emit chosen(ForOpen());
    // An open that failed leaves the document as it was, and so the choice.
    if (document_.framing().mode != mode_) {
        mode_ = before;
        Refresh();
    }
}

// Below the modes, apart from them: the block has one pixel a cell, no shape to match.
void FramingChooser::AddMatchActions() {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    view_->addAction(separator);
    for (const MatchRow& row : kMatches) {
        auto* action = new QAction(row.caption, this);
        action->setCheckable(true);
        action->setChecked(row.match == match_);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this,
                [this, match = row.match] { ChooseMatch(match); });
        matchGroup_->addAction(action);
        view_->addAction(action);
        matchActions_ << action;
    }
}

// The part shown stays; only how its characters are chosen changes.
void FramingChooser::ChooseMatch(Match match) {
    if (match == match_) return;
    const Match before = match_;
    match_ = match;
    if (document_.path().isEmpty() || !document_.framing().Reduces()) return;
    Framing framing = document_.framing();
    framing.match = match_;
    emit chosen(framing);
    if (document_.framing().match != match_) {
        match_ = before;
        Refresh();
    }
}

void FramingChooser::Refresh() {
    for (qsizetype i = 0; i < actions_.size(); ++i)
        actions_[i]->setChecked(kModes[i].mode == mode_);
    for (qsizetype i = 0; i < matchActions_.size(); ++i) {
        matchActions_[i]->setChecked(kMatches[i].match == match_);
        matchActions_[i]->setEnabled(mode_ != Framing::Mode::kBlock);
    }
    // Otherwise the block mover's cursor stands.
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
