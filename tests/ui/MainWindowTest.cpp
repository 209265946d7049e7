#include <QMenu>
#include <QMenuBar>

#include "WindowFixture.h"
#include "ui/ClientArea.h"

namespace glyph::testing {
namespace {

using MainWindow = WindowTest;

TEST_F(MainWindow, ControlsStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Glyphorama"));
    EXPECT_EQ(window->controls().Picture3View->geometry(), PixelBox(15, 75, 1560, 1560));
    EXPECT_EQ(window->controls().Picture1View->geometry(), PixelBox(420, 420, 800, 800));
    EXPECT_EQ(window->controls().Picture4View->geometry(), PixelBox(15, 1680, 1560, 1560));
    EXPECT_EQ(window->controls().Picture2View->geometry(), PixelBox(420, 2040, 795, 795));
    EXPECT_EQ(window->controls().Adjust[4]->geometry(), PixelBox(15, 3480, 1560, 390));
    EXPECT_EQ(window->controls().Adjust[2]->geometry(), PixelBox(15, 3870, 390, 390));
    EXPECT_EQ(window->controls().Adjust[3]->geometry(), PixelBox(405, 3870, 390, 390));
    EXPECT_EQ(window->controls().Adjust[0]->geometry(), PixelBox(795, 3870, 390, 390));
    EXPECT_EQ(window->controls().Adjust[1]->geometry(), PixelBox(1185, 3870, 390, 390));
    EXPECT_EQ(window->controls().undo->geometry(), PixelBox(15, 4500, 390, 390));
    EXPECT_EQ(window->controls().redo->geometry(), PixelBox(405, 4500, 390, 390));
    EXPECT_EQ(window->controls().Adjust[5]->geometry(), PixelBox(795, 4500, 780, 390));
    for (int i = 0; i < History::kSlots; ++i)
        EXPECT_FALSE(window->document().history().cashPicture(i));
}

TEST_F(MainWindow, CaptionsAndTooltips) {
    EXPECT_EQ(window->controls().Adjust[4]->text(), QStringLiteral("自動レベル補正"));
    EXPECT_EQ(window->controls().Adjust[5]->text(), QStringLiteral("リセット"));
    const QString tips[6] = {
        QStringLiteral("明るさ（強）"),       QStringLiteral("明るさ（弱）"),
        QStringLiteral("コントラスト（強）"), QStringLiteral("コントラスト（弱）"),
        QStringLiteral("自動レベル補正"),     QStringLiteral("画像を読み込み時の状態に戻します")};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(window->controls().Adjust[i]->toolTip(), tips[i]) << i;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(window->controls().Adjust[i]->text().isEmpty());
        EXPECT_FALSE(window->controls().Adjust[i]->icon().pixmap(16).isNull()) << i;
    }
    // A picture that cannot be found still makes a non-null icon: look at its pixels.
    EXPECT_FALSE(window->controls().undo->icon().pixmap(16).isNull());
    EXPECT_FALSE(window->controls().redo->icon().pixmap(16).isNull());
    EXPECT_EQ(window->controls().Picture1View->toolTip(), QStringLiteral("元画像"));
    EXPECT_EQ(window->controls().Picture2View->toolTip(), QStringLiteral("加工画像"));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindow, TextBoxFillsTheRightPartAndFollowsTheWindow) {
    EXPECT_EQ(window->controls().client->size(), QSize(679, 430));
    EXPECT_EQ(window->TextLeft(), 1620);
    EXPECT_EQ(window->controls().Text1->geometry(), PixelBox(1620, 0, 8565, 6450));
    EXPECT_EQ(window->controls().Text1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(window->controls().Text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->controls().Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(window->controls().Text1->toPlainText().isEmpty());

    const int menuHeight = window->height() - window->controls().client->height();
    window->resize(67, 200 + menuHeight);  // client 1005 x 3000 twips
    QApplication::processEvents();
    ASSERT_EQ(window->controls().client->size(), QSize(67, 200));
    EXPECT_EQ(window->controls().Text1->geometry(), QRect(108, 0, 0, 200));

    window->resize(900, 500 + menuHeight);
    QApplication::processEvents();
    EXPECT_EQ(window->controls().Text1->geometry(), QRect(108, 0, 900 - 108, 500));
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
    const QStringList expected = {
        QStringLiteral("ファイル(&F)"),
        QStringLiteral("画像を開く(&O)\tCtrl+O"),
        QStringLiteral("保存(&S)\tCtrl+S"),
        QStringLiteral("印刷(&P)\tCtrl+P"),
        QStringLiteral("-"),
        QStringLiteral("終了(&X)\t"),
        QStringLiteral("編集(&E)"),
        QStringLiteral("元に戻す(&U)\tCtrl+Z"),
        QStringLiteral("やり直し(&R)\tCtrl+Y"),
        QStringLiteral("-"),
        QStringLiteral("コピー(&C)\tCtrl+C"),
        QStringLiteral("色調補正(&A)"),
        QStringLiteral("自動レベル補正(&L)\tCtrl+L"),
        QStringLiteral("-"),
        QStringLiteral("明るさ(強)\tF11"),
        QStringLiteral("明るさ(弱)\tF12"),
        QStringLiteral("コントラスト(強)\tCtrl+F11"),
        QStringLiteral("コントラスト(弱)\tCtrl+F12"),
        QStringLiteral("-"),
        QStringLiteral("リセット(&R)\tCtrl+R"),
        QStringLiteral("その他(&O)"),
        QStringLiteral("ヘルプ(&H)\tF1"),
        QStringLiteral("バージョン情報(&V)\t"),
    };
    EXPECT_EQ(tree, expected);
}

TEST_F(MainWindow, TabOrderAndStacking) {
    QList<QWidget*> chain;
    QWidget* widget = window->controls().Picture1View;
    for (int i = 0; i < 13; ++i) {
        chain << widget;
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus ||
               !window->controls().client->isAncestorOf(widget)) {
            widget = widget->nextInFocusChain();
        }
    }
    const QList<QWidget*> expected = {
        window->controls().Picture1View, window->controls().Adjust[4],
        window->controls().Adjust[2],    window->controls().Adjust[3],
        window->controls().Adjust[0],    window->controls().Adjust[1],
        window->controls().undo,         window->controls().redo,
        window->controls().Adjust[5],    window->controls().Picture2View,
        window->controls().Text1,        window->controls().Picture3View,
        window->controls().Picture4View};
    EXPECT_EQ(chain, expected);

    // Later children paint over earlier ones.
    const QObjectList& children = window->controls().client->children();
    const auto z = [&children](QObject* o) { return children.indexOf(o); };
    EXPECT_LT(z(window->controls().Picture3View), z(window->controls().Picture4View));
    EXPECT_LT(z(window->controls().Picture4View), z(window->controls().Picture1View));
    EXPECT_LT(z(window->controls().Picture1View), z(window->controls().Picture2View));
    EXPECT_LT(z(window->controls().Picture2View), z(window->controls().Text1));
    for (QPushButton* button : window->controls().Adjust)
        EXPECT_LT(z(window->controls().Text1), z(button));
}

TEST_F(MainWindow, AfterStartUpOnlyTheAdjustmentAndHistoryCommandsAreOff) {
    for (QPushButton* button : window->controls().Adjust) EXPECT_FALSE(button->isEnabled());
    for (QAction* item : window->controls().mnAdjustChange) EXPECT_FALSE(item->isEnabled());
    for (QObject* control : std::initializer_list<QObject*>{
             window->controls().mnAdjustAutoLevel, window->controls().mnAdjustReset,
             window->controls().undo, window->controls().redo, window->controls().mnEditUndo,
             window->controls().mnEditRedo}) {
        EXPECT_FALSE(control->property("enabled").toBool()) << control->objectName().toStdString();
    }
    for (QAction* item : {window->controls().mnFileOpen, window->controls().mnFileSave,
                          window->controls().mnFilePrint, window->controls().mnFileEnd,
                          window->controls().mnEditCopy, window->controls().mnOtherHelp,
                          window->controls().mnOtherVersion}) {
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    }
    EXPECT_TRUE(window->controls().mnAdjust->menuAction()->isEnabled());
}

TEST_F(MainWindow, DisabledShortcutsDoNothing) {
    const QKeyCombination keys[] = {
        Qt::Key_F11,          Qt::Key_F12,          Qt::CTRL | Qt::Key_F11, Qt::CTRL | Qt::Key_F12,
        Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::Key_R, Qt::CTRL | Qt::Key_Z,   Qt::CTRL | Qt::Key_Y};
    for (QWidget* target :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->controls().Text1)}) {
        target->setFocus();
        for (QKeyCombination key : keys) {
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        }
    }
    // A command that ran would have pushed the history and re-enabled the
    // adjustment buttons at the end of its render.
    EXPECT_EQ(window->document().history().UndoCount(), 0);
    EXPECT_EQ(window->document().history().HistoryCursor(), 0);
    EXPECT_FALSE(window->controls().Adjust[0]->isEnabled());
}

TEST_F(MainWindow, SetAdjustEnabledTrueLeavesUndoAndRedoAlone) {
    window->SetAdjustEnabled(true);
    for (QPushButton* button : window->controls().Adjust) EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(window->controls().mnAdjustReset->isEnabled());
    EXPECT_FALSE(window->controls().undo->isEnabled());
    EXPECT_FALSE(window->controls().mnEditRedo->isEnabled());
    window->SetAdjustEnabled(false);
    EXPECT_FALSE(window->controls().mnAdjustAutoLevel->isEnabled());
}

}  // namespace
}  // namespace glyph::testing
