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
// A new file gets the usual mode (0666 less the umask); an existing file keeps its mode. A
// symbolic link stays and the file it leads to is replaced. A pipe or a terminal gets the data
// written straight into it, since nothing can be renamed over it; a FIFO that nobody reads is an
// error rather than a wait.
Status WriteFileAtomically(const std::string& path, std::string_view data,
                           Durability durability = Durability::Flush);

struct ReadFileResult {
    Status status = Status::Ok();
    bool missing = false; // the file does not exist (status holds the reason too)
    std::string data;
};

// Reads up to maxBytes from the start of the file at path, in as few reads as it takes. A FIFO
// that nobody writes to reads as empty instead of blocking.
ReadFileResult ReadFile(const std::string& path, std::size_t maxBytes = std::string::npos);

// "path: reason" for the current errno.
std::string SystemError(const std::string& path, int errorNumber);

} // namespace rk7
