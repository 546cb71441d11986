// A save that replaces several files of one folder is one transaction, in the manner of a
// write-ahead log:
//   1. every new file is written to a temporary name beside its target and flushed;
//   2. a journal naming each (target, temporary file) pair is written under a temporary name,
//      flushed and renamed into place: from this moment the save counts as done;
//   3. the temporary files are renamed over their targets, the folder is flushed;
//   4. the journal is removed.
// Whoever next locks the folder (RecoverFolder) finds a journal only if step 3 or 4 was cut
// short, and renames whatever it names that is still waiting; temporary files that no journal
// names belong to a save that never reached step 2 and are removed. So the files are always all
// old or all new, as the next load sees them.
#include "model/folder_transaction.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace rk7 {

namespace {

// The locks this process holds: folder (device, inode) -> open folder and count.
struct HeldLock {
    int fd = -1;
    int count = 0;
};
std::mutex& LocksMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<std::pair<unsigned long, unsigned long>, HeldLock>& Locks() {
    static std::map<std::pair<unsigned long, unsigned long>, HeldLock> locks;
    return locks;
}

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string FolderPart(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "NAME.tmp-PID-SERIAL", as StageFile names its temporary files.
bool IsTemporaryOf(std::string_view candidate, std::string_view name) {
    constexpr std::string_view Tag = ".tmp-";
    if (candidate.size() <= name.size() + Tag.size() || candidate.substr(0, name.size()) != name ||
        candidate.substr(name.size(), Tag.size()) != Tag)
        return false;
    const std::string_view rest = candidate.substr(name.size() + Tag.size());
    const auto dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size())
        return false;
    auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(rest.substr(0, dash)) && digits(rest.substr(dash + 1));
}

// The journal: a header, then the target and the temporary file of each replacement, every
// field ended by a NUL (file names may hold anything else), then a closing field.
constexpr std::string_view JournalHeader = "RK7 Power journal 1";
constexpr std::string_view JournalEnd = "end";

std::string FormatJournal(const std::vector<StagedFile>& staged) {
    std::string journal(JournalHeader);
    journal += '\0';
    for (const StagedFile& file : staged) {
        journal += file.target;
        journal += '\0';
        journal += file.temp;
        journal += '\0';
    }
    journal += JournalEnd;
    journal += '\0';
    return journal;
}

// The longest journal a save writes: four pairs of paths.
constexpr std::size_t MaxJournalBytes = 64 * 1024;

// What the folder's journal asks for, checked; a journal that is not one this program wrote for
// this folder fails, naming what is wrong, and nothing of it is acted on.
struct JournalPlan {
    Status status = Status::Ok();
    bool found = false;
    std::vector<PendingReplacement> pending; // temporary files still waiting to be renamed
};

Status NotOurJournal(const std::string& journalPath, const std::string& why) {
    return Status::Failure(journalPath + ": " + why +
                           "; this is not a save this program can complete, so the journal and "
                           "the files it names are left as they are. Look at them, then move the "
                           "journal out of the folder to save there again");
}

// Reads the journal by the names of its files: the folder parts are as the writer spelled
// them (relative, through a link), so only the names say which store file each pair replaces.
// The temporary file is looked for beside the file the store file's name leads to now.
JournalPlan ReadJournal(const std::string& folder, const std::vector<JournalTarget>& targets) {
    JournalPlan plan;
    const std::string journalPath = JoinPath(folder, JournalName);
    // Never through a link: a journal elsewhere is not this folder's.
    const int fd = ::open(journalPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return plan;
        plan.found = true;
        plan.status = errno == ELOOP ? NotOurJournal(journalPath, "a symbolic link")
                                     : Status::Failure(SystemError(journalPath, errno));
        return plan;
    }
    plan.found = true;
    struct stat info {};
    std::string journal;
    const bool stated = ::fstat(fd, &info) == 0;
    if (stated && S_ISREG(info.st_mode) &&
        static_cast<std::size_t>(info.st_size) <= MaxJournalBytes) {
        journal.resize(static_cast<std::size_t>(info.st_size) + 1);
        std::size_t got = 0;
        for (;;) {
            const ssize_t n = ::read(fd, journal.data() + got, journal.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
            if (got == journal.size())
                break;
        }
        journal.resize(got);
    }
    const int readError = errno;
    ::close(fd);
    if (!stated)
        plan.status = Status::Failure(SystemError(journalPath, readError));
    else if (S_ISDIR(info.st_mode))
        plan.status = NotOurJournal(journalPath, "a folder");
    else if (!S_ISREG(info.st_mode))
        plan.status = NotOurJournal(journalPath, "not a regular file");
    else if (static_cast<std::size_t>(info.st_size) > MaxJournalBytes ||
             journal.size() > MaxJournalBytes)
        plan.status = NotOurJournal(journalPath, std::to_string(info.st_size) +
                                                     " bytes long, more than a journal can be");
    if (!plan.status)
        return plan;

    std::vector<std::string_view> fields;
    std::string_view rest = journal;
    while (!rest.empty()) {
        const auto nul = rest.find('\0');
        if (nul == std::string_view::npos)
            break;
        fields.push_back(rest.substr(0, nul));
        rest.remove_prefix(nul + 1);
    }
    if (journal.empty() || !rest.empty() || fields.size() < 2 || fields.front() != JournalHeader ||
        fields.back() != JournalEnd || fields.size() % 2 != 0) {
        plan.status =
            NotOurJournal(journalPath, journal.empty() ? "empty" : "not in the form of a journal");
        return plan;
    }

    std::set<std::string> seen;
    for (std::size_t i = 1; i + 1 < fields.size(); i += 2) {
        const std::string targetName = NamePart(std::string(fields[i]));
        const std::string tempName = NamePart(std::string(fields[i + 1]));
        const JournalTarget* matched = nullptr;
        std::string target;
        for (const JournalTarget& candidate : targets) {
            const std::string resolved = ResolveLinks(JoinPath(folder, candidate.name));
            if (NamePart(resolved) != targetName)
                continue;
            if (matched) {
                matched = nullptr; // two store files lead to files of that name: ambiguous
                break;
            }
            matched = &candidate;
            target = resolved;
        }
        if (!matched || !seen.insert(target).second) {
            plan.status = NotOurJournal(journalPath, "it names " + targetName +
                                                         ", which is not a store file of this "
                                                         "folder or is named twice");
            return plan;
        }
        if (!IsTemporaryOf(tempName, targetName)) {
            plan.status = NotOurJournal(journalPath, "it names " + tempName +
                                                         ", which is not a temporary file this "
                                                         "program makes for " +
                                                         targetName);
            return plan;
        }
        const std::string temp = JoinPath(FolderPart(target), tempName);
        struct stat file {};
        if (::lstat(temp.c_str(), &file) != 0) {
            if (errno == ENOENT)
                continue; // renamed before the save was cut short
            plan.status = Status::Failure(SystemError(temp, errno));
            return plan;
        }
        std::string why;
        if (!S_ISREG(file.st_mode))
            why = S_ISLNK(file.st_mode) ? "a symbolic link" : "not a regular file";
        else if (file.st_nlink != 1)
            why = "linked from elsewhere too";
        else if (file.st_uid != ::geteuid())
            why = "another user's file";
        else if (static_cast<std::size_t>(file.st_size) != matched->size)
            why =
                std::to_string(file.st_size) + " bytes long, not " + std::to_string(matched->size);
        if (!why.empty()) {
            plan.status = NotOurJournal(journalPath, "the file it names, " + temp + ", is " + why);
            return plan;
        }
        plan.pending.push_back({target, temp});
    }
    return plan;
}

// Removes the temporary files of the files at paths (of saves that were cut short), reading each
// folder once.
void RemoveTemporaries(const std::vector<std::string>& paths) {
    std::map<std::string, std::vector<std::string>> namesByFolder;
    for (const std::string& path : paths)
        namesByFolder[FolderPart(path)].push_back(NamePart(path));
    for (const auto& [folder, names] : namesByFolder) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            continue;
        std::vector<std::string> stale;
        while (const dirent* entry = ::readdir(dir))
            for (const std::string& name : names)
                if (IsTemporaryOf(entry->d_name, name))
                    stale.emplace_back(entry->d_name);
        ::closedir(dir);
        for (const std::string& file : stale)
            ::unlink(JoinPath(folder, file).c_str());
    }
}

} // namespace

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_key = std::exchange(other.m_key, {});
    }
    return *this;
}

Status FolderLock::TryAcquire(const std::string& folder, FolderLock& lock, bool& busy) {
    return Take(folder, lock, std::chrono::milliseconds(0), {}, &busy);
}

Status FolderLock::Acquire(const std::string& folder, FolderLock& lock,
                           std::chrono::milliseconds wait, const std::string& nameInErrors) {
    return Take(folder, lock, wait, nameInErrors, nullptr);
}

Status FolderLock::Take(const std::string& folder, FolderLock& lock, std::chrono::milliseconds wait,
                        const std::string& nameInErrors, bool* busy) {
    if (busy)
        *busy = false;
    lock.Release();
    const std::string& named = nameInErrors.empty() ? folder : nameInErrors;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Status::Failure(SystemError(named, errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Status::Failure(SystemError(named, error));
    }
    const std::pair<unsigned long, unsigned long> key{info.st_dev, info.st_ino};
    {
        std::lock_guard guard(LocksMutex());
        if (auto it = Locks().find(key); it != Locks().end()) {
            ::close(fd);
            ++it->second.count;
            lock.m_key = key;
            return Status::Ok();
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            ::close(fd);
            return Status::Failure(SystemError(folder, error));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (busy)
                *busy = true;
            return Status::Failure(folder +
                                   ": another program is saving into this folder and did not "
                                   "finish within " +
                                   std::to_string((wait.count() + 999) / 1000) +
                                   " s; nothing was done, try again");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard guard(LocksMutex());
    Locks()[key] = HeldLock{fd, 1};
    lock.m_key = key;
    return Status::Ok();
}

void FolderLock::Release() {
    if (!Held())
        return;
    std::lock_guard guard(LocksMutex());
    const auto it = Locks().find(m_key);
    m_key = {};
    if (it == Locks().end() || --it->second.count > 0)
        return;
    ::close(it->second.fd); // closing the last descriptor of the folder unlocks it
    Locks().erase(it);
}

Status ReplaceFilesTogether(const std::string& folder, const std::vector<FileReplacement>& files,
                            Durability durability, const ReplaceStepHook& hook) {
    auto stepFails = [&](ReplaceStep step, std::size_t index) {
        if (hook && !hook(step, index)) {
            errno = EIO;
            return true;
        }
        return false;
    };
    std::vector<StagedFile> staged(files.size());
    auto discardAll = [&] {
        for (StagedFile& file : staged)
            DiscardStagedFile(file);
    };

    for (std::size_t i = 0; i < files.size(); ++i) {
        if (stepFails(ReplaceStep::Stage, i)) {
            discardAll();
            return Status::Failure(SystemError(files[i].path, errno));
        }
        if (Status status = StageFile(files[i].path, files[i].data, durability, staged[i]);
            !status) {
            discardAll();
            return status;
        }
    }

    const bool journaled = files.size() > 1;
    const std::string journalPath = JoinPath(folder, JournalName);
    if (journaled) {
        StagedFile journal;
        if (stepFails(ReplaceStep::WriteJournal, 0)) {
            discardAll();
            return Status::Failure(SystemError(journalPath, errno));
        }
        // The journal's own name is replaced, never followed: a link there leads out of the
        // folder.
        Status written =
            StageFile(journalPath, FormatJournal(staged), durability, journal, Links::Replace);
        if (written)
            written = CommitStagedFile(journal);
        if (!written) {
            DiscardStagedFile(journal);
            discardAll();
            return written;
        }
        // Until the journal is on disk the save has not happened: undo it rather than go on with
        // a save that a crash could half-apply.
        Status synced = Status::Ok();
        if (stepFails(ReplaceStep::FlushJournal, 0))
            synced = Status::Failure(SystemError(folder, errno));
        else if (durability == Durability::Flush)
            synced = SyncFolderOf(journalPath);
        if (!synced) {
            ::unlink(journalPath.c_str());
            discardAll();
            return Status::Failure(synced.Error() + "; nothing was saved");
        }
    }

    // From here on the save is done: whatever stops it, the next RecoverFolder completes it.
    std::set<std::string> folders;
    for (std::size_t i = 0; i < staged.size(); ++i) {
        Status renamed = stepFails(ReplaceStep::Rename, i)
                             ? Status::Failure(SystemError(staged[i].path, errno))
                             : CommitStagedFile(staged[i]);
        if (!renamed) {
            if (!journaled) {
                discardAll();
                return renamed;
            }
            return Status::Failure(renamed.Error() + "; the save is kept in " + journalPath +
                                   " and completed when the folder is next loaded or saved");
        }
        folders.insert(FolderPart(staged[i].target));
    }
    if (durability == Durability::Flush)
        for (const std::string& dir : folders)
            if (Status synced = SyncFolderOf(JoinPath(dir, "x")); !synced)
                // The journal stays, so that the next load finishes what may not be on disk.
                return Status::Failure(synced.Error() +
                                       "; the files are in place, but may not survive a crash");
    if (journaled) {
        if (stepFails(ReplaceStep::RemoveJournal, 0) || ::unlink(journalPath.c_str()) != 0)
            return Status::Ok(); // every file is in place; the next lock holder removes it
        if (durability == Durability::Flush)
            (void)SyncFolderOf(journalPath); // a journal that comes back names nothing to do
    }
    return Status::Ok();
}

FolderRecovery RecoverFolder(const std::string& folder, const std::vector<JournalTarget>& targets) {
    FolderRecovery recovery;
    const std::string journalPath = JoinPath(folder, JournalName);
    JournalPlan plan = ReadJournal(folder, targets);
    recovery.interrupted = plan.found;
    if (!plan.status) {
        recovery.status = plan.status;
        return recovery; // nothing is touched: the leftovers may be what the user needs
    }
    if (plan.found) {
        bool complete = true;
        std::set<std::string> folders;
        for (const PendingReplacement& file : plan.pending) {
            if (::rename(file.temp.c_str(), file.target.c_str()) != 0) {
                if (complete)
                    recovery.status = Status::Failure(
                        SystemError(file.target, errno) +
                        "; an earlier save into this folder could not be completed");
                complete = false;
                recovery.pending.push_back(file);
                continue;
            }
            folders.insert(FolderPart(file.target));
        }
        for (const std::string& dir : folders)
            if (Status synced = SyncFolderOf(JoinPath(dir, "x")); !synced && complete) {
                recovery.status = synced;
                complete = false; // the journal stays, so that the next load checks again
            }
        if (!complete)
            return recovery; // the journal stays, and with it the files it still names
        ::unlink(journalPath.c_str());
        (void)SyncFolderOf(journalPath); // a journal that comes back names nothing left to do
    }
    std::vector<std::string> paths;
    for (const JournalTarget& target : targets)
        paths.push_back(ResolveLinks(JoinPath(folder, target.name)));
    paths.push_back(journalPath);
    RemoveTemporaries(paths);
    return recovery;
}

FolderRecovery PendingReplacements(const std::string& folder,
                                   const std::vector<JournalTarget>& targets) {
    JournalPlan plan = ReadJournal(folder, targets);
    FolderRecovery recovery;
    recovery.status = plan.status;
    recovery.interrupted = plan.found;
    recovery.pending = std::move(plan.pending);
    return recovery;
}

} // namespace rk7
