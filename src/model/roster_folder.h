#pragma once

#include "model/status.h"

#include <string>
#include <string_view>

namespace rk7 {

// Which folder a roster lives in, resolved once: its canonical path (absolute, links and "."
// and ".." resolved), and its device and inode while it exists. Everything that names a file of
// the folder names it from here, so that how the user spelled the folder (relative, through a
// link, with a trailing slash) never decides which files a load or a save touches.
struct RosterFolder {
    std::string path;
    unsigned long long device = 0, inode = 0; // both 0 while the folder does not exist

    bool Known() const { return device != 0 || inode != 0; }
    friend bool operator==(const RosterFolder&, const RosterFolder&) = default;
};

// The folder that dir names. A folder that does not exist yet (the first save makes it) gets
// the canonical path of its nearest existing parent with the rest appended.
RosterFolder ResolveRosterFolder(std::string_view dir);

// Whether folder still names the folder the roster was read from: a folder moved away and
// another put in its place is not it. A folder that did not exist when it was resolved takes
// the identity it has now.
[[nodiscard]] Status CheckRosterFolder(RosterFolder& folder);

// Whether writing to path would write over one of the folder's own files: a store file (or the
// file a linked store file leads to), the journal, or a temporary file of either. Output files
// of the commands must never be these.
bool IsRosterFolderFile(const RosterFolder& folder, const std::string& path);

} // namespace rk7
