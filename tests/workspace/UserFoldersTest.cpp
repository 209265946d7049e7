// The program's folders in the user's home, and the files it keeps there.
#include "files/UserFolders.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <ctime>

#include "basics/Reasons.h"
#include "files/FileAccess.h"
#include "files/NativePath.h"

namespace glyph {
namespace {

// Sets environment variables for one test, and puts them back after.
class ScopedVariables {
  public:
    ScopedVariables(std::initializer_list<std::pair<const char*, QByteArray>> values) {
        for (const auto& [name, value] : values) {
            old_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            qputenv(name, value);
        }
    }
    ~ScopedVariables() {
        for (const Old& old : old_) {
            if (old.had) {
                qputenv(old.name, old.value);
            } else {
                qunsetenv(old.name);
            }
        }
    }

  private:
    struct Old {
        const char* name;
        bool had;
        QByteArray value;
    };
    std::vector<Old> old_;
};

class UserFolders : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    void Put(const QString& name, time_t age) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left by a killed run");
        file.close();
        Age(name, age);
    }
    void Age(const QString& name, time_t age) const {
        const timespec times[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
        ASSERT_EQ(
            utimensat(AT_FDCWD, NativePath(Path(name)).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
    }
    QStringList Entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    QTemporaryDir dir_;
};

TEST_F(UserFolders, OnlyAnAbsoluteXdgFolderCountsElseTheHomesOwn) {
    const QByteArray home = dir_.path().toUtf8();
    {
        const ScopedVariables relative{
            {"HOME", home}, {"XDG_CONFIG_HOME", "rel"}, {"XDG_CACHE_HOME", "./rel/cache"}};
        EXPECT_EQ(UserConfigFolder(), Path(".config/glyphorama"));
        EXPECT_EQ(UserCacheFolder(), Path(".cache/glyphorama"));
        EXPECT_TRUE(CachePath("ramp", "k", "txt").startsWith(Path(".cache/glyphorama/ramp-k-")));
    }
    {
        const ScopedVariables empty{
            {"HOME", home}, {"XDG_CONFIG_HOME", ""}, {"XDG_CACHE_HOME", ""}};
        EXPECT_EQ(UserConfigFolder(), Path(".config/glyphorama"));
        EXPECT_EQ(UserCacheFolder(), Path(".cache/glyphorama"));
    }
    const ScopedVariables absolute{{"XDG_CONFIG_HOME", Path("c").toUtf8()},
                                   {"XDG_CACHE_HOME", Path("k").toUtf8()}};
    EXPECT_EQ(UserConfigFolder(), Path("c/glyphorama"));
    EXPECT_EQ(UserCacheFolder(), Path("k/glyphorama"));
}

TEST_F(UserFolders, EveryKeyHasAFileOfItsOwnWhateverItHolds) {
    const ScopedVariables cache{{"XDG_CACHE_HOME", dir_.path().toUtf8()}};
    const QString slashed = CachePath("ramp", "a/b", "txt");
    const QString underscored = CachePath("ramp", "a_b", "txt");
    EXPECT_NE(slashed, underscored);
    EXPECT_EQ(QFileInfo(slashed).path(), Path("glyphorama"));
    EXPECT_TRUE(QFileInfo(slashed).fileName().startsWith("ramp-a_b-"));
    EXPECT_TRUE(slashed.endsWith(".txt"));
}

TEST_F(UserFolders, TemporariesLeftByKilledRunsAreClearedAndNothingElse) {
    constexpr time_t kHour = 3600;
    Put(".glyphorama-Old123", kHour);
    Put(".glyphorama-New123", 0);       // a run at work now
    Put(".glyphorama-Longer1", kHour);  // not a name of ours
    Put("glyphorama-Abc123", kHour);
    Put("victim", kHour);
    ASSERT_EQ(symlink("victim", NativePath(Path(".glyphorama-Lnk123")).constData()), 0);
    Age(".glyphorama-Lnk123", kHour);
    ASSERT_TRUE(QDir(dir_.path()).mkdir(".glyphorama-Dir123"));
    Age(".glyphorama-Dir123", kHour);

    RemoveStaleTemporaries(dir_.path());
    EXPECT_EQ(Entries(),
              (QStringList{".glyphorama-Dir123", ".glyphorama-Lnk123", ".glyphorama-Longer1",
                           ".glyphorama-New123", "glyphorama-Abc123", "victim"}));
    EXPECT_TRUE(QFile::exists(Path("victim")));
}

TEST_F(UserFolders, TheCacheHoldsOnlyRegularFilesItWrote) {
    const QString folder = Path("glyphorama");
    ASSERT_TRUE(QDir().mkpath(folder));
    Put("glyphorama/.glyphorama-Old123", 3600);
    ASSERT_TRUE(KeepInCache(folder + "/kept.bin", "kept").ok());
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"kept.bin"});

    // A device planted at a name of the cache is neither written into nor replaced.
    const QByteArray device = NativePath(folder + "/device.bin");
    if (mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here (needs root): " << strerror(errno);
    EXPECT_EQ(KeepInCache(folder + "/device.bin", "kept").error().reason,
              reasons::kOutputNotRegular);
    struct stat info {};
    ASSERT_EQ(lstat(device.constData(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    ASSERT_EQ(mkfifo(NativePath(folder + "/fifo.bin").constData(), 0644), 0);
    EXPECT_EQ(KeepInCache(folder + "/fifo.bin", "kept").error().reason, reasons::kOutputNotRegular);
}

}  // namespace
}  // namespace glyph
