#pragma once

#include "model/status.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace rk7 {

enum class Durability {
    Flush,   // fsync the file (and its folder) before reporting success
    NoFlush, // leave it to the system; for measurements and scratch files
};

// Replaces the file at path with data, atomically: the bytes go to a temporary file in the same
// folder, which is flushed and then renamed over the target. On any failure the old file is left
// whole, the temporary file is removed, and the Status names the path and the system's reason.
// A new file gets the usual mode (0666 less the umask); an existing file keeps its mode, and its
// owner and group where the process may set them. A write-protected file is refused. A symbolic
// link stays and the file it leads to is replaced, or created when the link leads nowhere. A
// pipe or a terminal gets the data written straight into it, since nothing can be renamed over
// it; a FIFO that nobody reads is an error rather than a wait.
Status WriteFileAtomically(const std::string& path, std::string_view data,
                           Durability durability = Durability::Flush);

// The two halves of WriteFileAtomically, for saves that replace several files together.
struct StagedFile {
    std::string path;   // as the caller named it; errors name it
    std::string target; // the file that will be replaced, symbolic links followed
    std::string temp;   // the flushed new contents beside target, until committed or discarded
};
enum class Links {
    Follow, // a symbolic link stays, and the file it leads to is replaced
    Replace // the name itself is replaced, whatever it is now: for the program's own files
};

// Writes data to a temporary file beside the target and flushes it; the target is untouched.
// Refuses folders, write-protected files and anything that is not a regular file.
Status StageFile(const std::string& path, std::string_view data, Durability durability,
                 StagedFile& staged, Links links = Links::Follow);
// Renames the temporary file over the target.
Status CommitStagedFile(const StagedFile& staged);
// Removes the temporary file, if any.
void DiscardStagedFile(StagedFile& staged);
// Flushes the folder holding path, so that renames in it survive a crash. A file system that
// cannot flush folders at all is no failure; an I/O error is.
[[nodiscard]] Status SyncFolderOf(const std::string& path);

struct FileContents {
    std::string data;
    std::size_t fileSize = 0; // a regular file's size, however much of it was read
};

enum class FileKind {
    Any,     // a FIFO that nobody writes to reads as empty instead of blocking
    Regular, // anything but a regular file (or a link to one) is refused at once
};

// Reads up to maxBytes from the start of the file at path, in as few reads as it takes. A file
// that does not exist fails with a Status that is notFound().
Result<FileContents> ReadFile(const std::string& path, std::size_t maxBytes = std::string::npos,
                              FileKind kind = FileKind::Any);

// The file a symbolic link finally names, followed even when it leads nowhere (a save creates
// that file); the path itself for anything else, or for a loop of links.
std::string ResolveLinks(const std::string& path);

// Which file a path names and how it stood, to notice when another program replaces or changes
// it: a save by rename gives a new inode, a write in place a new time or size.
struct FileStamp {
    bool exists = false;
    unsigned long long device = 0, inode = 0, size = 0;
    long long modifiedNs = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// The stamp of the file at path, symbolic links followed; exists is false when there is none.
FileStamp StampOf(const std::string& path);

// "path: reason" for the current errno.
std::string SystemError(const std::string& path, int errorNumber);

} // namespace rk7
