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
    // Takes the lock only if nobody else holds it; busy tells a lock held elsewhere from a
    // failure.
    [[nodiscard]] static Status TryAcquire(const std::string& folder, FolderLock& lock, bool& busy);
    bool Held() const { return m_key.first != 0 || m_key.second != 0; }
    // The locked folder's device and inode.
    std::pair<unsigned long, unsigned long> Identity() const { return m_key; }
    void Release();

private:
    static Status Take(const std::string& folder, FolderLock& lock, std::chrono::milliseconds wait,
                       const std::string& nameInErrors, bool* busy);

    std::pair<unsigned long, unsigned long> m_key{}; // the folder's device and inode
};

// The steps of ReplaceFilesTogether, for tests that make one fail or stop the process there.
enum class ReplaceStep { Stage, WriteJournal, FlushJournal, Rename, RemoveJournal };
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

// A file of the folder that a journal may replace, and the size every version of it has.
struct JournalTarget {
    std::string name;
    std::size_t size;
};

// One replacement a journal still waits for: the file and the temporary file that holds its new
// contents.
struct PendingReplacement {
    std::string target;
    std::string temp;
};

// What an interrupted save left behind, once RecoverFolder has dealt with it.
struct FolderRecovery {
    Status status = Status::Ok();
    // A journal was found: a save had been cut short.
    bool interrupted = false;
    // Files whose new contents a journal holds but could not yet rename into place. A reader
    // takes the temporary file instead, so that it sees the whole save.
    std::vector<PendingReplacement> pending;
};

// Completes a save that was interrupted after its journal was written (renaming the rest of its
// files into place), and removes temporary files that no journal names: those of saves that
// never reached their journal. The journal is read by the files' names alone, so that how the
// folder was spelled by the writer and by this reader does not matter. It is obeyed only when it
// is a regular file of the folder in the journal's form, and only for temporary files that are
// regular files, this user's, linked nowhere else, of the target's exact size and named as
// StageFile names them; any other journal is reported and left alone, with every file it names.
// folder is the canonical path; the folder must be locked.
FolderRecovery RecoverFolder(const std::string& folder, const std::vector<JournalTarget>& targets);

// What RecoverFolder would rename, without renaming or removing anything. For a reader that must
// leave the folder as it found it; the folder must be locked.
FolderRecovery PendingReplacements(const std::string& folder,
                                   const std::vector<JournalTarget>& targets);

// The journal's name in the folder.
inline constexpr std::string_view JournalName = "RK7_Power.journal";

} // namespace rk7
