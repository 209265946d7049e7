#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include "WindowFixture.h"

namespace glyph::testing {
namespace {

using DropOnWindow = WindowTest;

// Drops urls on `target` as the desktop does: enter, then drop. Whether the
// target took the drag.
bool Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return true;
}

TEST_F(DropOnWindow, ADroppedPictureOpensAsOpenDoesOnTheWindowAndOnTheTextBox) {
    const QString first = Save(Pattern(30, 20), "first.png");
    const QString second = Save(Filled(12, 9, qRgb(0, 0, 0)), "second.bmp");
    EXPECT_TRUE(Drop(window.get(), {QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)}));
    EXPECT_EQ(window->document().path(), first) << "several files: the first opens";
    EXPECT_EQ(window->document().ImageWidth(), 30);
    const QString shownText = window->Text();

    // On the text box, a file is a picture to open, not text to insert.
    EXPECT_TRUE(Drop(window->Text1()->viewport(), {QUrl::fromLocalFile(second)}));
    EXPECT_EQ(window->document().path(), second);
    EXPECT_NE(window->Text(), shownText);
    EXPECT_FALSE(window->Text().contains("file:"));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(services.fileRequests.empty()) << "no dialog";
}

TEST_F(DropOnWindow, AnUnreadableDropIsRefusedAndAnythingElseIgnored) {
    Open(Save(Pattern(30, 20), "shown.bmp"));
    const QString text = window->Text();
    const QString broken = dir.filePath("broken.png");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n\x1a\n not really");
    file.close();

    EXPECT_TRUE(Drop(window.get(), {QUrl::fromLocalFile(broken)}));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text,
              broken +
                  "\r\nこのファイルは読み取れません。\r\n"
                  "このビットマップ ファイルは無効であるか、現在サポートされていない形式です。");
    EXPECT_EQ(window->Text(), text);

    EXPECT_FALSE(Drop(window.get(), {QUrl("https://example.com/picture.png")}));
    EXPECT_FALSE(Drop(window.get(), {}));
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(window->Text(), text);
}

}  // namespace
}  // namespace glyph::testing
