#pragma once

#include <QKeySequence>
#include <QList>
#include <QPoint>
#include <QString>
#include <optional>
#include <span>
#include <variant>

#include "document/Document.h"
#include "output/ArtWriters.h"
#include "picture/Framing.h"
#include "ui/Layout.h"

namespace glyph {

class FileCommands;
class Form1;

// A command's button in the left panel: a second view of its menu item's action.
struct ButtonTwin {
    QString name;     // object name: "Adjust(0)", "undo"
    QString caption;  // empty on a picture button
    QString icon;     // empty on a text button
    QString tooltip;
    layout::Box box;
    int tab;  // place in the tab order
};

// The block moved by a key, in pixels.
struct BlockStep {
    QPoint delta;
};
enum class ZoomStep { kIn, kOut, kReset };
// A command of the window's own: one that asks, tells or leaves the document alone.
using Handler = void (Form1::*)();
// A command that writes the art to a file or a printer.
using FileHandler = void (FileCommands::*)();

// What an action does. Its kind also says when it is on (Form1::UpdateActions):
// a document command while the document offers it, a block step while the
// block can move, a match while a framing beyond the block is chosen; the
// others always.
using ActionWork = std::variant<std::monostate, Command, Handler, FileHandler, Framing::Mode, Match,
                                ArtFormat, BlockStep, ZoomStep>;

// Where a menu's actions are shown.
enum class Host {
    kMenuBar,
    kTextBoxMenu,  // a submenu of the text box's context menu
    kPictureMenu,  // the opened picture's context menu
    kKeys,         // nowhere: keys of the window alone
};

struct MenuRow {
    QString name;  // object name, for the menus that are QMenus
    QString caption;
    Host host;
};

enum class Check {
    kNone,
    kOneOfKind,  // one checked among the actions of the same work's kind
    kOnOff,
};

// One action of the window. A caption of "-" is a separator.
struct ActionRow {
    QString menu{};  // the name of its MenuRow
    QString name{};  // object name; empty for those nobody looks for
    QString caption{};
    QList<QKeySequence> shortcuts{};
    ActionWork work{};
    std::optional<ButtonTwin> button{};
    Check check = Check::kNone;
};

bool IsSeparator(const ActionRow& row);

// The export menu's on-off entry that puts the art's colours in what it writes.
inline const QString kExportInColour = QStringLiteral("mnExportColour");
// The view menu's on-off entry that shows the text in its cells' colours.
inline const QString kViewInColour = QStringLiteral("mnViewColour");

// The menus and every action of the window, in the order they are shown.
std::span<const MenuRow> Menus();
std::span<const ActionRow> Actions();

}  // namespace glyph
