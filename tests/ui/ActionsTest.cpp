#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <map>
#include <set>

#include "WindowFixture.h"

namespace glyph::testing {
namespace {

using ActionTable = WindowTest;

const MenuRow* MenuOf(const ActionRow& row) {
    const auto menus = Menus();
    const auto found = std::find_if(menus.begin(), menus.end(),
                                    [&row](const MenuRow& menu) { return menu.name == row.menu; });
    return found == menus.end() ? nullptr : &*found;
}

// A row naming no menu, an unnamed key, or two actions on one key (Qt then
// runs neither) is a fault of the table that nothing else would show.
TEST_F(ActionTable, EveryKeyMenuAndNameIsTheWindowsOnce) {
    std::set<QString> names;
    std::set<QString> buttons;
    std::set<int> tabs;
    for (const ActionRow& row : Actions()) {
        SCOPED_TRACE((row.menu + u' ' + row.caption).toStdString());
        const MenuRow* menu = MenuOf(row);
        ASSERT_NE(menu, nullptr);
        if (menu->host == Host::kKeys) {
            EXPECT_FALSE(row.shortcuts.isEmpty());
        } else if (!IsSeparator(row)) {
            EXPECT_FALSE(row.caption.isEmpty());
        }
        if (!row.name.isEmpty()) {
            EXPECT_TRUE(names.insert(row.name).second);
        }
        if (row.button) {
            EXPECT_TRUE(buttons.insert(row.button->name).second);
            EXPECT_TRUE(tabs.insert(row.button->tab).second);
        }
    }

    std::map<QString, QString> keys;  // key -> the action that has it
    for (const QAction* action : window->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            const auto [at, fresh] = keys.emplace(key.toString(), action->text());
            EXPECT_TRUE(fresh) << key.toString().toStdString() << ": " << at->second.toStdString()
                               << " and " << action->text().toStdString();
        }
    }
}

// Each row becomes one action, shown where its menu is, with its keys; its
// button is a view of the same command.
TEST_F(ActionTable, EachRowIsBuiltOnceWhereItsMenuShowsIt) {
    std::map<QString, QList<const ActionRow*>> byMenu;
    for (const ActionRow& row : Actions()) byMenu[row.menu] << &row;

    const auto expectShown = [](const QList<QAction*>& shown, const QList<const ActionRow*>& rows) {
        ASSERT_EQ(shown.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE(rows[i]->caption.toStdString());
            EXPECT_EQ(shown[i]->isSeparator(), IsSeparator(*rows[i]));
            if (IsSeparator(*rows[i])) continue;
            EXPECT_EQ(shown[i]->text(), rows[i]->caption);
            EXPECT_EQ(shown[i]->shortcuts(), rows[i]->shortcuts);
            EXPECT_EQ(shown[i]->objectName(), rows[i]->name);
            EXPECT_EQ(shown[i]->isCheckable(), rows[i]->check != Check::kNone);
        }
    };
    for (const MenuRow& menu : Menus()) {
        SCOPED_TRACE(menu.name.toStdString());
        const QList<const ActionRow*>& rows = byMenu[menu.name];
        switch (menu.host) {
            case Host::kMenuBar:
            case Host::kTextBoxMenu: {
                const auto* built = window->findChild<QMenu*>(menu.name);
                ASSERT_NE(built, nullptr);
                EXPECT_EQ(built->title(), menu.caption);
                expectShown(built->actions(), rows);
                break;
            }
            case Host::kPictureMenu:
                expectShown(window->Picture1()->actions(), rows);
                break;
            case Host::kKeys:
                for (const ActionRow* row : rows) {
                    const QList<QAction*> all = window->actions();
                    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                            [row](const QAction* action) {
                                                return action->shortcuts() == row->shortcuts;
                                            }),
                              1)
                        << row->shortcuts.value(0).toString().toStdString();
                }
                break;
        }
    }

    for (const ActionRow& row : Actions()) {
        if (!row.button) continue;
        SCOPED_TRACE(row.button->name.toStdString());
        const auto* button = window->findChild<QPushButton*>(row.button->name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), row.button->caption);
        EXPECT_EQ(button->toolTip(), row.button->tooltip);
        EXPECT_EQ(button->geometry(), PixelBox(row.button->box.left, row.button->box.top,
                                               row.button->box.width, row.button->box.height));
    }
}

// Every button is on exactly while its menu item is, through an open and a
// step of the history.
TEST_F(ActionTable, ButtonsAreOnExactlyWhileTheirItemsAre) {
    const auto expectTwinsAgree = [this](const char* when) {
        for (const ActionRow& row : Actions()) {
            if (!row.button) continue;
            const auto* button = window->findChild<QPushButton*>(row.button->name);
            const auto* item = window->findChild<QAction*>(row.name);
            ASSERT_TRUE(button != nullptr && item != nullptr) << row.button->name.toStdString();
            EXPECT_EQ(button->isEnabled(), item->isEnabled())
                << when << ": " << row.button->name.toStdString();
        }
    };
    expectTwinsAgree("at start");
    Open(Save(Pattern(5, 5), QStringLiteral("p.bmp")));
    expectTwinsAgree("opened");
    window->Adjust_Click(0);
    expectTwinsAgree("adjusted");
    window->undo_Click();
    expectTwinsAgree("undone");
}

}  // namespace
}  // namespace glyph::testing
