#pragma once

#include "model/file_io.h"
#include "model/status.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rk7 {

// How long a second writer waits for the folder before it gives up.
inline constexpr std::chrono::milliseconds DefaultFolderWait{5000};

// One writer per folder at a time, across processes: an advisory lock (flock) on the folder
// itself, so that no lock file is left in it. Taking the lock again in the same process, while
// it is held, counts up instead of waiting for itself; the last one released unlocks.
class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock() { Release(); }
    FolderLock(FolderLock&& other) noexcept : m_key(std::exchange(other.m_key, {})) {}
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Waits up to wait for the lock. Errors opening the folder name nameInErrors (the folder
    // itself when empty), so that a save can name the file it could not write.
    [[nodiscard]] static Status Acquire(const std::string& folder, FolderLock& lock,
                                        std::chrono::milliseconds wait = DefaultFolderWait,
                                        const std::string& nameInErrors = {});
    bool Held() const { return m_key.first != 0 || m_key.second != 0; }
    void Release();

private:
    std::pair<unsigned long, unsigned long> m_key{}; // the folder's device and inode
};

// The steps of ReplaceFilesTogether, for tests that make one fail or stop the process there.
enum class ReplaceStep { Stage, WriteJournal, Rename, RemoveJournal };
// Called before each step (index: the file's, for Stage and Rename); false makes the step fail.
using ReplaceStepHook = std::function<bool(ReplaceStep step, std::size_t index)>;

struct FileReplacement {
    std::string path;
    std::string data;
};

// Replaces every file of files, or none of them, as a later LoadFolderJournal sees it. The
// folder must be locked and recovered (RecoverFolder) first. The journal is written only when
// there is more than one file; one rename is atomic by itself.
Status ReplaceFilesTogether(const std::string& folder, const std::vector<FileReplacement>& files,
                            Durability durability = Durability::Flush,
                            const ReplaceStepHook& hook = {});

// What an interrupted save left behind, once RecoverFolder has dealt with it.
struct FolderRecovery {
    Status status = Status::Ok();
    // Files whose new contents a journal holds but could not yet rename into place: (target,
    // temporary file). A reader takes the temporary file instead, so that it sees the whole save.
    std::vector<std::pair<std::string, std::string>> pending;
};

// Completes a save that was interrupted after its journal was written (renaming the rest of its
// files into place), and removes temporary files that no journal names: those of saves that
// never reached their journal. names are the file names a journal may replace; their temporary
// files are looked for beside each of them (symbolic links followed). The folder must be
// locked.
FolderRecovery RecoverFolder(const std::string& folder, const std::vector<std::string>& names);

// What RecoverFolder would rename, without renaming or removing anything: the (target, temporary
// file) pairs of the folder's journal whose temporary file is still there. For a reader that
// must leave the folder as it found it; the folder must be locked.
std::vector<std::pair<std::string, std::string>>
PendingReplacements(const std::string& folder, const std::vector<std::string>& names);

// The journal's name in the folder.
inline constexpr std::string_view JournalName = "RK7_Power.journal";

} // namespace rk7
