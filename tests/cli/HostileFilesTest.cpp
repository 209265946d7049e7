// Outputs that are not the converter's to replace, inputs that could hang it,
// ramps that could exhaust it, names that are not UTF-8: run as a process.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ConverterProcess.h"
#include "basics/Limits.h"
#include "engine/Cp932.h"
#include "files/NativePath.h"

namespace glyph::cli {
namespace {

constexpr int kQuick = 20'000;  // ms; a run that takes longer is hanging

class HostileFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        QImage image(12, 9, QImage::Format_RGB32);
        image.fill(qRgb(90, 140, 200));
        ASSERT_TRUE(image.save(picture_));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QByteArray Native(const QString& name) const { return NativePath(Path(name)); }
    mode_t TypeOf(const QString& name) const {
        struct stat info {};
        EXPECT_EQ(lstat(Native(name).constData(), &info), 0) << name.toStdString();
        return info.st_mode & S_IFMT;
    }
    // A shell script in the scratch folder, with $CONVERT naming the converter;
    // for names that must stay bytes.
    static Ran Shell(const QString& folder, const QString& script) {
        QProcess process;
        process.setWorkingDirectory(folder);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CONVERT", GLYPHORAMA_CONVERT);
        process.setProcessEnvironment(env);
        process.start("sh", {"-c", script});
        const bool finished = process.waitForFinished(kQuick);
        if (!finished) process.kill();
        return {finished ? process.exitCode() : -1, process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir dir_;
    const QString picture_ = dir_.filePath("p.bmp");
};

TEST_F(HostileFiles, ADeviceAFifoOrAFolderAtTheOutputIsNeverRenamedOver) {
    ASSERT_EQ(mkfifo(Native("fifo").constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    for (const QString& out : {Path("fifo"), Path("folder")}) {
        const Ran ran = Shell(dir_.path(), "\"$CONVERT\" -o '" + out + "' p.bmp");
        EXPECT_EQ(ran.status, 1) << out.toStdString();
        EXPECT_TRUE(ran.err.contains(out)) << ran.err.toStdString();
    }
    EXPECT_EQ(TypeOf("fifo"), mode_t(S_IFIFO));
    EXPECT_EQ(TypeOf("folder"), mode_t(S_IFDIR));

    // A copy of /dev/full: written into, so the write fails and says why.
    if (mknod(Native("full").constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here (needs root)";
    const Ran full = Convert({"-o", Path("full"), picture_});
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(full.err.contains(Path("full"))) << full.err.toStdString();
    const Ran ramp = Convert({"--make-ramp", "-o", Path("full"), "--font", "IPAGothic"});
    EXPECT_EQ(ramp.status, 1) << ramp.err.toStdString();
    const Ran chart = Convert({"--ramp-report", "--chart", Path("fifo"), "--font", "IPAGothic"});
    EXPECT_EQ(chart.status, 1) << chart.err.toStdString();
    EXPECT_EQ(TypeOf("full"), mode_t(S_IFCHR));
    EXPECT_EQ(TypeOf("fifo"), mode_t(S_IFIFO));
}

TEST_F(HostileFiles, ALinkPlantedInTheOutputFolderIsNotFollowedOutOfIt) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("out"));
    WriteAll(Path("victim.txt"), "someone else's");
    ASSERT_EQ(symlink("../victim.txt", Native("out/p.txt").constData()), 0);
    ASSERT_EQ(symlink("../created.txt", Native("out/q.txt").constData()), 0);
    ASSERT_TRUE(QFile::copy(picture_, Path("q.bmp")));
    ASSERT_TRUE(QFile::copy(picture_, Path("r.bmp")));

    const Ran ran = Convert({"--output-dir", Path("out"), picture_, Path("q.bmp"), Path("r.bmp")});
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.err.count('\n'), 2) << ran.err.toStdString();
    EXPECT_EQ(ReadAll(Path("victim.txt")), "someone else's");
    EXPECT_FALSE(QFile::exists(Path("created.txt")));
    EXPECT_EQ(TypeOf("out/p.txt"), mode_t(S_IFLNK));
    EXPECT_FALSE(ReadAll(Path("out/r.txt")).isEmpty());  // the others are still written
}

TEST_F(HostileFiles, AFifoGivenAsAPictureOrARampIsRefusedAtOnce) {
    ASSERT_EQ(mkfifo(Native("fifo.bmp").constData(), 0644), 0);
    const Ran picture = Shell(dir_.path(), "\"$CONVERT\" fifo.bmp p.bmp");
    EXPECT_EQ(picture.status, 1) << "a status of -1 is a hang";
    EXPECT_FALSE(picture.out.isEmpty());
    const Ran ramp = Shell(dir_.path(), "\"$CONVERT\" --ramp fifo.bmp p.bmp");
    EXPECT_EQ(ramp.status, 2);
}

TEST_F(HostileFiles, ARampLineOfAMillionBytesIsAUsageErrorNamingTheLine) {
    WriteAll(Path("ramp.txt"),
             "\x81\xa1\r\n" + EncodeCp932(QString(500'000, QChar(u'黒'))).bytes + "\r\n");
    const Ran ran = Convert({"--ramp", Path("ramp.txt"), picture_});
    EXPECT_EQ(ran.status, 2);
    EXPECT_TRUE(ran.out.isEmpty());
    EXPECT_TRUE(ran.err.contains(QStringLiteral("line 2 "))) << ran.err.toStdString();
}

TEST_F(HostileFiles, RampLinesThatAreLostAreNamedOnStandardError) {
    // A byte-order mark, then CP932: not one line is UTF-8.
    QByteArray ramp = "\xEF\xBB\xBF";
    for (int i = 0; i < 256; ++i) ramp += "\x81\xa1\r\n";
    WriteAll(Path("bom.txt"), ramp);
    const Ran bom = Convert({"--ramp", Path("bom.txt"), picture_});
    EXPECT_EQ(bom.status, 0);
    EXPECT_TRUE(bom.err.contains("UTF-8")) << bom.err.toStdString();
    EXPECT_TRUE(bom.err.contains("1, 2, 3")) << bom.err.toStdString();
}

TEST_F(HostileFiles, NamesThatAreNotUtf8AreReadAndWrittenByteForByte) {
    // 漢字 in Shift-JIS, as a disk shared with Windows holds it.
    const Ran ran = Shell(dir_.path(),
                          "name=$(printf '\\212\\277\\216\\232'); cp p.bmp \"$name.bmp\" && "
                          "\"$CONVERT\" -o \"$name.txt\" \"$name.bmp\" && "
                          "\"$CONVERT\" --output-dir \"$name\" \"$name.bmp\" && "
                          "\"$CONVERT\" \"$name-missing.bmp\"");
    EXPECT_EQ(ran.status, 1) << ran.err.toStdString();
    const QByteArray name = NativePath(dir_.path()) + "/\x8a\xbf\x8e\x9a";
    struct stat info {};
    EXPECT_EQ(stat(name + ".txt", &info), 0);
    EXPECT_EQ(stat(name + "/\x8a\xbf\x8e\x9a.txt", &info), 0);
    // A missing picture is named with the bytes it was given.
    const Ran missing = Shell(dir_.path(), "\"$CONVERT\" \"$(printf '\\212\\277').bmp\" 2>&1");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.contains("\x8a\xbf.bmp: ")) << missing.out.toHex().constData();
}

TEST_F(HostileFiles, WritingToAFullStandardOutputNamesThePicture) {
    const Ran ran = Shell(dir_.path(), "\"$CONVERT\" p.bmp >/dev/full");
    EXPECT_EQ(ran.status, 1);
    EXPECT_TRUE(ran.err.startsWith("glyphorama-convert: p.bmp: ")) << ran.err.toStdString();
}

TEST_F(HostileFiles, PicturesInFlightShareOneMemoryBoundWhateverTheJobs) {
    // 35 bytes that claim a 16000 x 16000 screen: 1 GB each once decoded.
    QByteArray gif = QByteArray("GIF89a") + QByteArray::fromHex("803e803e800000000000ffffff") +
                     QByteArray::fromHex("2c00000000803e803e0002024401003b");
    QStringList arguments = {"-j", "6"};
    for (int i = 0; i < 6; ++i) {
        WriteAll(Path(QString("big%1.gif").arg(i)), gif);
        arguments << Path(QString("big%1.gif").arg(i));
    }
    const Ran ran = Convert(arguments);
    EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    const qint64 peak = qint64(usage.ru_maxrss) * 1024;
    constexpr qint64 kOnePicture = 16000LL * 16000 * 4;
    // Room for the sanitizers' own bookkeeping, far below six pictures at once.
    EXPECT_LT(peak, MemoryBound() * 5 / 4 + 128 * 1024 * 1024) << peak / 1024 / 1024 << " MB";
    EXPECT_LT(peak, 3 * kOnePicture);
}

}  // namespace
}  // namespace glyph::cli
