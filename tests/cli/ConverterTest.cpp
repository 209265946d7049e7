// The converter as a whole: run as a process on real files.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <array>

#include "ConverterProcess.h"
#include "document/Document.h"
#include "engine/CharRamp.h"
#include "output/TextFile.h"
#include "workspace/PictureWriters.h"

namespace glyph::cli {
namespace {

// In the child: as the unprivileged user (root is not held to the limit),
// with at most `processes` processes and threads for that user. A child that
// cannot be limited ends with 77 before the converter starts.
// The child's status when the converter is out of the limited user's reach.
constexpr int kCannotRun = 78;

void LimitProcesses(rlim_t processes) {
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
        _exit(77);
    }
    const rlimit limit{processes, processes};
    if (setrlimit(RLIMIT_NPROC, &limit) != 0) _exit(77);
}

// A little-endian TIFF, 2 x 2 grey, with a private tag libtiff warns about.
QByteArray TiffWithAnUnknownTag() {
    const QByteArray pixels("\x00\x50\xA0\xFF", 4);
    const QList<std::array<quint32, 3>> entries = {
        // tag, type (3 short, 4 long), value
        {256, 3, 2}, {257, 3, 2}, {258, 3, 8}, {259, 3, 1}, {262, 3, 1},
        {273, 4, 0}, {277, 3, 1}, {278, 3, 2}, {279, 4, 4}, {65000, 3, 7},
    };
    const quint32 data = 8 + 2 + 12 * quint32(entries.size()) + 4;
    QByteArray tiff("II*\0", 4);
    const auto put = [&](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) tiff.append(char((value >> (8 * i)) & 0xFF));
    };
    put(8, 4);
    put(quint32(entries.size()), 2);
    for (const auto& [tag, type, value] : entries) {
        put(tag, 2);
        put(type, 2);
        put(1, 4);
        put(tag == 273 ? data : value, 4);  // a short sits in the first two bytes
    }
    put(0, 4);
    return tiff + pixels;
}

class Converter : public ::testing::Test {
  protected:
    // A w x h picture of colours that differ from seed to seed.
    QString Picture(const QString& name, int w, int h, int seed) {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y,
                               qRgb((x * 5 + seed * 40) % 256, (y * 9 + seed) % 256,
                                    (x * y + seed * 7) % 256));
        }
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // The window's text for a picture after the steps.
    static QString WindowText(const QString& path, const QList<Command>& steps) {
        Document document(CharRamp::BuiltIn());
        EXPECT_TRUE(document.Open(path).ok());
        for (Command step : steps) document.Run(step);
        return document.text();
    }
    QTemporaryDir dir;
};

TEST_F(Converter, WritesTheWindowsTextInEachFormat) {
    const QString picture = Picture("p.jpg", 140, 60, 1);
    const QList<Command> steps = {Command::kBrighter, Command::kBrighter, Command::kUndo,
                                  Command::kMoreContrast};
    const QString text = WindowText(picture, steps);
    const QString list = "brighter,brighter,undo,more-contrast";

    const Ran plain = Convert({"--steps=" + list, picture});
    EXPECT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.out, QString(text).replace("\r\n", "\n").append('\n').toUtf8());
    EXPECT_TRUE(plain.err.isEmpty());

    const Ran saved = Convert({"--steps", list, "--format=cp932", picture});
    EXPECT_EQ(saved.out, EncodeTextFile(text).value());

    const Ran html = Convert({"--format=html", "-o", dir.filePath("p.html"), picture});
    EXPECT_EQ(html.status, 0);
    EXPECT_TRUE(html.out.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(ReadAll(dir.filePath("p.html")))
                    .contains("<pre>" + QString(WindowText(picture, {})).replace("\r\n", "\n")));
}

TEST_F(Converter, RegionMovesTheBlockAsTheWindowDoes) {
    const QString picture = Picture("wide.bmp", 260, 130, 5);
    Document document(CharRamp::BuiltIn());
    ASSERT_TRUE(document.Open(picture).ok());
    ASSERT_TRUE(document.MoveBlock(QPoint(160, 30)).ok());
    const QByteArray expected =
        QString(document.text()).replace("\r\n", "\n").append('\n').toUtf8();
    EXPECT_EQ(Convert({"--region=160,30", picture}).out, expected);
    EXPECT_EQ(Convert({"--region", "999,30", picture}).out, expected) << "kept inside";
}

TEST_F(Converter, ABatchGivesTheSameBytesInTheSameOrderForAnyJobs) {
    QStringList pictures;
    for (int i = 0; i < 12; ++i) pictures << Picture(QString("p%1.bmp").arg(i), 30 + i * 7, 20, i);
    const Ran one = Convert(QStringList{"--jobs=1"} + pictures);
    const Ran many = Convert(QStringList{"-j", "4"} + pictures);
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(many.out, one.out);
    QByteArray joined;
    for (const QString& p : pictures)
        joined += QString(WindowText(p, {})).replace("\r\n", "\n").append('\n').toUtf8();
    EXPECT_EQ(one.out, joined);

    const QString out = dir.filePath("out/deeper");
    const Ran toDir = Convert(QStringList{"--output-dir", out, "-j", "3"} + pictures);
    EXPECT_EQ(toDir.status, 0) << toDir.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), pictures.size());
    EXPECT_EQ(ReadAll(out + "/p3.txt"),
              QString(WindowText(pictures[3], {})).replace("\r\n", "\n").append('\n').toUtf8());
}

TEST_F(Converter, UnderAProcessLimitABatchConvertsOnTheThreadsItGets) {
    // Readable by the unprivileged user the limited runs become.
    const auto readable = QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | readable));
    QStringList pictures;
    for (int i = 0; i < 6; ++i) {
        pictures << Picture(QString("p%1.png").arg(i), 20 + i * 9, 30, i);
        QFile::setPermissions(pictures.back(), QFile::permissions(pictures.back()) | readable);
    }
    // The converter copied where that user can run it: the build tree may sit
    // in a folder closed to others (a home of mode 700).
    const QString converter = dir.filePath("glyphorama-convert");
    ASSERT_TRUE(QFile::copy(GLYPHORAMA_CONVERT, converter));
    ASSERT_TRUE(QFile::setPermissions(converter, QFile::permissions(converter) | readable));
    const QByteArray program = converter.toLocal8Bit();
    const Ran free = ConvertProgram(converter, QStringList{"-j", "1"} + pictures);
    ASSERT_EQ(free.status, 0) << free.err.toStdString();

    // LeakSanitizer needs a thread of its own at exit, which the limit refuses;
    // the limited runs go without it (the unlimited ones above keep it).
    const QByteArray sanitizer = qgetenv("ASAN_OPTIONS");
    const auto restore = qScopeGuard([&] { qputenv("ASAN_OPTIONS", sanitizer); });
    qputenv("ASAN_OPTIONS", sanitizer + (sanitizer.isEmpty() ? "" : ":") + "detect_leaks=0");
    // One process: no thread at all; three: a few of those asked for.
    for (const rlim_t processes : {1, 3}) {
        for (const char* jobs : {"1000", "4"}) {
            const Ran limited = ConvertProgram(converter, QStringList{"--jobs", jobs} + pictures,
                                               [processes, program] {
                                                   LimitProcesses(processes);
                                                   if (access(program.constData(), X_OK) != 0)
                                                       _exit(kCannotRun);
                                               });
            if (limited.status == 77 && geteuid() != 0)
                GTEST_SKIP() << "no process limit can be set here";
            if (limited.status == kCannotRun)
                GTEST_SKIP() << "the unprivileged user cannot reach " << dir.path().toStdString();
            EXPECT_EQ(limited.status, 0) << processes << " " << jobs << limited.err.toStdString();
            EXPECT_EQ(limited.out, free.out) << processes << " " << jobs;
            EXPECT_TRUE(limited.err.isEmpty()) << limited.err.toStdString();
        }
    }
}

TEST_F(Converter, LibtiffsOwnMessagesStayOffStandardError) {
    const QString picture = dir.filePath("tagged.tif");
    WriteAll(picture, TiffWithAnUnknownTag());
    const Ran ran = Convert({picture});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out,
              QString(WindowText(picture, {})).replace("\r\n", "\n").append('\n').toUtf8());
    EXPECT_TRUE(ran.err.isEmpty()) << ran.err.toStdString();

    // Cut inside its pixels: libtiff's error too stays silent; ours names the file.
    const QString cut = dir.filePath("cut.tif");
    WriteAll(cut, TiffWithAnUnknownTag().chopped(2));
    const Ran failed = Convert({cut});
    EXPECT_EQ(failed.status, 1);
    const QStringList lines = failed.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << failed.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith("glyphorama-convert: " + cut + ": "));
}

TEST_F(Converter, UnreadablePicturesAreNamedAndTheRestStillConverted) {
    const QString good = Picture("good.bmp", 10, 10, 2);
    const QString junk = dir.filePath("junk.jpg");
    WriteAll(junk, "not a picture");
    const QString missing = dir.filePath("missing.bmp");
    // A sound PNG header whose rows would not fit in memory: too large, and said so.
    QImage wide(8, 2, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    const QString huge = dir.filePath("huge.png");
    ASSERT_TRUE(wide.save(huge));
    const QByteArray png = ReadAll(huge);
    WriteAll(huge, test::WithChunkCrc(QByteArray(png).replace(16, 4, "\x7F\xFF\xFF\xFF"), 12));
    const Ran ran = Convert({missing, good, junk, huge});
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out, QString(WindowText(good, {})).replace("\r\n", "\n").append('\n').toUtf8());
    const QStringList lines = ran.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << ran.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith("glyphorama-convert: " + missing + ": "));
    EXPECT_TRUE(lines[1].startsWith("glyphorama-convert: " + junk + ": "));
    EXPECT_GT(lines[1].size(), (QString("glyphorama-convert: ") + junk + ": ").size());
    EXPECT_TRUE(
        lines[2].startsWith("glyphorama-convert: " + huge + ": the picture is too large to open"))
        << lines[2].toStdString();
}

TEST_F(Converter, AFailedRunKeepsAnOldOutputWholeAndNeverWritesOverAPicture) {
    const QString out = dir.filePath("art.txt");
    WriteAll(out, "old art");
    EXPECT_EQ(Convert({"-o", out, dir.filePath("missing.bmp")}).status, 1);
    EXPECT_EQ(ReadAll(out), "old art");

    const QString picture = Picture("self.bmp", 5, 5, 3);
    const QByteArray before = ReadAll(picture);
    const Ran self = Convert({"-o", picture, picture});
    EXPECT_EQ(self.status, 1);
    EXPECT_EQ(ReadAll(picture), before);

    const QString blocked = dir.filePath("file-not-folder");
    WriteAll(blocked, "x");
    EXPECT_EQ(Convert({"--output-dir", blocked + "/sub", picture}).status, 1);
}

TEST_F(Converter, ARampCp932CannotHoldIsRefusedBeforeAnythingIsWritten) {
    const QString ramp = dir.filePath("ramp.txt");
    QStringList entries(256, QStringLiteral("#"));
    entries[5] = QStringLiteral("\U0001F600");
    WriteAll(ramp, (QStringLiteral("\uFEFF") + entries.join(u',')).toUtf8());
    const QString picture = Picture("p.bmp", 8, 8, 4);
    const QString out = dir.filePath("out");
    const Ran refused = Convert({"--ramp", ramp, "--format=cp932", "--output-dir", out, picture});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("\U0001F600"))) << refused.err.toStdString();
    EXPECT_FALSE(QDir(out).exists());

    // The same ramp is fine in UTF-8.
    const Ran utf8 = Convert({"--ramp", ramp, picture});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_TRUE(QString::fromUtf8(utf8.out).contains(u'#'));
}

TEST_F(Converter, HelpVersionAndUsageErrors) {
    const Ran help = Convert({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--steps", "--ramp", "--format", "--output-dir", "--jobs", "-o", "--fit", "--crop",
          "--width", "--height", "--cell-aspect", "--orient"})
        EXPECT_TRUE(help.out.contains(option)) << option;
    const Ran version = Convert({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("glyphorama-convert (Glyphorama) "));

    for (const QStringList& bad :
         {QStringList{}, QStringList{"--steps=up", "a.bmp"},
          QStringList{"--no-such-option", "a.bmp"}, QStringList{"--font=IPAGothic", "a.bmp"},
          QStringList{"--format=html", "--format=text", "a.bmp"}, QStringList{"-o", "", "a.bmp"}}) {
        const Ran ran = Convert(bad);
        EXPECT_EQ(ran.status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(ran.out.isEmpty());
        EXPECT_TRUE(ran.err.contains("--help"));
    }
}

}  // namespace
}  // namespace glyph::cli
