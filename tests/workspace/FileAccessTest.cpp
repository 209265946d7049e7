#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>

#include "basics/Reasons.h"
#include "files/FileAccess.h"
#include "files/NativePath.h"
#include "picture/PictureFile.h"

namespace glyph {
namespace {

using namespace std::chrono_literals;

const QByteArray kNew("new bytes");
const QByteArray kOld("old bytes that must stay");

class Outputs : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QByteArray Native(const QString& name) const { return NativePath(Path(name)); }
    static void Put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    mode_t TypeOf(const QString& name) const {
        struct stat info {};
        EXPECT_EQ(lstat(Native(name).constData(), &info), 0);
        return info.st_mode & S_IFMT;
    }
    // Nothing but the named entries: no temporary file left behind.
    void ExpectOnly(const QStringList& names) const {
        EXPECT_EQ(
            QDir(dir_.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Name),
            names);
    }

    QTemporaryDir dir_;
};

TEST_F(Outputs, ARegularFileIsReplacedWholeAndKeepsItsMode) {
    Put(Path("art.txt"), kOld);
    ASSERT_EQ(chmod(Native("art.txt").constData(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(Path("art.txt"), kNew).ok());
    EXPECT_EQ(Read(Path("art.txt")), kNew);
    struct stat info {};
    ASSERT_EQ(stat(Native("art.txt").constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // A new file takes the usual mode for new files.
    const mode_t mask = umask(022);
    ASSERT_TRUE(WriteFileAtomically(Path("new.txt"), kNew).ok());
    umask(mask);
    ASSERT_EQ(stat(Native("new.txt").constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    ExpectOnly({"art.txt", "new.txt"});
}

TEST_F(Outputs, AReadOnlyFileKeepsItsModeOrIsRefusedWhole) {
    Put(Path("art.txt"), kOld);
    ASSERT_EQ(chmod(Native("art.txt").constData(), 0444), 0);
    const Status written = WriteFileAtomically(Path("art.txt"), kNew);
    // Root may write anything; others are refused, and the old file stays.
    if (written) {
        EXPECT_EQ(getuid(), 0u);
        EXPECT_EQ(Read(Path("art.txt")), kNew);
    } else {
        EXPECT_EQ(Read(Path("art.txt")), kOld);
    }
    struct stat info {};
    ASSERT_EQ(stat(Native("art.txt").constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

TEST_F(Outputs, AFifoASocketAndAFolderAreRefusedAndKept) {
    ASSERT_EQ(mkfifo(Native("fifo").constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = Native("socket");
    ASSERT_LT(size_t(socketPath.size()), sizeof(address.sun_path));
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

    // Each refusal comes at once: nothing waits for a reader of the FIFO.
    auto writing = std::async(std::launch::async, [&] {
        return std::array{WriteFileAtomically(Path("fifo"), kNew),
                          WriteFileAtomically(Path("socket"), kNew),
                          WriteFileAtomically(Path("folder"), kNew)};
    });
    ASSERT_EQ(writing.wait_for(10s), std::future_status::ready);
    const auto results = writing.get();
    EXPECT_EQ(results[0].error().reason, reasons::kOutputNotRegular);
    EXPECT_EQ(results[1].error().reason, reasons::kOutputNotRegular);
    EXPECT_EQ(results[2].error().reason, reasons::kOutputIsFolder);
    close(sock);
    EXPECT_EQ(TypeOf("fifo"), mode_t(S_IFIFO));
    EXPECT_EQ(TypeOf("socket"), mode_t(S_IFSOCK));
    EXPECT_EQ(TypeOf("folder"), mode_t(S_IFDIR));
    ExpectOnly({"fifo", "folder", "socket"});
}

TEST_F(Outputs, ACharacterDeviceIsWrittenIntoNeverRenamedOver) {
    // The system's null and full devices, made again in the scratch folder.
    if (mknod(Native("null").constData(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        mknod(Native("full").constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "device nodes cannot be made here (needs root): " << strerror(errno);
    }
    EXPECT_TRUE(WriteFileAtomically(Path("null"), kNew).ok());
    const Status full = WriteFileAtomically(Path("full"), kNew);
    ASSERT_FALSE(full.ok());
    EXPECT_TRUE(full.error().reason.startsWith(reasons::kSaveCannotWrite));
    EXPECT_EQ(TypeOf("null"), mode_t(S_IFCHR));
    EXPECT_EQ(TypeOf("full"), mode_t(S_IFCHR));
    ExpectOnly({"full", "null"});
}

TEST_F(Outputs, UnderTheProgramsOwnNamesADeviceIsRefusedNotWrittenInto) {
    if (mknod(Native("null").constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here (needs root): " << strerror(errno);
    EXPECT_EQ(WriteFileAtomically(Path("null"), kNew, Links::kRefuse).error().reason,
              reasons::kOutputNotRegular);
    EXPECT_EQ(TypeOf("null"), mode_t(S_IFCHR));
    ExpectOnly({"null"});
    // A regular file there is the program's own, and is replaced.
    Put(Path("own"), kOld);
    EXPECT_TRUE(WriteFileAtomically(Path("own"), kNew, Links::kRefuse).ok());
    EXPECT_EQ(Read(Path("own")), kNew);
    ExpectOnly({"null", "own"});
}

TEST_F(Outputs, ALinkIsFollowedWhenNamedAndRefusedInTheProgramsOwnFolder) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("out"));
    Put(Path("victim.txt"), kOld);
    ASSERT_EQ(symlink("../victim.txt", Native("out/x.txt").constData()), 0);
    ASSERT_EQ(symlink("../elsewhere.txt", Native("out/dangling.txt").constData()), 0);

    EXPECT_EQ(WriteFileAtomically(Path("out/x.txt"), kNew, Links::kRefuse).error().reason,
              reasons::kOutputIsLink);
    EXPECT_FALSE(WriteFileAtomically(Path("out/dangling.txt"), kNew, Links::kRefuse).ok());
    EXPECT_EQ(Read(Path("victim.txt")), kOld);
    EXPECT_FALSE(QFile::exists(Path("elsewhere.txt")));
    EXPECT_EQ(TypeOf("out/x.txt"), mode_t(S_IFLNK));

    // A link the user names is written through, as a shell's redirection would.
    ASSERT_TRUE(WriteFileAtomically(Path("out/x.txt"), kNew).ok());
    EXPECT_EQ(Read(Path("victim.txt")), kNew);
    EXPECT_EQ(TypeOf("out/x.txt"), mode_t(S_IFLNK));
}

TEST_F(Outputs, AMissingFolderIsSaidAndNothingIsMade) {
    const Status written = WriteFileAtomically(Path("no/such/art.txt"), kNew);
    ASSERT_FALSE(written.ok());
    EXPECT_TRUE(written.error().reason.startsWith(reasons::kSaveNoFolder));
    ExpectOnly({});
}

TEST_F(Outputs, NamesThatAreNotUtf8AreWrittenByteForByte) {
    const QByteArray shiftJis("\x8a\xbf\x8e\x9a.txt");  // 漢字.txt in Shift-JIS
    const QString name = PathFromNative(shiftJis);
    ASSERT_TRUE(MakeFolders(dir_.filePath(PathFromNative("\x83\x74\x83\x48/sub"))).ok());
    ASSERT_TRUE(WriteFileAtomically(dir_.filePath(name), kNew).ok());
    EXPECT_TRUE(IsRegularFile(dir_.filePath(name)));
    const QByteArray folder = NativePath(dir_.path());
    struct stat info {};
    EXPECT_EQ(stat((folder + '/' + shiftJis).constData(), &info), 0);
    EXPECT_EQ(stat((folder + "/\x83\x74\x83\x48/sub").constData(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST(Inputs, AFifoOrAFolderIsRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("picture.bmp");
    ASSERT_EQ(mkfifo(NativePath(fifo).constData(), 0644), 0);
    auto reading = std::async(std::launch::async, [&] {
        return std::pair{ReadPictureSize(fifo).ok(), ReadRegularFile(fifo, 100).ok()};
    });
    ASSERT_EQ(reading.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(reading.get(), (std::pair{false, false}));
    EXPECT_EQ(ReadPictureSize(dir.path()).error().reason, reasons::kNotRegularFile);
}

TEST(Inputs, AFileOverTheBoundIsRefusedAsTooLargeAndOneWithinItIsReadWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("moji.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(101, 'a'));
    file.close();
    const Result<QByteArray> over = ReadRegularFile(path, 100);
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.error().kind, ErrorKind::kTooLarge);
    EXPECT_EQ(ReadRegularFile(path, 101).value(), QByteArray(101, 'a'));
}

TEST(Inputs, AStampTellsAChangedFileFromTheSame) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a");
    EXPECT_FALSE(StampOf(path).exists);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    const FileStamp first = StampOf(path);
    EXPECT_EQ(first.size, 3);
    EXPECT_EQ(StampOf(path), first);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("d");
    file.close();
    EXPECT_NE(StampOf(path), first);
}

}  // namespace
}  // namespace glyph
