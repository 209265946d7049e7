// The one builder of the window's actions, menus and buttons, and the one
// place that sets their states.
#include <QActionGroup>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <map>

#include "ui/BlockMover.h"
#include "ui/ClientArea.h"
#include "ui/FileCommands.h"
#include "ui/Form1.h"
#include "ui/FramingChooser.h"
#include "ui/PictureBox.h"
#include "ui/Remembered.h"
#include "ui/StayOpenMenu.h"
#include "ui/TextZoom.h"

namespace glyph {

namespace {

constexpr QSize kButtonPictureSize(16, 16);

template <typename... Cases>
struct Overloaded : Cases... {
    using Cases::operator()...;
};
// Clang before 17 deduces no aggregate's arguments by itself.
template <typename... Cases>
Overloaded(Cases...) -> Overloaded<Cases...>;

}  // namespace

void Form1::CreateActions() {
    QHash<QString, Host> hosts;
    QHash<QString, QMenu*> menus;
    for (const MenuRow& row : Menus()) {
        hosts.insert(row.name, row.host);
        QMenu* menu = nullptr;
        switch (row.host) {
            case Host::kMenuBar:
                menu = menuBar()->addMenu(row.caption);
                break;
            case Host::kTextBoxMenu:
                menu = new StayOpenMenu(row.caption, this);
                textMenus_.push_back(menu);
                break;
            case Host::kPictureMenu:
                picture1_->setContextMenuPolicy(Qt::ActionsContextMenu);
                break;
            case Host::kKeys:
                break;
        }
        if (menu != nullptr) {
            menu->setObjectName(row.name);
            menus.insert(row.name, menu);
        }
    }
    // One exclusive group per kind of work: the framings, the matches.
    std::map<std::size_t, QActionGroup*> groups;
    for (const ActionRow& row : Actions()) {
        const Host host = hosts.value(row.menu, Host::kKeys);
        QMenu* menu = menus.value(row.menu);
        QObject* owner = menu != nullptr ? static_cast<QObject*>(menu) : this;
        // A separator with a text is drawn by some styles as a heading.
        auto* action = new QAction(IsSeparator(row) ? QString() : row.caption, owner);
        action->setObjectName(row.name);
        action->setSeparator(IsSeparator(row));
        action->setShortcuts(row.shortcuts);
        action->setCheckable(row.check != Check::kNone);
        if (row.check == Check::kOneOfKind) {
            QActionGroup*& group = groups[row.work.index()];
            if (group == nullptr) group = new QActionGroup(this);
            group->addAction(action);
        }
        if (row.name == kExportInColour) exportColour_ = action;
        if (row.name == kViewInColour) viewColour_ = action;
        if (menu != nullptr) menu->addAction(action);
        if (host == Host::kPictureMenu) picture1_->addAction(action);
        // Keys outside the menu bar reach the whole window.
        if (host != Host::kMenuBar && !row.shortcuts.isEmpty()) addAction(action);
        connect(action, &QAction::triggered, this, [this, work = row.work] { Run(work); });
        QPushButton* button = row.button ? CreateButton(*row.button, row.work) : nullptr;
        actions_.push_back({&row, action, button});
    }
}

QPushButton* Form1::CreateButton(const ButtonTwin& twin, const ActionWork& work) {
    auto* button = new QPushButton(twin.caption, client_);
    button->setObjectName(twin.name);
    button->setToolTip(twin.tooltip);
    if (!twin.icon.isEmpty()) {
        button->setIcon(QIcon(twin.icon));
        button->setIconSize(kButtonPictureSize);
    }
    PlaceInTwips(button, twin.box, scale_);
    connect(button, &QPushButton::clicked, this, [this, work] { Run(work); });
    return button;
}

// The opened picture, the buttons in their table's order, the preview, the
// text, the frames.
void Form1::SetTabOrder() {
    std::vector<const BuiltAction*> buttons;
    for (const BuiltAction& built : actions_) {
        if (built.button != nullptr) buttons.push_back(&built);
    }
    std::sort(buttons.begin(), buttons.end(), [](const BuiltAction* a, const BuiltAction* b) {
        return a->row->button->tab < b->row->button->tab;
    });
    QList<QWidget*> order = {picture1_};
    for (const BuiltAction* built : buttons) order << built->button;
    order << picture2_ << text1_ << frames_[0] << frames_[1];
    for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void Form1::Run(const ActionWork& work) {
    std::visit(
        Overloaded{
            [](std::monostate) {},
            [this](Command command) { document_->Run(command); },
            [this](Handler handler) { (this->*handler)(); },
            [this](FileHandler handler) { ((*files_).*handler)(); },
            // A choice an open refused goes back: the checks with it. Before
            // any picture a choice opens nothing, so nothing else updates them.
            [this](Framing::Mode mode) {
                if (chooser_->Choose(mode)) RememberMode(mode);
                UpdateActions();
            },
            [this](Match match) {
                if (chooser_->ChooseMatch(match)) RememberMatch(match);
                UpdateActions();
            },
            [this](ArtFormat format) { files_->ExportArt(format, exportColour_->isChecked()); },
            [this](BlockStep step) { mover_->MoveBy(step.delta); },
            [this](ZoomStep step) {
                if (step == ZoomStep::kIn) zoom_->ZoomIn();
                if (step == ZoomStep::kOut) zoom_->ZoomOut();
                if (step == ZoomStep::kReset) zoom_->ResetZoom();
            },
        },
        work);
}

void Form1::UpdateActions() {
    const auto setOn = [](const BuiltAction& built, bool on) {
        built.action->setEnabled(on);
        if (built.button != nullptr) built.button->setEnabled(on);
    };
    for (const BuiltAction& built : actions_) {
        const ActionWork& work = built.row->work;
        if (const auto* command = std::get_if<Command>(&work)) {
            setOn(built, document_->IsAvailable(*command));
        } else if (std::holds_alternative<BlockStep>(work)) {
            setOn(built, document_->CanMoveBlock());
        } else if (const auto* mode = std::get_if<Framing::Mode>(&work)) {
            built.action->setChecked(*mode == chooser_->mode());
        } else if (const auto* match = std::get_if<Match>(&work)) {
            built.action->setChecked(*match == chooser_->match());
            setOn(built, chooser_->mode() != Framing::Mode::kBlock);
        }
    }
}

}  // namespace glyph
