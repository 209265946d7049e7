#include "WindowFixture.h"
#include "engine/CharRamp.h"
#include "engine/Levels.h"

namespace glyph::testing {
namespace {

using Adjustments = WindowTest;

// The gray colour of level v as the preview holds it.
std::int32_t Gray(int v) { return static_cast<std::int32_t>(GrayColour(v)); }

// A 3 x 1 picture whose pixels read as the given levels.
QImage Levels3(int a, int b, int c) {
    QImage image(3, 1, QImage::Format_RGB32);
    const int levels[3] = {a, b, c};
    for (int x = 0; x < 3; ++x) {
        // Red alone reads as floor(r * 0.3); pick the gray that reads exactly.
        int v = levels[x];
        while (GrayLevel(GrayColour(v)) < levels[x]) ++v;
        image.setPixel(x, 0, qRgb(v, v, v));
    }
    return image;
}

// A preview rendered again with no adjustment: each gray as it reads back.
QImage Reread(const QImage& preview) {
    QImage image = preview;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int v = GrayLevel(GrayColour(qRed(image.pixel(x, y))));
            image.setPixel(x, y, qRgb(v, v, v));
        }
    return image;
}

// The text a preview spells with the built-in ramp, one character per gray.
QString Spelled(const QImage& preview) {
    QStringList lines;
    for (int y = 0; y < preview.height(); ++y) {
        QString line;
        for (int x = 0; x < preview.width(); ++x)
            line += CharRamp::BuiltIn().CharForLevel(qRed(preview.pixel(x, y)));
        lines << line;
    }
    return lines.join(QStringLiteral("\r\n"));
}

struct State {
    QImage preview;
    QString text;
    int undoCount;
    int cursor;
    bool undo;
    bool redo;
    bool operator==(const State&) const = default;
};

void ExpectCounters(const State& s, int undoCount, int cursor, bool undo, bool redo) {
    EXPECT_EQ(s.undoCount, undoCount);
    EXPECT_EQ(s.cursor, cursor);
    EXPECT_EQ(s.undo, undo);
    EXPECT_EQ(s.redo, redo);
}

State Now(Form1& w) {
    return {w.Picture2()->Image(),
            w.Text(),
            w.document().history().UndoCount(),
            w.document().history().HistoryCursor(),
            Controls(w).undo->isEnabled(),
            Controls(w).redo->isEnabled()};
}

TEST_F(Adjustments, BrighterStepsCompoundThroughThePreview) {
    Open(Save(Levels3(100, 120, 250), QStringLiteral("levels.bmp")));
    ASSERT_EQ(Preview(0, 0), Gray(100));
    ASSERT_EQ(Preview(2, 0), Gray(250));
    window->Adjust_Click(0);
    EXPECT_EQ(Preview(0, 0), Gray(110));
    EXPECT_EQ(Preview(2, 0), Gray(255));
    window->Adjust_Click(0);
    EXPECT_EQ(Preview(0, 0), Gray(119));  // 110 reads back as 109
    EXPECT_EQ(Preview(2, 0), Gray(255));
}

TEST_F(Adjustments, BrighterThenDarker) {
    Open(Save(Levels3(100, 120, 250), QStringLiteral("levels.bmp")));
    window->Adjust_Click(0);
    window->Adjust_Click(1);
    EXPECT_EQ(Preview(0, 0), Gray(99));
    EXPECT_EQ(Preview(1, 0), Gray(120));
    EXPECT_EQ(Preview(2, 0), Gray(245));
}

TEST_F(Adjustments, WorkedExampleThroughTheWindow) {
    Open(Save(Pattern(40, 30), QStringLiteral("p.bmp")));
    const State opened = Now(*window);
    EXPECT_FALSE(opened.undo);
    EXPECT_FALSE(opened.redo);
    window->Adjust_Click(2);
    const State a1 = Now(*window);
    window->Adjust_Click(3);
    window->Adjust_Click(4);
    const State a3 = Now(*window);
    EXPECT_EQ(a3.undoCount, 3);
    EXPECT_TRUE(a3.undo);
    EXPECT_FALSE(a3.redo);

    window->undo_Click();
    window->undo_Click();
    State s = Now(*window);
    EXPECT_EQ(s.preview, Reread(a1.preview));
    EXPECT_EQ(s.undoCount, 1);
    EXPECT_EQ(s.cursor, 2);
    EXPECT_TRUE(s.undo && s.redo);

    window->Adjust_Click(0);  // A4 from the restored A1
    s = Now(*window);
    ExpectCounters(s, 1, 0, true, false);
    const State a4 = s;

    window->undo_Click();
    s = Now(*window);
    ExpectCounters(s, 0, 1, false, true);

    window->redo_Click();
    s = Now(*window);
    ExpectCounters(s, 1, 0, true, false);
    // Undo and redo render the snapshot again, which may lower some levels.
    EXPECT_EQ(s.text.size(), a4.text.size());
}

TEST_F(Adjustments, FiveUndosAndFiveRedosAfterSevenSteps) {
    Open(Save(Pattern(20, 20), QStringLiteral("p.bmp")));
    for (int i = 0; i < 7; ++i) window->Adjust_Click(static_cast<std::int16_t>(i % 2 == 0 ? 2 : 0));
    EXPECT_EQ(window->document().history().UndoCount(), 5);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(Controls(*window).undo->isEnabled()) << i;
        Controls(*window).mnEditUndo->trigger();
    }
    EXPECT_FALSE(Controls(*window).undo->isEnabled());
    EXPECT_FALSE(Controls(*window).mnEditUndo->isEnabled());
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(Controls(*window).redo->isEnabled()) << i;
        Controls(*window).mnEditRedo->trigger();
    }
    EXPECT_FALSE(Controls(*window).redo->isEnabled());
    EXPECT_TRUE(Controls(*window).undo->isEnabled());
}

TEST_F(Adjustments, ResetReturnsToTheOpenedPictureAndCanBeUndone) {
    Open(Save(Pattern(25, 12), QStringLiteral("p.bmp")));
    const State opened = Now(*window);
    window->Adjust_Click(0);
    window->Adjust_Click(2);
    const State before = Now(*window);
    Controls(*window).mnAdjustReset->trigger();
    EXPECT_EQ(Now(*window).preview, opened.preview);
    EXPECT_EQ(Now(*window).text, opened.text);
    window->undo_Click();
    // The restored snapshot is rendered again: levels that read back lower
    // drop by one, so compare with a fresh render of the same snapshot.
    EXPECT_EQ(window->document().history().UndoCount(), 2);
    EXPECT_EQ(Now(*window).preview, Reread(before.preview));
    EXPECT_EQ(Now(*window).text, Spelled(Reread(before.preview)));
}

TEST_F(Adjustments, ButtonMenuItemAndShortcutGiveTheSameResult) {
    const QString path = Save(Pattern(33, 21), QStringLiteral("p.bmp"));
    struct Twin {
        int button;
        QAction* Controls::*item;
        int menuIndex;  // into mnAdjustChange when item is null
        QKeyCombination key;
    };
    const Twin twins[] = {
        {0, nullptr, 0, Qt::Key_F11},
        {1, nullptr, 1, Qt::Key_F12},
        {2, nullptr, 2, Qt::CTRL | Qt::Key_F11},
        {3, nullptr, 3, Qt::CTRL | Qt::Key_F12},
        {4, &Controls::mnAdjustAutoLevel, -1, Qt::CTRL | Qt::Key_L},
        {5, &Controls::mnAdjustReset, -1, Qt::CTRL | Qt::Key_R},
    };
    for (const Twin& twin : twins) {
        Open(path);
        window->Adjust_Click(0);  // start away from the opened state
        Controls(*window).Adjust[twin.button]->click();
        const State byButton = Now(*window);

        Open(path);
        window->Adjust_Click(0);
        QAction* item = twin.item ? Controls(*window).*twin.item
                                  : Controls(*window).mnAdjustChange[twin.menuIndex];
        item->trigger();
        EXPECT_TRUE(Now(*window) == byButton) << twin.button;

        Open(path);
        window->Adjust_Click(0);
        window->Text1()->setFocus();
        QTest::keyClick(window->Text1(), twin.key.key(), twin.key.keyboardModifiers());
        EXPECT_TRUE(Now(*window) == byButton) << twin.button;
    }
}

TEST_F(Adjustments, UndoAndRedoKeysReachTheHistoryFromTheTextBox) {
    Open(Save(Pattern(10, 10), QStringLiteral("p.bmp")));
    window->Adjust_Click(0);
    window->Text1()->setFocus();
    QTest::keyClicks(window->Text1(), QStringLiteral("typed"));
    QTest::keyClick(window->Text1(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->document().history().HistoryCursor(), 1);
    EXPECT_FALSE(window->Text().contains(QStringLiteral("typed")));
    QTest::keyClick(window->Text1(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->document().history().HistoryCursor(), 0);
    QTest::keyClick(window->Text1(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_FALSE(Controls(*window).undo->isEnabled());

    // Undo is off now: Ctrl+Z does nothing, not even the text box's own undo.
    QTest::keyClicks(window->Text1(), QStringLiteral("q"));
    const QString typed = window->Text();
    QTest::keyClick(window->Text1(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->Text(), typed);
    EXPECT_TRUE(typed.contains(u'q'));
    EXPECT_EQ(window->document().history().HistoryCursor(), 1);
}

TEST_F(Adjustments, AutoLevelOnASingleLevelKeepsTheLevels) {
    Open(Save(Filled(6, 4, qRgb(90, 90, 90)), QStringLiteral("flat.bmp")));
    const std::int32_t before = Preview(0, 0);
    Controls(*window).mnAdjustAutoLevel->trigger();
    EXPECT_EQ(Preview(0, 0), before);
    EXPECT_EQ(window->document().history().UndoCount(), 1);
    EXPECT_TRUE(Controls(*window).Adjust[4]->isEnabled());
}

TEST_F(Adjustments, AutoLevelStretchesTheRange) {
    Open(Save(Levels3(50, 100, 150), QStringLiteral("range.bmp")));
    window->Adjust_Click(4);
    EXPECT_EQ(Preview(0, 0), Gray(0));
    EXPECT_EQ(Preview(1, 0), Gray(128));
    EXPECT_EQ(Preview(2, 0), Gray(255));
}

// The buttons' indexes arrive as integers: one past the commands runs nothing.
TEST_F(Adjustments, AnIndexPastTheCommandsChangesNothing) {
    Open(Save(Levels3(50, 100, 150), QStringLiteral("range.bmp")));
    window->Adjust_Click(0);
    const State before = Now(*window);
    for (const std::int16_t index : {8, 9, 100, -1}) {
        window->Adjust_Click(index);
        EXPECT_TRUE(Now(*window) == before) << index;
    }
}

}  // namespace
}  // namespace glyph::testing
