// The window's choices are kept for the next start; a start with nothing
// kept is a first start.
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTextBlock>
#include <QTextLayout>

#include "WindowFixture.h"
#include "document/Convert.h"
#include "glyphs/RampSource.h"
#include "glyphs/ShapeSource.h"
#include "ui/Remembered.h"
#include "ui/TextZoom.h"

namespace glyph::testing {
namespace {

using KeptChoices = WindowTest;

// The picture menu's checked entries: a framing and a match.
QStringList Checked(const Form1& window) {
    QStringList checked;
    for (const QAction* action : window.Picture1()->actions()) {
        if (action->isChecked()) checked << action->text();
    }
    return checked;
}

QAction* ColourView(const Form1& window) {
    return window.findChild<QAction*>(QStringLiteral("mnViewColour"));
}

QString BlockText(const QString& path) {
    return ConvertFile(path, {}, CharRamp::BuiltIn(), Framing{}, &FontShapes).value();
}

TEST_F(KeptChoices, NothingKeptOrNothingReadableStartsAsTheFirstStart) {
    const qreal usual = window->zoom().UsualSize();
    const auto expectFirstStart = [&](const char* when) {
        SCOPED_TRACE(when);
        const QList<QAction*> actions = window->Picture1()->actions();
        EXPECT_EQ(Checked(*window), QStringList({actions[0]->text(), actions[5]->text()}))
            << "the block; shapes for the reduced modes";
        EXPECT_FALSE(ColourView(*window)->isChecked());
        EXPECT_EQ(window->Text1()->font().pointSizeF(), usual);
        const QString path = Save(Pattern(400, 300), "wide.png");
        Open(path);
        EXPECT_EQ(window->Text(), BlockText(path));
        EXPECT_EQ(window->Text1()->font().pointSizeF(), usual);
    };
    expectFirstStart("nothing kept");
    CreateWindow();
    EXPECT_FALSE(QFile::exists(ChoicesPath())) << "a start that chose nothing keeps nothing";

    ASSERT_TRUE(QDir().mkpath(QFileInfo(ChoicesPath()).path()));
    QFile garbage(ChoicesPath());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("[window]\nframing=sideways\nmatch=3\ncolourView=maybe\nzoom=-4\n\x01\xff");
    garbage.close();
    CreateWindow();
    expectFirstStart("nothing readable");
}

TEST_F(KeptChoices, TheFramingMatchColourViewAndZoomOutliveTheWindow) {
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_4, Qt::ControlModifier);
    ColourView(*window)->trigger();
    window->zoom().ZoomIn();
    window->zoom().ZoomIn();
    const qreal zoomed = window->Text1()->font().pointSizeF();
    const QStringList checked = Checked(*window);

    CreateWindow();
    EXPECT_EQ(Checked(*window), checked);
    EXPECT_TRUE(ColourView(*window)->isChecked());
    EXPECT_EQ(window->Text1()->font().pointSizeF(), zoomed);
    const QString path = Save(Pattern(400, 300), "wide.png");
    Open(path);
    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    EXPECT_EQ(window->Text(), ConvertFile(path, {}, MeasuredArtRamp(), whole, &FontShapes).value())
        << "the whole picture by tone";
    EXPECT_FALSE(window->Text1()->document()->firstBlock().layout()->formats().isEmpty());

    // The usual ones chosen again are as good as nothing kept.
    QTest::keyClick(window.get(), Qt::Key_0, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_5, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_1, Qt::ControlModifier);
    ColourView(*window)->trigger();
    CreateWindow();
    const QList<QAction*> actions = window->Picture1()->actions();
    EXPECT_EQ(Checked(*window), QStringList({actions[0]->text(), actions[5]->text()}));
    EXPECT_FALSE(ColourView(*window)->isChecked());
    EXPECT_EQ(window->Text1()->font().pointSizeF(), window->zoom().UsualSize());
}

// Kept choices live in a regular file of the program's own: a link, a FIFO
// or a vast file at its name is neither read nor written, and nothing waits.
TEST_F(KeptChoices, AFileThatIsNotTheProgramsIsNeitherReadNorWritten) {
    const QString path = ChoicesPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    const QByteArray whole = "[window]\nframing=whole\n";
    const QString target = dir.filePath("elsewhere.conf");
    QFile elsewhere(target);
    ASSERT_TRUE(elsewhere.open(QIODevice::WriteOnly));
    elsewhere.write(whole);
    elsewhere.close();
    const auto chooseAfterStart = [&](const char* what) {
        SCOPED_TRACE(what);
        CreateWindow();
        const QList<QAction*> actions = window->Picture1()->actions();
        EXPECT_TRUE(actions[0]->isChecked()) << "the block, as a first start";
        QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
        EXPECT_TRUE(actions[2]->isChecked());
        window.reset();
    };

    ASSERT_TRUE(QFile::link(target, path));
    chooseAfterStart("a link");
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), whole);
    kept.close();

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    chooseAfterStart("a FIFO");
    EXPECT_FALSE(QFileInfo(path).isFile());

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::copy(target, path));
    ASSERT_TRUE(QFile::resize(path, 1 << 20));
    chooseAfterStart("a vast file");
    EXPECT_EQ(QFileInfo(path).size(), 1 << 20);
}

}  // namespace
}  // namespace glyph::testing
