#include "document/Document.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "document/Convert.h"

namespace glyph {
namespace {

// A ramp whose entry for level v is one distinct character, so that a text
// spells out its levels.
CharRamp LetterRamp() {
    QStringList entries;
    for (int v = 0; v < 256; ++v) entries << QString(QChar(0x100 + v));
    return CharRamp(entries);
}

// A w x h gray picture whose levels run over a middle range, so that every
// adjustment changes something.
QImage Ramp(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int v = 60 + (x * 7 + y * 3) % 120;
            image.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return image;
}

// The levels a text spells with the letter ramp, row by row.
std::vector<int> LevelsOf(const QString& text) {
    std::vector<int> levels;
    for (QChar c : text) {
        if (c.unicode() >= 0x100) levels.push_back(c.unicode() - 0x100);
    }
    return levels;
}

// What one adjustment does to levels shown in the preview, computed cell by
// cell: the preview is painted gray and read back, then adjusted over the
// darkest and lightest of that read.
std::vector<int> Adjusted(const std::vector<int>& shown, const Adjustment& adjustment) {
    std::vector<int> read;
    for (int v : shown) read.push_back(GrayLevel(GrayColour(v)));
    const auto [lo, hi] = std::minmax_element(read.begin(), read.end());
    std::vector<int> out;
    for (int v : read) out.push_back(AdjustLevel(v, adjustment, *lo, *hi));
    return out;
}

class DocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("ramp.bmp");
        ASSERT_TRUE(Ramp(12, 5).save(path, "BMP"));
    }
    QTemporaryDir dir;
    QString path;
    Document document{LetterRamp()};
};

TEST_F(DocumentTest, NothingIsAvailableBeforeAPictureIsOpen) {
    for (Command c :
         {Command::kBrighter, Command::kAutoLevel, Command::kReset, Command::kUndo, Command::kRedo})
        EXPECT_FALSE(document.Run(c));
    EXPECT_TRUE(document.text().isEmpty());
}

TEST_F(DocumentTest, OpenRendersTheBlockAndSeedsTheHistory) {
    QSignalSpy changed(&document, &Document::changed);
    ASSERT_TRUE(document.Open(path).ok());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(document.ImageWidth(), 12);
    EXPECT_EQ(document.ImageHeight(), 5);
    EXPECT_EQ(document.text().count(QStringLiteral("\r\n")), 4);

    std::vector<int> expected;
    const QImage picture = Ramp(12, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 12; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            expected.push_back(GrayLevel(Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel))));
        }
    EXPECT_EQ(LevelsOf(document.text()), expected);
    EXPECT_EQ(document.history().cashPicture(0), expected);
    for (int i = 1; i < History::kSlots; ++i) EXPECT_FALSE(document.history().cashPicture(i));
    EXPECT_TRUE(document.IsAvailable(Command::kBrighter));
    EXPECT_FALSE(document.IsAvailable(Command::kUndo));
    EXPECT_FALSE(document.IsAvailable(Command::kRedo));
}

TEST_F(DocumentTest, AdjustmentsCompoundThroughTheReadBackPreview) {
    ASSERT_TRUE(document.Open(path).ok());
    const std::vector<int> opened = LevelsOf(document.text());
    const std::vector<int> once = Adjusted(opened, {0, 0, +10});
    const std::vector<int> twice = Adjusted(once, {-1, 0, 0});
    ASSERT_TRUE(document.Run(Command::kMoreContrast));
    EXPECT_EQ(LevelsOf(document.text()), once);
    ASSERT_TRUE(document.Run(Command::kAutoLevel));
    EXPECT_EQ(LevelsOf(document.text()), twice);

    // Reset starts again from the opened block, not from the preview.
    ASSERT_TRUE(document.Run(Command::kReset));
    EXPECT_EQ(LevelsOf(document.text()), opened);
    EXPECT_EQ(document.history().UndoCount(), 3);
}

TEST_F(DocumentTest, UndoAndRedoShowTheStoredPreviewsReadBack) {
    ASSERT_TRUE(document.Open(path).ok());
    const std::vector<int> opened = LevelsOf(document.text());
    ASSERT_TRUE(document.Run(Command::kBrighter));
    const QString brighter = document.text();
    ASSERT_TRUE(document.Run(Command::kBrighter));
    const QString twice = document.text();

    ASSERT_TRUE(document.Run(Command::kUndo));
    EXPECT_EQ(LevelsOf(document.text()), Adjusted(LevelsOf(brighter), {}));
    ASSERT_TRUE(document.Run(Command::kUndo));
    EXPECT_EQ(LevelsOf(document.text()), Adjusted(opened, {}));
    EXPECT_FALSE(document.Run(Command::kUndo)) << "no undo step left";
    ASSERT_TRUE(document.Run(Command::kRedo));
    ASSERT_TRUE(document.Run(Command::kRedo));
    EXPECT_EQ(LevelsOf(document.text()), Adjusted(LevelsOf(twice), {}));
    EXPECT_FALSE(document.Run(Command::kRedo));
}

TEST_F(DocumentTest, AFailedOpenChangesNothing) {
    ASSERT_TRUE(document.Open(path).ok());
    ASSERT_TRUE(document.Run(Command::kDarker));
    const QString before = document.text();
    QFile junk(dir.filePath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("BM not a picture");
    junk.close();

    QSignalSpy changed(&document, &Document::changed);
    const Status opened = document.Open(junk.fileName());
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(opened.error().reason.isEmpty());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(document.text(), before);
    EXPECT_EQ(document.history().UndoCount(), 1);
}

TEST_F(DocumentTest, MovingTheBlockRendersLikeAnOpenThereAndStaysInside) {
    const QString large = dir.filePath("large.bmp");
    const QImage picture = Ramp(150, 120);
    ASSERT_TRUE(picture.save(large, "BMP"));
    ASSERT_TRUE(document.Open(large).ok());
    ASSERT_TRUE(document.CanMoveBlock());
    ASSERT_TRUE(document.Run(Command::kBrighter));

    QSignalSpy changed(&document, &Document::changed);
    ASSERT_TRUE(document.MoveBlock(QPoint(30, 7)).ok());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(document.block().origin, QPoint(30, 7));
    EXPECT_EQ(document.block().pixels, picture.copy(30, 7, 100, 100));
    EXPECT_EQ(document.text(), ConvertFile(large, {}, LetterRamp(), QPoint(30, 7)).value());
    EXPECT_EQ(document.history().UndoCount(), 0) << "the history starts again";
    EXPECT_FALSE(document.IsAvailable(Command::kUndo));

    EXPECT_TRUE(document.MoveBlock(QPoint(500, -4)).ok());
    EXPECT_EQ(document.block().origin, QPoint(50, 0));
    ASSERT_TRUE(document.Run(Command::kDarker));
    EXPECT_TRUE(document.MoveBlock(QPoint(60, -1)).ok()) << "still (50, 0): nothing happens";
    EXPECT_EQ(document.history().UndoCount(), 1);

    // A picture no larger than the block does not move.
    ASSERT_TRUE(document.Open(path).ok());
    EXPECT_FALSE(document.CanMoveBlock());
    EXPECT_TRUE(document.MoveBlock(QPoint(3, 3)).ok());
    EXPECT_EQ(document.block().origin, QPoint(0, 0));
}

TEST_F(DocumentTest, MovesNearAndFarGiveWhatTheFileHoldsEvenAfterItChanges) {
    const QString large = dir.filePath("large.bmp");
    QImage picture = Ramp(1500, 1200);
    ASSERT_TRUE(picture.save(large, "BMP"));
    ASSERT_TRUE(document.Open(large).ok());
    for (const QPoint at : {QPoint(600, 500), QPoint(610, 505), QPoint(1400, 1100), QPoint(3, 2)}) {
        ASSERT_TRUE(document.MoveBlock(at).ok());
        EXPECT_EQ(document.block().pixels, picture.copy(QRect(at, QSize(100, 100)))) << at.x();
    }
    // The same size, other pixels, a later time: a move reads the new file.
    picture = picture.mirrored(true, false);
    ASSERT_TRUE(picture.save(large, "BMP"));
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(document.MoveBlock(QPoint(4, 2)).ok());
    EXPECT_EQ(document.block().pixels, picture.copy(4, 2, 100, 100));
}

TEST_F(DocumentTest, ConvertFileRunsTheStepsAsTheDocumentDoes) {
    const QList<Command> steps = {Command::kUndo, Command::kBrighter, Command::kBrighter,
                                  Command::kUndo, Command::kLessContrast};
    ASSERT_TRUE(document.Open(path).ok());
    for (Command step : steps) document.Run(step);
    const Result<QString> converted = ConvertFile(path, steps, LetterRamp());
    ASSERT_TRUE(converted.ok());
    EXPECT_EQ(*converted, document.text());
    EXPECT_FALSE(ConvertFile(dir.filePath("missing.bmp"), {}, LetterRamp()).ok());
}

}  // namespace
}  // namespace glyph
