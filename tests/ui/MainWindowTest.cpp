#include <QMenu>
#include <QMenuBar>

#include "WindowFixture.h"
#include "ui/ClientArea.h"

namespace glyph::testing {
namespace {

using MainWindow = WindowTest;

TEST_F(MainWindow, ControlsStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Glyphorama"));
    EXPECT_EQ(Controls(*window).Picture3View->geometry(), PixelBox(15, 75, 1560, 1560));
    EXPECT_EQ(window->Picture1()->geometry(), PixelBox(420, 420, 800, 800));
    EXPECT_EQ(Controls(*window).Picture4View->geometry(), PixelBox(15, 1680, 1560, 1560));
    EXPECT_EQ(window->Picture2()->geometry(), PixelBox(420, 2040, 795, 795));
    EXPECT_EQ(Controls(*window).Adjust[4]->geometry(), PixelBox(15, 3480, 1560, 390));
    EXPECT_EQ(Controls(*window).Adjust[2]->geometry(), PixelBox(15, 3870, 390, 390));
    EXPECT_EQ(Controls(*window).Adjust[3]->geometry(), PixelBox(405, 3870, 390, 390));
    EXPECT_EQ(Controls(*window).Adjust[0]->geometry(), PixelBox(795, 3870, 390, 390));
    EXPECT_EQ(Controls(*window).Adjust[1]->geometry(), PixelBox(1185, 3870, 390, 390));
    EXPECT_EQ(Controls(*window).undo->geometry(), PixelBox(15, 4500, 390, 390));
    EXPECT_EQ(Controls(*window).redo->geometry(), PixelBox(405, 4500, 390, 390));
    EXPECT_EQ(Controls(*window).Adjust[5]->geometry(), PixelBox(795, 4500, 780, 390));
    for (int i = 0; i < History::kSlots; ++i)
        EXPECT_FALSE(window->document().history().cashPicture(i));
}

TEST_F(MainWindow, CaptionsAndTooltips) {
    EXPECT_EQ(Controls(*window).Adjust[4]->text(), QStringLiteral("自動レベル補正"));
    EXPECT_EQ(Controls(*window).Adjust[5]->text(), QStringLiteral("リセット"));
    const QString tips[6] = {
        QStringLiteral("明るさ（強）"),       QStringLiteral("明るさ（弱）"),
        QStringLiteral("コントラスト（強）"), QStringLiteral("コントラスト（弱）"),
        QStringLiteral("自動レベル補正"),     QStringLiteral("画像を読み込み時の状態に戻します")};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Controls(*window).Adjust[i]->toolTip(), tips[i]) << i;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Controls(*window).Adjust[i]->text().isEmpty());
        EXPECT_FALSE(Controls(*window).Adjust[i]->icon().pixmap(16).isNull()) << i;
    }
    // A picture that cannot be found still makes a non-null icon: look at its pixels.
    EXPECT_FALSE(Controls(*window).undo->icon().pixmap(16).isNull());
    EXPECT_FALSE(Controls(*window).redo->icon().pixmap(16).isNull());
    EXPECT_EQ(window->Picture1()->toolTip(), QStringLiteral("元画像"));
    EXPECT_EQ(window->Picture2()->toolTip(), QStringLiteral("加工画像"));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindow, TextBoxFillsTheRightPartAndFollowsTheWindow) {
    EXPECT_EQ(window->client()->size(), QSize(679, 430));
    EXPECT_EQ(window->TextLeft(), 1620);
    EXPECT_EQ(window->Text1()->geometry(), PixelBox(1620, 0, 8565, 6450));
    EXPECT_EQ(window->Text1()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(window->Text1()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->Text1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(window->Text1()->toPlainText().isEmpty());

    const int menuHeight = window->height() - window->client()->height();
    window->resize(67, 200 + menuHeight);  // client 1005 x 3000 twips
    QApplication::processEvents();
    ASSERT_EQ(window->client()->size(), QSize(67, 200));
    EXPECT_EQ(window->Text1()->geometry(), QRect(108, 0, 0, 200));

    window->resize(900, 500 + menuHeight);
    QApplication::processEvents();
    EXPECT_EQ(window->Text1()->geometry(), QRect(108, 0, 900 - 108, 500));
}

TEST_F(MainWindow, MenuTreeWithAccessKeysSeparatorsAndShortcuts) {
    QStringList tree;
    for (QAction* top : window->menuBar()->actions()) {
        tree << top->text();
        for (QAction* item : top->menu()->actions()) {
            tree << (item->isSeparator() ? QStringLiteral("-")
                                         : item->text() + u'\t' + item->shortcut().toString());
        }
    }
    // As the action table has it, menu by menu.
    QStringList expected;
    for (const MenuRow& menu : Menus()) {
        if (menu.host != Host::kMenuBar) continue;
        expected << menu.caption;
        for (const ActionRow& row : Actions()) {
            if (row.menu != menu.name) continue;
            const QString shortcut = row.shortcuts.value(0).toString();
            expected << (IsSeparator(row) ? QStringLiteral("-") : row.caption + u'\t' + shortcut);
        }
    }
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(tree, expected);
}

TEST_F(MainWindow, TabOrderAndStacking) {
    QList<QWidget*> chain;
    QWidget* widget = window->Picture1();
    for (int i = 0; i < 13; ++i) {
        chain << widget;
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !window->client()->isAncestorOf(widget)) {
            widget = widget->nextInFocusChain();
        }
    }
    const QList<QWidget*> expected = {window->Picture1(),
                                      Controls(*window).Adjust[4],
                                      Controls(*window).Adjust[2],
                                      Controls(*window).Adjust[3],
                                      Controls(*window).Adjust[0],
                                      Controls(*window).Adjust[1],
                                      Controls(*window).undo,
                                      Controls(*window).redo,
                                      Controls(*window).Adjust[5],
                                      window->Picture2(),
                                      window->Text1(),
                                      Controls(*window).Picture3View,
                                      Controls(*window).Picture4View};
    EXPECT_EQ(chain, expected);

    // Later children paint over earlier ones.
    const QObjectList& children = window->client()->children();
    const auto z = [&children](QObject* o) { return children.indexOf(o); };
    EXPECT_LT(z(Controls(*window).Picture3View), z(Controls(*window).Picture4View));
    EXPECT_LT(z(Controls(*window).Picture4View), z(window->Picture1()));
    EXPECT_LT(z(window->Picture1()), z(window->Picture2()));
    EXPECT_LT(z(window->Picture2()), z(window->Text1()));
    for (QPushButton* button : Controls(*window).Adjust) EXPECT_LT(z(window->Text1()), z(button));
}

TEST_F(MainWindow, AfterStartUpOnlyTheAdjustmentAndHistoryCommandsAreOff) {
    for (QPushButton* button : Controls(*window).Adjust) EXPECT_FALSE(button->isEnabled());
    for (QAction* item : Controls(*window).mnAdjustChange) EXPECT_FALSE(item->isEnabled());
    for (QObject* control : std::initializer_list<QObject*>{
             Controls(*window).mnAdjustAutoLevel, Controls(*window).mnAdjustReset,
             Controls(*window).undo, Controls(*window).redo, Controls(*window).mnEditUndo,
             Controls(*window).mnEditRedo}) {
        EXPECT_FALSE(control->property("enabled").toBool()) << control->objectName().toStdString();
    }
    for (QAction* item :
         {Controls(*window).mnFileOpen, Controls(*window).mnFileSave, Controls(*window).mnFilePrint,
          Controls(*window).mnFileEnd, Controls(*window).mnEditCopy, Controls(*window).mnOtherHelp,
          Controls(*window).mnOtherVersion}) {
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    }
    EXPECT_TRUE(Controls(*window).mnAdjust->menuAction()->isEnabled());
}

TEST_F(MainWindow, DisabledShortcutsDoNothing) {
    const QKeyCombination keys[] = {
        Qt::Key_F11,          Qt::Key_F12,          Qt::CTRL | Qt::Key_F11, Qt::CTRL | Qt::Key_F12,
        Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::Key_R, Qt::CTRL | Qt::Key_Z,   Qt::CTRL | Qt::Key_Y};
    for (QWidget* target :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->Text1())}) {
        target->setFocus();
        for (QKeyCombination key : keys) {
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        }
    }
    // A command that ran would have pushed the history and re-enabled the
    // adjustment buttons at the end of its render.
    EXPECT_EQ(window->document().history().UndoCount(), 0);
    EXPECT_EQ(window->document().history().HistoryCursor(), 0);
    EXPECT_FALSE(Controls(*window).Adjust[0]->isEnabled());
}

TEST_F(MainWindow, AnOpenTurnsTheAdjustmentsOnAndLeavesTheHistoryOff) {
    Open(Save(Pattern(3, 3), QStringLiteral("p.bmp")));
    const Controls c(*window);
    for (QPushButton* button : c.Adjust) EXPECT_TRUE(button->isEnabled());
    for (QAction* item : c.mnAdjustChange) EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(c.mnAdjustAutoLevel->isEnabled());
    EXPECT_TRUE(c.mnAdjustReset->isEnabled());
    for (QObject* control :
         std::initializer_list<QObject*>{c.undo, c.redo, c.mnEditUndo, c.mnEditRedo}) {
        EXPECT_FALSE(control->property("enabled").toBool()) << control->objectName().toStdString();
    }
}

}  // namespace
}  // namespace glyph::testing
