#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "WindowFixture.h"
#include "engine/CharRamp.h"
#include "engine/Levels.h"
#include "workspace/PictureWriters.h"

namespace glyph::testing {
namespace {

using OpenImage = WindowTest;

// The text a picture's top-left w x h pixels must give with the built-in ramp.
QString ExpectedText(const QImage& image, int w, int h) {
    QStringList lines;
    for (int y = 0; y < h; ++y) {
        QString line;
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            line += CharRamp::BuiltIn().CharForLevel(GrayLevel(Rgb(qRed(p), qGreen(p), qBlue(p))));
        }
        lines << line;
    }
    return lines.join(QStringLiteral("\r\n"));
}

struct Placement {
    int width;
    int height;
    QRectF picture1;  // twips
    QRectF picture2;
};

Placement Placed(const Form1& window) {
    const auto box = [](const PictureBox* s) {
        return QRectF(s->Left(), s->Top(), s->Width(), s->Height());
    };
    return {window.document().ImageWidth(), window.document().ImageHeight(), box(window.Picture1()),
            box(window.Picture2())};
}

TEST_F(OpenImage, SixtyFourSquareIsConvertedWholeAndCentred) {
    const QImage picture = Pattern(64, 64);
    Open(Save(picture, QStringLiteral("sq.bmp")));
    const Placement p = Placed(*window);
    EXPECT_EQ(p.width, 64);
    EXPECT_EQ(p.height, 64);
    EXPECT_EQ(p.picture1, QRectF(315, 375, 960, 960));
    EXPECT_EQ(p.picture2, QRectF(315, 1980, 960, 960));
    EXPECT_EQ(window->Picture1()->geometry(), QRect(21, 25, 64, 64));
    EXPECT_EQ(window->Text(), ExpectedText(picture, 64, 64));
    EXPECT_TRUE(services.messages.empty());
    // The preview holds the gray of every level.
    const QRgb p37 = picture.pixel(3, 7);
    EXPECT_EQ(Preview(3, 7), static_cast<std::int32_t>(
                                 GrayColour(GrayLevel(Rgb(qRed(p37), qGreen(p37), qBlue(p37))))));
}

TEST_F(OpenImage, HundredSquareFillsTheFrames) {
    Open(Save(Pattern(100, 100), QStringLiteral("hundred.bmp")));
    const Placement p = Placed(*window);
    EXPECT_EQ(p.picture1, QRectF(45, 105, 1500, 1500));
    EXPECT_EQ(p.picture2, QRectF(45, 1710, 1500, 1500));
}

TEST_F(OpenImage, LargePicturesAreCroppedNotScaled) {
    QImage wide(300, 50, QImage::Format_RGB32);
    wide.fill(qRgb(255, 255, 255));
    for (int y = 0; y < 50; ++y) wide.setPixel(99, y, qRgb(0, 0, 0));
    Open(Save(wide, QStringLiteral("wide.bmp")));
    EXPECT_EQ(window->document().ImageWidth(), 100);
    EXPECT_EQ(window->document().ImageHeight(), 50);
    const QStringList lines = window->Text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 50);
    EXPECT_EQ(lines[0].size(), 100);
    EXPECT_EQ(lines[49].right(1), QStringLiteral("欟"));  // the black column is the last
    EXPECT_EQ(lines[49].left(1), QStringLiteral("八"));

    const QImage big = Pattern(640, 480);
    Open(Save(big, QStringLiteral("big.jpg")));
    EXPECT_EQ(window->document().ImageWidth(), 100);
    EXPECT_EQ(window->document().ImageHeight(), 100);
    EXPECT_EQ(window->Picture1()->Image().size(), QSize(100, 100));
    // JPEG is lossy: compare with the decoder's own top-left pixels.
    const QImage decoded(dir.filePath(QStringLiteral("big.jpg")));
    EXPECT_EQ(window->Text(),
              ExpectedText(decoded.convertToFormat(QImage::Format_RGB32), 100, 100));
}

TEST_F(OpenImage, DialogSettingsAndTheNameBoxKeepsTheLastName) {
    const QString first = Save(Pattern(5, 5), QStringLiteral("a.bmp"));
    Open(first);
    Open(first);
    ASSERT_EQ(services.fileRequests.size(), 2u);
    const FileDialogRequest& request = services.fileRequests[0];
    EXPECT_EQ(request.kind, FileDialogRequest::Kind::Open);
    // The first entry, selected, as it always was; a second one for every readable type.
    EXPECT_TRUE(request.filter.startsWith(
        QStringLiteral("イメージ ファイル (*.bmp,*.jpg,*.jpe,*.jpeg)|*.bmp;*.jpg;*.jpe;*.jpeg|")));
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(services.fileRequests[1].fileName, first);
    const QStringList filters = ToNameFilters(request.filter);
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(
        filters[0],
        QStringLiteral("イメージ ファイル (*.bmp,*.jpg,*.jpe,*.jpeg) (*.bmp *.jpg *.jpe *.jpeg)"));
    const QStringList all = filters[1].section(u'(', 1).chopped(1).split(u' ');
    for (const char* pattern : {"*.bmp", "*.jpg", "*.png", "*.gif", "*.webp", "*.tif", "*.tiff"}) {
        EXPECT_TRUE(all.contains(pattern)) << pattern;
    }
}

// Everything the open command may change, to compare before and after.
struct Snapshot {
    int width, height;
    QRectF picture1, picture2;
    QImage image1, image2;
    QString text;
    std::vector<std::optional<History::Snapshot>> snapshots;
    int undoCount, cursor;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(Form1& w) {
    Snapshot s{w.document().ImageWidth(),
               w.document().ImageHeight(),
               Placed(w).picture1,
               Placed(w).picture2,
               w.Picture1()->Image(),
               w.Picture2()->Image(),
               w.Text(),
               {},
               w.document().history().UndoCount(),
               w.document().history().HistoryCursor()};
    for (int i = 0; i < History::kSlots; ++i)
        s.snapshots.push_back(w.document().history().cashPicture(i));
    return s;
}

TEST_F(OpenImage, UnreadableFilesChangeNothingAndSayWhy) {
    Open(Save(Pattern(20, 10), QStringLiteral("ok.bmp")));
    window->Adjust_Click(0);
    const Snapshot before = Take(*window);

    const QString notPicture = dir.filePath(QStringLiteral("notes.bmp"));
    QFile file(notPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is text, not a bitmap\r\n");
    file.close();
    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    // Damage a reader refuses: a JPEG cut inside its header, a BMP of 7 bits per pixel.
    const QString cutJpeg = Save(Pattern(20, 10), QStringLiteral("cut.jpg"));
    ASSERT_TRUE(QFile(cutJpeg).resize(100));
    const QString sevenBits = Save(Pattern(20, 10), QStringLiteral("seven.bmp"));
    QFile bmp(sevenBits);
    ASSERT_TRUE(bmp.open(QIODevice::ReadWrite) && bmp.seek(28) && bmp.write("\x07", 1) == 1);
    bmp.close();

    for (const QString& path : {notPicture, missing, cutJpeg, sevenBits}) {
        services.messages.clear();
        Open(path);
        EXPECT_TRUE(Take(*window) == before) << path.toStdString();
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].caption, QStringLiteral("Glyphorama"));
        EXPECT_EQ(services.messages[0].text,
                  path + QStringLiteral("\r\nこのファイルは読み取れません。\r\n"
                                        "このビットマップ ファイルは無効であるか、"
                                        "現在サポートされていない形式です。"));
    }
    EXPECT_TRUE(Controls(*window).undo->isEnabled());
}

TEST_F(OpenImage, APictureTooLargeToOpenSaysWhyAfterTheUsualMessage) {
    Open(Save(Pattern(20, 10), QStringLiteral("ok.bmp")));
    const Snapshot before = Take(*window);
    // A sound PNG header claiming 2^31 - 1 columns: its rows would not fit in memory.
    QImage wide(16, 4, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    const QString path = Save(wide, QStringLiteral("wide.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    bytes = test::WithChunkCrc(bytes.replace(16, 4, QByteArray("\x7F\xFF\xFF\xFF", 4)), 12);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    services.messages.clear();
    Open(path);
    EXPECT_TRUE(Take(*window) == before);
    ASSERT_EQ(services.messages.size(), 1u);
    const QStringList lines = services.messages[0].text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.mid(0, 3).join(QStringLiteral("\r\n")),
              path + QStringLiteral("\r\nこのファイルは読み取れません。\r\n"
                                    "このビットマップ ファイルは無効であるか、"
                                    "現在サポートされていない形式です。"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("画像が大きすぎて開けません")))
        << lines[3].toStdString();
}

TEST_F(OpenImage, CancelChangesNothingAndShowsNothing) {
    Open(Save(Pattern(20, 10), QStringLiteral("ok.bmp")));
    const Snapshot before = Take(*window);
    services.fileAnswers.push_back(std::nullopt);
    Controls(*window).mnFileOpen->trigger();
    EXPECT_TRUE(Take(*window) == before);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(OpenImage, SeedsTheHistoryEvenWithStepsPending) {
    Open(Save(Pattern(20, 10), QStringLiteral("ok.bmp")));
    window->Adjust_Click(0);
    window->Adjust_Click(0);
    window->undo_Click();
    ASSERT_TRUE(Controls(*window).redo->isEnabled());
    Open(Save(Pattern(30, 30), QStringLiteral("other.bmp")));
    EXPECT_EQ(window->document().history().UndoCount(), 0);
    EXPECT_EQ(window->document().history().HistoryCursor(), 0);
    EXPECT_FALSE(Controls(*window).undo->isEnabled());
    EXPECT_FALSE(Controls(*window).redo->isEnabled());
    EXPECT_FALSE(Controls(*window).mnEditUndo->isEnabled());
    EXPECT_TRUE(Controls(*window).Adjust[4]->isEnabled());
    const History& history = window->document().history();
    ASSERT_TRUE(history.cashPicture(0));
    EXPECT_EQ(*history.cashPicture(0), window->document().art().levels);
    for (int i = 1; i < History::kSlots; ++i) EXPECT_FALSE(history.cashPicture(i)) << i;
}

TEST_F(OpenImage, MojiTxtBesideTheProgramReplacesTheRamp) {
    QFile moji(dir.filePath(QStringLiteral("moji.txt")));
    ASSERT_TRUE(moji.open(QIODevice::WriteOnly));
    for (int v = 0; v < 256; ++v) moji.write(v < 128 ? "#\r\n" : ".\r\n");
    moji.close();
    CreateWindow();
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 255));
    picture.setPixel(0, 1, qRgb(0, 0, 0));
    Open(Save(picture, QStringLiteral("two.bmp")));
    EXPECT_EQ(window->Text(), QStringLiteral("..\r\n#."));
}

// Answers one file dialog with Qt's real one, typing into its name box as a
// user would: select all, then type the text and press Return.
class TypingServices : public FakeServices {
  public:
    QString typed;
    bool openButtonWasEnabled = false;

    std::optional<QString> ShowFileDialog(QWidget* parent,
                                          const FileDialogRequest& request) override {
        if (typed.isEmpty()) return FakeServices::ShowFileDialog(parent, request);
        QTimer::singleShot(0, [this] { TypeIntoDialog(); });
        return DesktopServices::ShowFileDialog(parent, request);
    }

  private:
    void TypeIntoDialog() {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        dialog->activateWindow();
        if (nameBox != nullptr && buttons != nullptr && QTest::qWaitForWindowActive(dialog)) {
            nameBox->setFocus();
            QTest::keyClick(nameBox, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(nameBox, typed);
            openButtonWasEnabled = buttons->button(QDialogButtonBox::Open)->isEnabled();
            QTest::keyClick(nameBox, Qt::Key_Return);
        }
        // A dialog that did not accept must not hang the test.
        QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
    }
};

TEST(OpenDialog, ATypedAbsolutePathOpensFromTheLastPicturesFolder) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b/c/d"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString one = folder + QStringLiteral("/one.bmp");
    const QString two = folder + QStringLiteral("/two.bmp");
    ASSERT_TRUE(Pattern(20, 10).save(one));
    ASSERT_TRUE(Filled(30, 5, qRgb(0, 0, 0)).save(two));

    TypingServices services;
    Form1 window(services, TwipScale{15, 15}, dir.path());
    window.show();
    services.fileAnswers.push_back(one);
    Controls(window).mnFileOpen->trigger();
    ASSERT_EQ(window.document().ImageWidth(), 20);

    services.typed = two;
    Controls(window).mnFileOpen->trigger();
    EXPECT_TRUE(services.openButtonWasEnabled);
    EXPECT_EQ(window.document().ImageWidth(), 30) << "the typed picture is open";
    EXPECT_EQ(window.document().path(), two);
    EXPECT_TRUE(services.messages.empty());
}

}  // namespace
}  // namespace glyph::testing

namespace glyph::testing {
namespace {

// Qt's reader refuses to decode a picture this size whole; only the top-left
// region is read.
TEST_F(OpenImage, HugeJpegOpensWithItsTopLeftRegion) {
    QImage huge(20000, 15000, QImage::Format_Grayscale8);
    huge.fill(200);
    for (int y = 0; y < 100; ++y) {
        uchar* line = huge.scanLine(y);
        for (int x = 0; x < 100; ++x) line[x] = static_cast<uchar>(x < 50 ? 0 : 255);
    }
    const QString path = Save(huge, QStringLiteral("huge.jpg"));
    huge = QImage();
    Open(path);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(window->document().ImageWidth(), 100);
    EXPECT_EQ(window->document().ImageHeight(), 100);
    const QStringList lines = window->Text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 100);
    EXPECT_EQ(lines[50].left(1), QStringLiteral("欟"));
    EXPECT_EQ(lines[50].mid(60, 1), QStringLiteral("八"));  // clear of the edges
}

TEST_F(OpenImage, JpegCutOffInsideItsHeaderIsRefused) {
    const QString path = Save(Pattern(64, 48), QStringLiteral("cut.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(100));
    file.close();
    Open(path);
    EXPECT_EQ(window->document().ImageWidth(), 0);
    EXPECT_TRUE(window->Text().isEmpty());
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].text.startsWith(path + QStringLiteral("\r\n")));
}
}  // namespace
}  // namespace glyph::testing
