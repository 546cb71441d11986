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

// The pairs of a journal, each checked: the target is one of targets (a file a save of this
// folder may replace) and the temporary file is the target's. Nothing at all when any part is
// wrong: such a journal is not ours to act on.
std::vector<std::pair<std::string, std::string>>
ParseJournal(std::string_view journal, const std::vector<std::string>& targets) {
    std::vector<std::string_view> fields;
    while (!journal.empty()) {
        const auto nul = journal.find('\0');
        if (nul == std::string_view::npos)
            return {};
        fields.push_back(journal.substr(0, nul));
        journal.remove_prefix(nul + 1);
    }
    if (fields.size() < 2 || fields.front() != JournalHeader || fields.back() != JournalEnd ||
        fields.size() % 2 != 0)
        return {};
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 1; i + 1 < fields.size(); i += 2) {
        const std::string target(fields[i]);
        const std::string temp(fields[i + 1]);
        if (std::find(targets.begin(), targets.end(), target) == targets.end() ||
            FolderPart(temp) != FolderPart(target) ||
            !IsTemporaryOf(NamePart(temp), NamePart(target)))
            return {};
        pairs.emplace_back(target, temp);
    }
    return pairs;
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

Status FolderLock::Acquire(const std::string& folder, FolderLock& lock,
                           std::chrono::milliseconds wait, const std::string& nameInErrors) {
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
        Status written = StageFile(journalPath, FormatJournal(staged), durability, journal);
        if (written)
            written = CommitStagedFile(journal);
        if (!written) {
            DiscardStagedFile(journal);
            discardAll();
            return written;
        }
        if (durability == Durability::Flush)
            SyncFolderOf(journalPath);
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
            SyncFolderOf(JoinPath(dir, "x"));
    if (journaled) {
        if (stepFails(ReplaceStep::RemoveJournal, 0) || ::unlink(journalPath.c_str()) != 0)
            return Status::Ok(); // every file is in place; the next lock holder removes it
        if (durability == Durability::Flush)
            SyncFolderOf(journalPath);
    }
    return Status::Ok();
}

FolderRecovery RecoverFolder(const std::string& folder, const std::vector<std::string>& names) {
    FolderRecovery recovery;
    std::vector<std::string> targets;
    for (const std::string& name : names)
        targets.push_back(ResolveLinks(JoinPath(folder, name)));
    const std::string journalPath = JoinPath(folder, JournalName);
    if (const Result<FileContents> journal = ReadFile(journalPath, 1 << 20)) {
        const auto pairs = ParseJournal(journal->data, targets);
        bool complete = true;
        for (const auto& [target, temp] : pairs) {
            if (::access(temp.c_str(), F_OK) != 0)
                continue; // renamed before the save was cut short
            if (::rename(temp.c_str(), target.c_str()) != 0) {
                if (complete)
                    recovery.status = Status::Failure(
                        SystemError(target, errno) +
                        "; an earlier save into this folder could not be completed");
                complete = false;
                recovery.pending.emplace_back(target, temp);
                continue;
            }
            SyncFolderOf(target);
        }
        if (!complete)
            return recovery; // the journal stays, and with it the files it still names
        ::unlink(journalPath.c_str());
        SyncFolderOf(journalPath);
    }
    targets.push_back(journalPath);
    RemoveTemporaries(targets);
    return recovery;
}

std::vector<std::pair<std::string, std::string>>
PendingReplacements(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<std::string> targets;
    for (const std::string& name : names)
        targets.push_back(ResolveLinks(JoinPath(folder, name)));
    const Result<FileContents> journal = ReadFile(JoinPath(folder, JournalName), 1 << 20);
    if (!journal)
        return {};
    auto pairs = ParseJournal(journal->data, targets);
    std::erase_if(pairs, [](const auto& pair) { return ::access(pair.second.c_str(), F_OK) != 0; });
    return pairs;
}

} // namespace rk7
