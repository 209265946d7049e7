#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>

#include "cli/Batch.h"
#include "cli/Options.h"
#include "cli/OutputNames.h"
#include "cli/Ramp.h"
#include "engine/Cp932.h"
#include "output/ArtWriters.h"
#include "output/TextFile.h"

namespace glyph::cli {
namespace {

TEST(OutputPaths, OneDistinctNameEachAndNeverAPicture) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("shot.txt");  // a JPEG someone named .txt
    QFile(picture).open(QIODevice::WriteOnly);
    const QStringList paths = OutputPaths(
        {"a/cat.jpg", "b/cat.png", "cat.jpg", "photo.2024.jpg", picture}, dir.path(), ".txt");
    EXPECT_EQ(paths, (QStringList{dir.filePath("cat.txt"), dir.filePath("cat-2.txt"),
                                  dir.filePath("cat-3.txt"), dir.filePath("photo.2024.txt"),
                                  dir.filePath("shot-2.txt")}));
}

TEST(OutputPaths, ManyOfOneNameCountOnPastNamesTakenAndLinksToPictures) {
    QTemporaryDir dir;
    QStringList pictures;
    QStringList expected;
    for (int i = 1; i <= 30; ++i) {
        pictures << QString("d%1/cat.jpg").arg(i);
        expected << dir.filePath(i == 1 ? QString("cat.txt") : QString("cat-%1.txt").arg(i));
    }
    // A stem that is another's numbered name, and one that holds a % sign.
    pictures << "cat-2.bmp"
             << "x/cat.png"
             << "100%2.jpg"
             << "y/100%2.jpg";
    expected << dir.filePath("cat-2-2.txt") << dir.filePath("cat-31.txt")
             << dir.filePath("100%2.txt") << dir.filePath("100%2-2.txt");
    EXPECT_EQ(OutputPaths(pictures, dir.path(), ".txt"), expected);

    // In the folder already: a link to a picture is passed over, any other file is replaced.
    ASSERT_TRUE(QDir(dir.path()).mkpath("pics/out"));
    const QString picture = dir.filePath("pics/dog.txt");
    QFile(picture).open(QIODevice::WriteOnly);
    const QString out = dir.filePath("pics/out");
    ASSERT_TRUE(QFile::link(picture, out + "/dog.txt"));
    QFile(out + "/old.txt").open(QIODevice::WriteOnly);
    EXPECT_EQ(OutputPaths({picture, "old.jpg", "a/dog.png"}, out, ".txt"),
              (QStringList{out + "/dog-2.txt", out + "/old.txt", out + "/dog-3.txt"}));
    // The picture's own folder, named through a link.
    const QString linked = dir.filePath("linked");
    ASSERT_TRUE(QFile::link(dir.filePath("pics"), linked));
    EXPECT_EQ(OutputPaths({picture}, linked, ".txt"), QStringList{linked + "/dog-2.txt"});
}

// The writers as the converter and the window call them, on text alone.
Result<QByteArray> FormatArt(const QString& art, Format format, const QString& title) {
    return WriteArt(Art{art, {}}, ArtStyle{format, {}, {}, {}}, title);
}

TEST(FormatArt, TextCp932AndHtml) {
    const QString art = QStringLiteral("欟八\r\n<&>");
    EXPECT_EQ(FormatArt(art, Format::kText, "x").value(), QStringLiteral("欟八\n<&>\n").toUtf8());
    EXPECT_EQ(FormatArt(QStringLiteral("八\r\n"), Format::kText, "x").value(),
              QStringLiteral("八\n").toUtf8());
    EXPECT_EQ(FormatArt(art, Format::kCp932, "x").value(), EncodeTextFile(art).value());

    const QString page = QString::fromUtf8(FormatArt(art, Format::kHtml, "a<b>.jpg").value());
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(page.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(page.contains("<title>a&lt;b&gt;.jpg</title>"));
    EXPECT_TRUE(page.contains(QStringLiteral("<pre>欟八\n&lt;&amp;&gt;\n</pre>")));
    EXPECT_TRUE(page.contains("monospace"));

    EXPECT_FALSE(FormatArt(QStringLiteral("\U0001F600"), Format::kCp932, "x").ok());
}

TEST(CheckCp932, NamesTheFirstLevelCp932CannotHold) {
    QStringList entries = CharRamp::BuiltIn().entries();
    EXPECT_TRUE(CheckCp932(CharRamp(entries)).ok());
    entries[7] = QStringLiteral("\u00e9");
    entries[9] = QStringLiteral("\U0001F600");
    const Status checked = CheckCp932(CharRamp(entries));
    ASSERT_FALSE(checked.ok());
    EXPECT_TRUE(checked.error().reason.contains("7")) << checked.error().reason.toStdString();
    EXPECT_TRUE(checked.error().reason.contains(QStringLiteral("\u00e9")));
    EXPECT_TRUE(checked.error().reason.contains("U+00E9"));
}

TEST(ChooseRamp, FileInEitherEncodingOrTheWindowsRule) {
    QTemporaryDir dir;
    QFile cp932(dir.filePath("cp932.txt"));
    cp932.open(QIODevice::WriteOnly);
    cp932.write(EncodeCp932(QStringLiteral("八,欟\r\n")).bytes);
    cp932.close();
    EXPECT_EQ(ChooseRamp(cp932.fileName(), dir.path())->entries().mid(0, 2),
              (QStringList{QStringLiteral("八"), QStringLiteral("欟")}));

    QFile utf8(dir.filePath("utf8.txt"));
    utf8.open(QIODevice::WriteOnly);
    utf8.write(QStringLiteral("\uFEFF\U0001F600,é\n").toUtf8());
    utf8.close();
    EXPECT_EQ(ChooseRamp(utf8.fileName(), dir.path())->entries().mid(0, 2),
              (QStringList{QStringLiteral("\U0001F600"), QStringLiteral("é")}));

    EXPECT_FALSE(ChooseRamp(dir.filePath("missing.txt"), dir.path()).ok());
    EXPECT_EQ(ChooseRamp({}, dir.path())->entries(), CharRamp::BuiltIn().entries());
    QFile moji(dir.filePath("moji.txt"));  // beside the program, as the window reads it
    moji.open(QIODevice::WriteOnly);
    moji.write("#\r\n");
    moji.close();
    EXPECT_EQ(ChooseRamp({}, dir.path())->entries().front(), "#");
}

TEST(ConvertInOrder, ReceivesInIndexOrderWhateverTheJobs) {
    for (int jobs : {1, 2, 7}) {
        std::atomic<int> running = 0;
        std::atomic<int> most = 0;
        QList<int> received;
        ConvertInOrder(
            40, jobs,
            [&](int index) -> Result<QByteArray> {
                most = std::max(most.load(), ++running);
                // Later indexes finish first, so order must be restored.
                std::this_thread::sleep_for(std::chrono::microseconds((40 - index) * 50));
                --running;
                if (index % 9 == 0) return Error{ErrorKind::kCannotWrite, QString::number(index)};
                return QByteArray::number(index);
            },
            [&](int index, const Result<QByteArray>& result) {
                received << index;
                EXPECT_EQ(result.ok(), index % 9 != 0);
                if (result) {
                    EXPECT_EQ(result->toInt(), index);
                }
            });
        QList<int> expected;
        for (int i = 0; i < 40; ++i) expected << i;
        EXPECT_EQ(received, expected) << jobs;
        EXPECT_LE(most.load(), jobs);
    }
}

}  // namespace
}  // namespace glyph::cli
