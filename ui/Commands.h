#pragma once

#include <QKeySequence>
#include <QString>
#include <optional>
#include <span>
#include <variant>

#include "document/Document.h"
#include "ui/Layout.h"

namespace glyph {

class Form1;

// A command's button in the left panel; it does what its menu item does.
struct ButtonTwin {
    QString name;     // object name, as the handlers know it: "Adjust(0)", "undo"
    QString caption;  // empty on a picture button
    QString icon;     // empty on a text button
    QString tooltip;
    layout::Box box;
    int tab;  // place in the tab order
};

// What runs a command: the document's own command (the item is then on
// exactly while the document offers it), or a handler of the window, always
// on. Separators run nothing.
using CommandWork = std::variant<std::monostate, Command, void (Form1::*)()>;

// One menu item of the window, with its button twin if it has one. A caption
// of "-" is a separator.
struct CommandRow {
    QString menu;  // object name of the top-level menu it sits in
    QString name;  // object name of the item
    QString caption;
    QKeySequence shortcut;
    CommandWork work;
    std::optional<ButtonTwin> button;
};

struct MenuRow {
    QString name;
    QString caption;
};

// The menu bar and every command on it, in menu order.
std::span<const MenuRow> Menus();
std::span<const CommandRow> Commands();

}  // namespace glyph
