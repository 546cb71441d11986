#include "model/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace rk7 {

std::string SystemError(const std::string& path, int errorNumber) {
    return path + ": " + std::strerror(errorNumber);
}

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The longest file name the usual file systems take.
constexpr std::size_t MaxNameLength = 255;

// Opens a fresh temporary file beside path. O_EXCL with mode 0666 lets the umask give it the
// ordinary mode of a new file. The name is the target's own with a suffix, shortened when the
// two together would be longer than a file name may be.
int OpenTemporary(const std::string& path, std::string& tempPath) {
    static unsigned serial = 0;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix =
            ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
        const std::size_t room = MaxNameLength - suffix.size();
        tempPath = path.substr(0, nameStart + std::min(path.size() - nameStart, room)) + suffix;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Opens without waiting: a FIFO with nobody at the other end would otherwise block the open for
// good. Reads and writes wait as usual afterwards.
int OpenNonBlocking(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd >= 0) {
        const int now = ::fcntl(fd, F_GETFL);
        if (now != -1)
            ::fcntl(fd, F_SETFL, now & ~O_NONBLOCK);
    }
    return fd;
}

// A pipe or a terminal cannot be replaced by renaming a file over it (that would put a plain file
// where the device or pipe was, for everyone): the data goes straight into it.
Status WriteStraightInto(const std::string& path, std::string_view data) {
    const int fd = OpenNonBlocking(path, O_WRONLY);
    if (fd < 0)
        return Status::Failure(SystemError(path, errno));
    const bool written = WriteAll(fd, data);
    const int error = errno;
    if (::close(fd) != 0 && written)
        return Status::Failure(SystemError(path, errno));
    if (!written)
        return Status::Failure(SystemError(path, error));
    return Status::Ok();
}

} // namespace

// A link that leads nowhere is followed too, so that a save creates its file, as cp and the shell
// do.
std::string ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return current;
        std::string next(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : 256) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), next.data(), next.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= next.size())
            return path;
        next.resize(static_cast<std::size_t>(n));
        if (next.front() != '/') {
            const auto slash = current.rfind('/');
            if (slash != std::string::npos)
                next = current.substr(0, slash + 1) + next;
        }
        current = std::move(next);
    }
    return path;
}

namespace {

// A file the user has write-protected is not replaced behind their back, even by root, for whom
// the system would not refuse it. A read-only file system is left to fail on its own, with its
// own reason.
bool WriteProtected(const std::string& target, const struct stat& existing) {
    if ((existing.st_mode & 0222) == 0)
        return true;
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

} // namespace

Status StageFile(const std::string& path, std::string_view data, Durability durability,
                 StagedFile& staged, Links links) {
    staged = StagedFile{path, links == Links::Follow ? ResolveLinks(path) : path, {}};
    const std::string& target = staged.target;
    struct stat existing {};
    const bool hasExisting = (links == Links::Follow ? ::stat(target.c_str(), &existing)
                                                     : ::lstat(target.c_str(), &existing)) == 0;
    if (links == Links::Replace && hasExisting && !S_ISREG(existing.st_mode))
        return Status::Failure(path + ": not a regular file; it is left as it is");
    if (hasExisting && S_ISDIR(existing.st_mode))
        return Status::Failure(SystemError(path, EISDIR));
    if (hasExisting && !S_ISREG(existing.st_mode))
        return Status::Failure(path + ": not a regular file; it is left as it is");
    if (hasExisting && WriteProtected(target, existing))
        return Status::Failure(path + ": the file is read-only; it is left as it is");

    const int fd = OpenTemporary(target, staged.temp);
    if (fd < 0)
        return Status::Failure(SystemError(path, errno));

    auto fail = [&](int error, bool open) {
        if (open)
            ::close(fd);
        ::unlink(staged.temp.c_str());
        staged.temp.clear();
        return Status::Failure(SystemError(path, error));
    };

    if (hasExisting) {
        if (::fchmod(fd, existing.st_mode & 07777) != 0)
            return fail(errno, true);
        // The replacement keeps the owner and group where this process may give them (root may;
        // others keep their own).
        if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
            ::fchown(fd, existing.st_uid, existing.st_gid) != 0 && errno != EPERM)
            return fail(errno, true);
    }
    if (!WriteAll(fd, data))
        return fail(errno, true);
    if (durability == Durability::Flush && ::fsync(fd) != 0)
        return fail(errno, true);
    if (::close(fd) != 0)
        return fail(errno, false);
    return Status::Ok();
}

Status CommitStagedFile(const StagedFile& staged) {
    if (::rename(staged.temp.c_str(), staged.target.c_str()) != 0)
        return Status::Failure(SystemError(staged.path, errno));
    return Status::Ok();
}

void DiscardStagedFile(StagedFile& staged) {
    if (!staged.temp.empty())
        ::unlink(staged.temp.c_str());
    staged.temp.clear();
}

Status SyncFolderOf(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return Status::Failure(SystemError(folder, errno));
    const int synced = ::fsync(dir);
    const int error = errno;
    ::close(dir);
    // Some file systems cannot flush a folder at all; that says nothing about the data.
    if (synced != 0 && error != EINVAL && error != ENOTSUP && error != EROFS)
        return Status::Failure(SystemError(folder, error) + " (while flushing the folder to disk)");
    return Status::Ok();
}

Status WriteFileAtomically(const std::string& path, std::string_view data, Durability durability) {
    const std::string target = ResolveLinks(path);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 &&
        (S_ISFIFO(existing.st_mode) || S_ISCHR(existing.st_mode)))
        return WriteStraightInto(target, data);

    StagedFile staged;
    if (Status status = StageFile(path, data, durability, staged); !status)
        return status;
    if (Status status = CommitStagedFile(staged); !status) {
        DiscardStagedFile(staged);
        return status;
    }
    if (durability == Durability::Flush)
        if (Status synced = SyncFolderOf(staged.target); !synced)
            return Status::Failure(path + ": written, but " + synced.Error());
    return Status::Ok();
}

Result<FileContents> ReadFile(const std::string& path, std::size_t maxBytes, FileKind kind) {
    const int fd = OpenNonBlocking(path, O_RDONLY);
    if (fd < 0) {
        const int error = errno;
        std::string text = SystemError(path, error);
        return error == ENOENT ? Status::NotFound(std::move(text))
                               : Status::Failure(std::move(text));
    }
    FileContents contents;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        contents.fileSize = static_cast<std::size_t>(info.st_size);
    if (S_ISDIR(info.st_mode)) {
        ::close(fd);
        return Status::Failure(SystemError(path, EISDIR));
    }
    if (kind == FileKind::Regular && !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::Failure(path + ": not a regular file; it is left as it is");
    }
    std::string& data = contents.data;
    std::size_t chunk = 4096;
    if (info.st_size > 0)
        chunk = std::min<std::size_t>(static_cast<std::size_t>(info.st_size) + 1, maxBytes);
    chunk = std::max<std::size_t>(chunk, 1);
    for (;;) {
        const std::size_t room = maxBytes - data.size();
        if (room == 0)
            break;
        const std::size_t want = std::min(chunk, room);
        const std::size_t old = data.size();
        data.resize(old + want);
        const ssize_t n = ::read(fd, data.data() + old, want);
        if (n < 0) {
            if (errno == EINTR) {
                data.resize(old);
                continue;
            }
            const int error = errno;
            ::close(fd);
            return Status::Failure(SystemError(path, error));
        }
        data.resize(old + static_cast<std::size_t>(n));
        if (n == 0)
            break;
        chunk = std::max<std::size_t>(chunk, 65536);
    }
    ::close(fd);
    return contents;
}

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true, static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino),
            static_cast<unsigned long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace rk7
