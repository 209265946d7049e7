#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "Controls.h"
#include "FakeServices.h"
#include "ui/Dialog.h"
#include "ui/Form1.h"

namespace glyph {
namespace {

using testing::Controls;

// Layout lengths as pixels at 15 twips per pixel.
QRect PixelBox(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left, 15), TwipsToPixels(top, 15), TwipsToPixels(width, 15),
                 TwipsToPixels(height, 15));
}

// Unloads windows closed with deleteLater, as the event loop would.
void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

std::vector<Dialog*> AboutWindows() {
    std::vector<Dialog*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<Dialog*>(widget)) found.push_back(dialog);
    }
    return found;
}

class OtherCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override { ShowWindow(dir.path()); }

    void TearDown() override {
        for (Dialog* dialog : AboutWindows()) delete dialog;
        window.reset();
        FlushDeletes();
    }

    void ShowWindow(const QString& appPath) {
        window = std::make_unique<Form1>(services, TwipScale{15, 15}, appPath);
        window->show();
        Activate(window.get());
    }

    static void Activate(QWidget* widget) {
        widget->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
    }

    // Runs the Version command and returns the About window it opened.
    Dialog* OpenAbout() {
        Controls(*window).mnOtherVersion->trigger();
        const std::vector<Dialog*> dialogs = AboutWindows();
        EXPECT_EQ(dialogs.size(), 1u);
        return dialogs.empty() ? nullptr : dialogs.front();
    }

    QTemporaryDir dir;
    testing::FakeServices services;
    std::unique_ptr<Form1> window;
};

TEST_F(OtherCommandsTest, AboutWindowIsLaidOutAsStated) {
    Dialog* dialog = OpenAbout();
    ASSERT_NE(dialog, nullptr);

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    EXPECT_EQ(dialog->windowType(), Qt::Dialog);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_EQ(dialog->windowIcon().cacheKey(), window->windowIcon().cacheKey());

    // Client area 2970 x 1320 twips, 2760 and 3750 twips from the screen's
    // left and top edges.
    EXPECT_EQ(dialog->geometry(), PixelBox(2760, 3750, 2970, 1320));
    EXPECT_EQ(dialog->OKButton->geometry(), PixelBox(968, 900, 1035, 315));
    EXPECT_EQ(dialog->Picture1->geometry(), PixelBox(420, 180, 480, 480));

    EXPECT_EQ(dialog->OKButton->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog->Label1->text(), QStringLiteral("Glyphorama"));
    EXPECT_EQ(dialog->Label2->text(), QStringLiteral("version 1.12"));

    // The labels stand where stated and at least as large; whatever font was
    // found, their text is not cut off.
    const QRect labelBoxes[] = {PixelBox(1500, 180, 1020, 195), PixelBox(1500, 480, 915, 180)};
    const QLabel* labels[] = {dialog->Label1, dialog->Label2};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(labels[i]->pos(), labelBoxes[i].topLeft());
        EXPECT_GE(labels[i]->width(), labelBoxes[i].width());
        EXPECT_GE(labels[i]->height(), labelBoxes[i].height());
        EXPECT_GE(labels[i]->width(), labels[i]->sizeHint().width());
        EXPECT_GE(labels[i]->height(), labels[i]->sizeHint().height());
        EXPECT_LE(labels[i]->geometry().right(), dialog->width() - 1);
    }

    const QFont name = dialog->Label1->font();
    EXPECT_EQ(name.families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_DOUBLE_EQ(name.pointSizeF(), 9.75);
    EXPECT_EQ(name.weight(), QFont::Bold);
    EXPECT_FALSE(name.italic() || name.underline() || name.strikeOut());
    // Without the designed font, an installed font that writes Japanese.
    EXPECT_TRUE(
        QFontDatabase::writingSystems(QFontInfo(name).family()).contains(QFontDatabase::Japanese))
        << QFontInfo(name).family().toStdString();
    EXPECT_EQ(dialog->Label2->font(), dialog->font());

    // The picture: 32 x 32, opaque (Qt reads a GIF with a transparent colour
    // as ARGB32), at most 16 colours.
    const QImage picture = dialog->Picture1->pixmap().toImage();
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_FALSE(picture.hasAlphaChannel());
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) colours.insert(picture.pixel(x, y));
    }
    EXPECT_LE(colours.size(), 16);

    EXPECT_EQ(dialog->focusWidget(), dialog->OKButton);
    EXPECT_FALSE(dialog->OKButton->isDefault());
    EXPECT_FALSE(dialog->OKButton->autoDefault());
    EXPECT_EQ(dialog->OKButton->nextInFocusChain(), dialog->Label1);
    EXPECT_EQ(dialog->Label1->nextInFocusChain(), dialog->Label2);
    EXPECT_EQ(dialog->Label2->nextInFocusChain(), dialog->Picture1);
}

// Each way of closing the About window gives the main window back, and the
// next Version command starts again from the stated layout.
TEST_F(OtherCommandsTest, ClosingAboutEnablesTheMainWindowAgain) {
    const std::pair<const char*, std::function<void(Dialog*)>> ways[] = {
        {"OK", [](Dialog* d) { QTest::mouseClick(d->OKButton, Qt::LeftButton); }},
        {"close", [](Dialog* d) { d->close(); }},
        {"Escape", [](Dialog* d) { QTest::keyClick(d->OKButton, Qt::Key_Escape); }},
        {"delete", [](Dialog* d) { delete d; }},
    };
    for (const auto& [name, closeIt] : ways) {
        SCOPED_TRACE(name);
        QPointer<Dialog> dialog = OpenAbout();
        ASSERT_FALSE(dialog.isNull());
        EXPECT_FALSE(window->isEnabled());
        // Moved and retitled, to see that the next one starts afresh.
        dialog->move(5, 5);
        dialog->setWindowTitle(QStringLiteral("x"));

        closeIt(dialog);
        EXPECT_TRUE(window->isEnabled());
        FlushDeletes();
        EXPECT_TRUE(dialog.isNull());

        QPointer<Dialog> next = OpenAbout();
        ASSERT_FALSE(next.isNull());
        EXPECT_EQ(next->geometry(), PixelBox(2760, 3750, 2970, 1320));
        EXPECT_EQ(next->windowTitle(), QStringLiteral("バージョン情報"));
        next->close();
        FlushDeletes();
        EXPECT_TRUE(window->isEnabled());
    }
}

TEST_F(OtherCommandsTest, MainWindowIgnoresInputWhileAboutIsOpen) {
    // Disabling must not undo what the commands' own enabling set.
    ASSERT_FALSE(Controls(*window).undo->isEnabled());
    Dialog* dialog = OpenAbout();
    ASSERT_NE(dialog, nullptr);

    Activate(window.get());
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(services.openedDocuments.empty());
    EXPECT_TRUE(services.fileRequests.empty());
    // Its title bar's close button must wait as well.
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    dialog->close();
    FlushDeletes();
    Activate(window.get());
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(services.openedDocuments.size(), 1u);
    EXPECT_FALSE(Controls(*window).undo->isEnabled());
    EXPECT_FALSE(Controls(*window).Adjust[0]->isEnabled());
}

// Help hands the page beside the program to the desktop, whether it is there
// or not; the program says nothing and goes on.
TEST_F(OtherCommandsTest, HelpOpensThePageBesideTheProgram) {
    // A folder name that a URL must escape.
    const QString appPath = dir.filePath(QStringLiteral("プログラム #1 100%"));
    ASSERT_TRUE(QDir().mkpath(appPath));
    ShowWindow(appPath);
    const QString page = appPath + QStringLiteral("/help/readme.html");

    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "with the page" : "without a help folder");
        if (present) {
            ASSERT_TRUE(QDir().mkpath(appPath + QStringLiteral("/help")));
            QFile file(page);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        services.openedDocuments.clear();
        Controls(*window).mnOtherHelp->trigger();
        ASSERT_EQ(services.openedDocuments.size(), 1u);
        const QUrl url = services.openedDocuments.front();
        EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
        EXPECT_EQ(url.toLocalFile(), page);
        EXPECT_TRUE(services.messages.empty());
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isEnabled());
    }
    // F1 is its shortcut.
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(services.openedDocuments.size(), 2u);
}

// Catches what QDesktopServices would hand to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    std::vector<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

TEST_F(OtherCommandsTest, HelpGoesThroughTheDesktopServices) {
    DesktopServices desktop;
    Form1 real(desktop, TwipScale{15, 15}, dir.path());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    Controls(real).mnOtherHelp->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1u);
    EXPECT_EQ(catcher.urls.front(),
              QUrl::fromLocalFile(dir.path() + QStringLiteral("/help/readme.html")));
}

TEST_F(OtherCommandsTest, ExitClosesTheWindowWithoutAsking) {
    window->Text1()->setPlainText(QStringLiteral("保存していない\r\nテキスト"));
    Controls(*window).mnFileEnd->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(services.fileRequests.empty());
}

}  // namespace
}  // namespace glyph

#include "OtherCommandsTest.moc"
