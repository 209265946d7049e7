#include <QMenu>
#include <QMenuBar>

#include "WindowFixture.h"
#include "ui/ClientArea.h"

namespace glyph::testing {
namespace {

using MainWindow = WindowTest;

TEST_F(MainWindow, ControlsStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Glyphorama"));
    EXPECT_EQ(window->Picture3View->geometry(), PixelBox(15, 75, 1560, 1560));
    EXPECT_EQ(window->Picture1View->geometry(), PixelBox(420, 420, 800, 800));
    EXPECT_EQ(window->Picture4View->geometry(), PixelBox(15, 1680, 1560, 1560));
    EXPECT_EQ(window->Picture2View->geometry(), PixelBox(420, 2040, 795, 795));
    EXPECT_EQ(window->Adjust[4]->geometry(), PixelBox(15, 3480, 1560, 390));
    EXPECT_EQ(window->Adjust[2]->geometry(), PixelBox(15, 3870, 390, 390));
    EXPECT_EQ(window->Adjust[3]->geometry(), PixelBox(405, 3870, 390, 390));
    EXPECT_EQ(window->Adjust[0]->geometry(), PixelBox(795, 3870, 390, 390));
    EXPECT_EQ(window->Adjust[1]->geometry(), PixelBox(1185, 3870, 390, 390));
    EXPECT_EQ(window->undo->geometry(), PixelBox(15, 4500, 390, 390));
    EXPECT_EQ(window->redo->geometry(), PixelBox(405, 4500, 390, 390));
    EXPECT_EQ(window->Adjust[5]->geometry(), PixelBox(795, 4500, 780, 390));
    for (int i = 0; i < History::kSlots; ++i) {
        EXPECT_EQ(window->history().cashPicture(i).Image().size(), QSize(104, 104));
    }
}

TEST_F(MainWindow, CaptionsAndTooltips) {
    EXPECT_EQ(window->Adjust[4]->text(), QStringLiteral("自動レベル補正"));
    EXPECT_EQ(window->Adjust[5]->text(), QStringLiteral("リセット"));
    const QString tips[6] = {
        QStringLiteral("明るさ（強）"),       QStringLiteral("明るさ（弱）"),
        QStringLiteral("コントラスト（強）"), QStringLiteral("コントラスト（弱）"),
        QStringLiteral("自動レベル補正"),     QStringLiteral("画像を読み込み時の状態に戻します")};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(window->Adjust[i]->toolTip(), tips[i]) << i;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(window->Adjust[i]->text().isEmpty());
        EXPECT_FALSE(window->Adjust[i]->icon().isNull()) << i;
    }
    EXPECT_FALSE(window->undo->icon().isNull());
    EXPECT_FALSE(window->redo->icon().isNull());
    EXPECT_EQ(window->Picture1View->toolTip(), QStringLiteral("元画像"));
    EXPECT_EQ(window->Picture2View->toolTip(), QStringLiteral("加工画像"));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindow, TextBoxFillsTheRightPartAndFollowsTheWindow) {
    EXPECT_EQ(window->client->size(), QSize(679, 430));
    EXPECT_EQ(window->TextLeft, 1620);
    EXPECT_EQ(window->Text1->geometry(), PixelBox(1620, 0, 8565, 6450));
    EXPECT_EQ(window->Text1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(window->Text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(window->Text1->toPlainText().isEmpty());

    const int menuHeight = window->height() - window->client->height();
    window->resize(67, 200 + menuHeight);  // client 1005 x 3000 twips
    QApplication::processEvents();
    ASSERT_EQ(window->client->size(), QSize(67, 200));
    EXPECT_EQ(window->Text1->geometry(), QRect(108, 0, 0, 200));

    window->resize(900, 500 + menuHeight);
    QApplication::processEvents();
    EXPECT_EQ(window->Text1->geometry(), QRect(108, 0, 900 - 108, 500));
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
    QWidget* widget = window->Picture1View;
    for (int i = 0; i < 13; ++i) {
        chain << widget;
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !window->client->isAncestorOf(widget)) {
            widget = widget->nextInFocusChain();
        }
    }
    const QList<QWidget*> expected = {window->Picture1View, window->Adjust[4], window->Adjust[2],
                                      window->Adjust[3],    window->Adjust[0], window->Adjust[1],
                                      window->undo,         window->redo,      window->Adjust[5],
                                      window->Picture2View, window->Text1,     window->Picture3View,
                                      window->Picture4View};
    EXPECT_EQ(chain, expected);

    // Later children paint over earlier ones.
    const QObjectList& children = window->client->children();
    const auto z = [&children](QObject* o) { return children.indexOf(o); };
    EXPECT_LT(z(window->Picture3View), z(window->Picture4View));
    EXPECT_LT(z(window->Picture4View), z(window->Picture1View));
    EXPECT_LT(z(window->Picture1View), z(window->Picture2View));
    EXPECT_LT(z(window->Picture2View), z(window->Text1));
    for (QPushButton* button : window->Adjust) EXPECT_LT(z(window->Text1), z(button));
}

TEST_F(MainWindow, AfterStartUpOnlyTheAdjustmentAndHistoryCommandsAreOff) {
    for (QPushButton* button : window->Adjust) EXPECT_FALSE(button->isEnabled());
    for (QAction* item : window->mnAdjustChange) EXPECT_FALSE(item->isEnabled());
    for (QObject* control : std::initializer_list<QObject*>{
             window->mnAdjustAutoLevel, window->mnAdjustReset, window->undo, window->redo,
             window->mnEditUndo, window->mnEditRedo}) {
        EXPECT_FALSE(control->property("enabled").toBool()) << control->objectName().toStdString();
    }
    for (QAction* item :
         {window->mnFileOpen, window->mnFileSave, window->mnFilePrint, window->mnFileEnd,
          window->mnEditCopy, window->mnOtherHelp, window->mnOtherVersion}) {
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    }
    EXPECT_TRUE(window->mnAdjust->menuAction()->isEnabled());
}

TEST_F(MainWindow, DisabledShortcutsDoNothing) {
    const QKeyCombination keys[] = {
        Qt::Key_F11,          Qt::Key_F12,          Qt::CTRL | Qt::Key_F11, Qt::CTRL | Qt::Key_F12,
        Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::Key_R, Qt::CTRL | Qt::Key_Z,   Qt::CTRL | Qt::Key_Y};
    for (QWidget* target :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->Text1)}) {
        target->setFocus();
        for (QKeyCombination key : keys) {
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        }
    }
    // A command that ran would have pushed the history and re-enabled the
    // adjustment buttons at the end of its render.
    EXPECT_EQ(window->history().UndoCount, 0);
    EXPECT_EQ(window->history().HistoryCursor, 0);
    EXPECT_FALSE(window->Adjust[0]->isEnabled());
}

TEST_F(MainWindow, SetAdjustEnabledTrueLeavesUndoAndRedoAlone) {
    window->SetAdjustEnabled(true);
    for (QPushButton* button : window->Adjust) EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(window->mnAdjustReset->isEnabled());
    EXPECT_FALSE(window->undo->isEnabled());
    EXPECT_FALSE(window->mnEditRedo->isEnabled());
    window->SetAdjustEnabled(false);
    EXPECT_FALSE(window->mnAdjustAutoLevel->isEnabled());
}

}  // namespace
}  // namespace glyph::testing
