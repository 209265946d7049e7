#include "files/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <ctime>
#include <optional>

#include "basics/Reasons.h"
#include "files/NativePath.h"

namespace glyph {

namespace {

constexpr int kMostLinks = 40;  // as the kernel follows them
constexpr mode_t kNewFileMode = 0666;
// Temporary files are named .glyphorama-XXXXXX, as mkostemp fills them in.
const QByteArray kTemporaryPrefix = QByteArrayLiteral(".glyphorama-");
constexpr int kTemporaryLetters = 6;
constexpr int kNamingTries = 16;
// Older than this, a temporary of ours is no run's work in progress.
constexpr time_t kStaleSeconds = 15 * 60;

QString SystemReason() { return qt_error_string(errno); }

Error Failure(const QString& what, const QString& detail) {
    return Error{ErrorKind::kCannotWrite, reasons::kWithDetail.arg(what, detail)};
}

// The process's umask, read once (the only way to read it is to set it).
mode_t Umask() {
    static const mode_t mask = [] {
        const mode_t old = umask(0);
        umask(old);
        return old;
    }();
    return mask;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Where a chain of links ends, whether or not anything stands there.
QByteArray FollowLinks(QByteArray path) {
    for (int i = 0; i < kMostLinks; ++i) {
        struct stat info {};
        if (lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        QByteArray target(qsizetype(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = readlink(path.constData(), target.data(), size_t(target.size()));
        if (length < 0 || length >= target.size()) return path;
        target.truncate(length);
        path = target.startsWith('/') ? target : FolderOf(path) + '/' + target;
    }
    return path;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The program's own standard output or error, however it is named.
bool IsOwnStream(const struct stat& target) {
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (fstat(fd, &stream) == 0 && SameFile(stream, target)) return true;
    }
    return false;
}

Status WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return Failure(reasons::kSaveCannotWrite, SystemReason());
        data += written;
        left -= written;
    }
    return Done{};
}

// A device or stream that is written into where it stands.
Status WriteInto(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Failure(reasons::kSaveCannotCreate, SystemReason());
    Status written = WriteAll(fd, bytes);
    if (::close(fd) != 0 && written) written = Failure(reasons::kSaveCannotWrite, SystemReason());
    return written;
}

// The bytes in fd, in the mode (and, for root, the owner) the file takes.
Status Fill(int fd, const QByteArray& bytes, const struct stat* old) {
    if (old != nullptr) {
        // Root may hand a user's file back to its owner; others keep their own.
        [[maybe_unused]] const int owned = fchown(fd, old->st_uid, old->st_gid);
    }
    const mode_t mode = old != nullptr ? (old->st_mode & 07777) : (kNewFileMode & ~Umask());
    Status written = fchmod(fd, mode) == 0 ? WriteAll(fd, bytes)
                                           : Failure(reasons::kSaveCannotCreate, SystemReason());
    if (written && fsync(fd) != 0) written = Failure(reasons::kSaveCannotWrite, SystemReason());
    return written;
}

QByteArray TemporaryName(const QByteArray& folder) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = folder + '/' + kTemporaryPrefix;
    for (int i = 0; i < kTemporaryLetters; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
    return name;
}

// The new file is written unnamed (O_TMPFILE) and given a name only once it
// is whole, so a run killed while writing leaves nothing behind. Nothing when
// the file system or /proc cannot do it: then a named temporary is used.
std::optional<Status> ReplaceUnnamed(const QByteArray& path, const QByteArray& bytes,
                                     const struct stat* old) {
    const int fd =
        ::open(FolderOf(path).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode);
    if (fd < 0) return std::nullopt;
    const auto fail = [fd](Status status) {
        ::close(fd);
        return status;
    };
    if (Status written = Fill(fd, bytes, old); !written) return fail(written);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    // With no file at the name it is linked there at once; else under a
    // temporary name that then replaces the old file in one step.
    if (old == nullptr &&
        linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0) {
        ::close(fd);
        return Status(Done{});
    }
    for (int i = 0; i < kNamingTries; ++i) {
        const QByteArray temporary = TemporaryName(FolderOf(path));
        if (linkat(AT_FDCWD, self.constData(), AT_FDCWD, temporary.constData(),
                   AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST) continue;
            ::close(fd);
            return std::nullopt;
        }
        ::close(fd);
        if (::rename(temporary.constData(), path.constData()) == 0) return Status(Done{});
        const Status failed = Failure(reasons::kSaveCannotReplace, SystemReason());
        ::unlink(temporary.constData());
        return failed;
    }
    return fail(Failure(reasons::kSaveCannotCreate, qt_error_string(EEXIST)));
}

// A temporary file beside `path` replaces it once every byte is written.
Status Replace(const QByteArray& path, const QByteArray& bytes, const struct stat* old) {
    if (std::optional<Status> unnamed = ReplaceUnnamed(path, bytes, old)) return *unnamed;
    QByteArray temporary =
        FolderOf(path) + '/' + kTemporaryPrefix + QByteArray(kTemporaryLetters, 'X');
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const bool noFolder = errno == ENOENT || errno == ENOTDIR;
        return Failure(noFolder ? reasons::kSaveNoFolder : reasons::kSaveCannotCreate,
                       SystemReason());
    }
    Status written = Fill(fd, bytes, old);
    if (::close(fd) != 0 && written) written = Failure(reasons::kSaveCannotWrite, SystemReason());
    if (written && ::rename(temporary.constData(), path.constData()) != 0)
        written = Failure(reasons::kSaveCannotReplace, SystemReason());
    if (!written) ::unlink(temporary.constData());
    return written;
}

bool IsTemporaryName(const char* name) {
    const QByteArray named(name);
    return named.size() == kTemporaryPrefix.size() + kTemporaryLetters &&
           named.startsWith(kTemporaryPrefix);
}

}  // namespace

Result<std::unique_ptr<QFile>> OpenRegularFile(const QString& path) {
    const QByteArray native = NativePath(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return Error{ErrorKind::kCannotRead, reasons::kCannotOpenFile.arg(SystemReason())};
    if (!S_ISREG(info.st_mode)) return Error{ErrorKind::kCannotRead, reasons::kNotRegularFile};
    // Not blocking, in case a FIFO took the file's place since.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Error{ErrorKind::kCannotRead, reasons::kCannotOpenFile.arg(SystemReason())};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Error{ErrorKind::kCannotRead, reasons::kNotRegularFile};
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Error{ErrorKind::kCannotRead, reasons::kCannotOpenFile.arg(file->errorString())};
    }
    return file;
}

Result<QByteArray> ReadRegularFile(const QString& path, qint64 most) {
    const Result<std::unique_ptr<QFile>> file = OpenRegularFile(path);
    if (!file) return file.error();
    if ((*file)->size() > most)
        return Error{ErrorKind::kTooLarge, reasons::kFileTooLarge.arg(most)};
    QByteArray bytes = (*file)->read(most + 1);
    if (bytes.size() > most) return Error{ErrorKind::kTooLarge, reasons::kFileTooLarge.arg(most)};
    if ((*file)->error() != QFileDevice::NoError)
        return Error{ErrorKind::kCannotRead, reasons::kCannotOpenFile.arg((*file)->errorString())};
    return bytes;
}

FileStamp StampOf(const QString& path) {
    struct stat info {};
    if (::stat(NativePath(path).constData(), &info) != 0) return {};
    return {true, qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

bool IsRegularFile(const QString& path) {
    struct stat info {};
    return ::stat(NativePath(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SameFile(const QString& a, const QString& b) {
    struct stat left {};
    struct stat right {};
    return ::stat(NativePath(a).constData(), &left) == 0 &&
           ::stat(NativePath(b).constData(), &right) == 0 && SameFile(left, right);
}

Status MakeFolders(const QString& path) {
    const QByteArray native = NativePath(path);
    for (qsizetype end = native.indexOf('/', 1);; end = native.indexOf('/', end + 1)) {
        const QByteArray folder = end < 0 ? native : native.left(end);
        struct stat info {};
        if (::stat(folder.constData(), &info) != 0 && ::mkdir(folder.constData(), 0777) != 0 &&
            errno != EEXIST) {
            return Error{ErrorKind::kCannotWrite, SystemReason()};
        }
        if (end < 0) break;
    }
    struct stat info {};
    if (::stat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return Error{ErrorKind::kCannotWrite, qt_error_string(ENOTDIR)};
    return Done{};
}

bool IsReadable(const QString& path) { return access(NativePath(path).constData(), R_OK) == 0; }

Status WriteFileAtomically(const QString& path, const QByteArray& bytes, Links links) {
    const QByteArray named = NativePath(path);
    struct stat link {};
    const bool isLink = lstat(named.constData(), &link) == 0 && S_ISLNK(link.st_mode);
    if (isLink && links == Links::kRefuse)
        return Error{ErrorKind::kCannotWrite, reasons::kOutputIsLink};
    struct stat old {};
    const bool exists = ::stat(named.constData(), &old) == 0;
    if (!exists && errno != ENOENT) {
        const bool noFolder = errno == ENOTDIR;
        return Failure(noFolder ? reasons::kSaveNoFolder : reasons::kSaveCannotCreate,
                       SystemReason());
    }
    if (exists) {
        // The program's own names hold regular files alone, and are never
        // written into.
        if (links == Links::kRefuse && S_ISDIR(old.st_mode))
            return Error{ErrorKind::kCannotWrite, reasons::kOutputIsFolder};
        if (links == Links::kRefuse && !S_ISREG(old.st_mode))
            return Error{ErrorKind::kCannotWrite, reasons::kOutputNotRegular};
        if (S_ISCHR(old.st_mode) || IsOwnStream(old)) return WriteInto(named, bytes);
        if (S_ISDIR(old.st_mode)) return Error{ErrorKind::kCannotWrite, reasons::kOutputIsFolder};
        if (!S_ISREG(old.st_mode))
            return Error{ErrorKind::kCannotWrite, reasons::kOutputNotRegular};
        if (access(named.constData(), W_OK) != 0)
            return Failure(reasons::kSaveCannotCreate, SystemReason());
    }
    // Through a link the user named, the file it points to is replaced.
    return Replace(isLink ? FollowLinks(named) : named, bytes, exists ? &old : nullptr);
}

void RemoveStaleTemporaries(const QString& folder) {
    const QByteArray native = NativePath(folder);
    DIR* dir = opendir(native.constData());
    if (dir == nullptr) return;
    const int dirFd = dirfd(dir);
    const time_t now = time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        struct stat info {};
        if (fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
            now - info.st_mtim.tv_sec > kStaleSeconds)
            unlinkat(dirFd, entry->d_name, 0);
    }
    closedir(dir);
}

}  // namespace glyph
