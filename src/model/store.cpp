#include "model/store.h"

#include "model/folder_transaction.h"
#include "model/roster_schema.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace rk7 {

namespace {

// Calls f with each cell of the file, in file order: a CellRef, or a ConstCellRef for a const
// roster.
template <typename R, typename F>
void ForEachStoreCell(R& roster, StoreFile file, F&& f) {
    for (Field field : LayoutOf(file).fields) {
        const FieldSchema& schema = SchemaOf(field);
        for (int row = 0; row < schema.rows; ++row)
            f(schema.At(roster, row));
    }
}

std::size_t IndexOf(StoreFile file) {
    for (std::size_t i = 0; i < StoreFiles.size(); ++i)
        if (StoreFiles[i] == file)
            return i;
    return 0;
}

} // namespace

std::vector<JournalTarget> StoreJournalTargets() {
    std::vector<JournalTarget> targets;
    for (StoreFile file : StoreFiles)
        targets.push_back({StoreFileName(file), StoreFileSize(file)});
    return targets;
}

const char* StoreFileName(StoreFile file) {
    switch (file) {
    case TeamsStore:
        return "Teams.rk";
    case DriversStore:
        return "Drivers.rk";
    case PowersStore:
        return "EPowers.rk";
    case RanFailStore:
        return "RanFail.rk";
    default:
        return "";
    }
}

std::size_t StoreFileSize(StoreFile file) {
    return LayoutOf(file).size;
}

std::string StorePath(std::string_view dir, StoreFile file) {
    std::string path(dir);
    path += '/';
    path += StoreFileName(file);
    return path;
}

std::string RosterFolderFrom(std::string_view path) {
    if (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    return std::string(path);
}

std::string SerializeStore(const Roster& roster, StoreFile file) {
    std::string bytes;
    bytes.reserve(StoreFileSize(file));
    ForEachStoreCell(roster, file,
                     [&](ConstCellRef cell) { bytes.append(cell.bytes.data(), cell.Width()); });
    return bytes;
}

void DeserializeStore(Roster& roster, StoreFile file, std::string_view bytes) {
    ForEachStoreCell(roster, file, [&](CellRef cell) {
        const std::size_t n = std::min(cell.Width(), bytes.size());
        if (n > 0)
            std::memcpy(cell.bytes.data(), bytes.data(), n);
        bytes.remove_prefix(n);
    });
}

bool SameStoreTexts(const Roster& a, const Roster& b, StoreFile file) {
    for (Field field : LayoutOf(file).fields) {
        const FieldSchema& schema = SchemaOf(field);
        for (int row = 0; row < schema.rows; ++row)
            if (schema.At(a, row).Text() != schema.At(b, row).Text())
                return false;
    }
    return true;
}

namespace {

// Reads each store file of dir that exists over the roster; a file that a journal still holds
// (pending) is read from there, since the save that wrote it counts as done.
void ReadStoreFiles(Roster& roster, const std::string& dir,
                    const std::vector<PendingReplacement>& pending, LoadStoreReport& report) {
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreFile file = StoreFiles[i];
        std::string path = StorePath(dir, file);
        for (const PendingReplacement& waiting : pending)
            if (ResolveLinks(path) == waiting.target) {
                path = waiting.temp;
                report.cutShort |= file;
            }
        // Only a regular file: a FIFO would hold the folder's lock for as long as its writer
        // idles.
        const Result<FileContents> read = ReadFile(path, StoreFileSize(file), FileKind::Regular);
        StoreLoad& load = report.files[i];
        if (read) {
            DeserializeStore(roster, file, read->data);
            load.found = true;
            load.bytesRead = read->data.size();
            load.fileSize = std::max(read->fileSize, read->data.size());
        } else if (!read.AsStatus().IsNotFound()) {
            load.status = read.AsStatus();
        }
    }
}

// Locks the folder and deals with what a save cut short left there: recover completes it,
// otherwise it is only looked at. A folder that does not exist holds no store file and needs no
// lock.
FolderRecovery LockAndRecover(const RosterFolder& folder, FolderLock& lock, bool recover,
                              LoadStoreReport& report,
                              std::chrono::milliseconds wait = DefaultFolderWait) {
    FolderRecovery recovery;
    if (Status locked = FolderLock::Acquire(folder.path, lock, wait); !locked) {
        if (::access(folder.path.c_str(), F_OK) == 0)
            report.folder = locked;
        return recovery;
    }
    recovery = recover ? RecoverFolder(folder.path, StoreJournalTargets())
                       : PendingReplacements(folder.path, StoreJournalTargets());
    report.folder = recovery.status;
    return recovery;
}

} // namespace

LoadStoreReport LoadStore(Roster& roster, ProgramState& state, std::string_view dir) {
    return LoadStore(roster, state, ResolveRosterFolder(dir));
}

LoadStoreReport LoadStore(Roster& roster, ProgramState& state, const RosterFolder& folder) {
    state.folder = folder;
    LoadStoreReport report;
    FolderLock lock;
    const FolderRecovery recovery = LockAndRecover(state.folder, lock, true, report);
    ReadStoreFiles(roster, state.folder.path, recovery.pending, report);
    for (std::size_t i = 0; i < StoreFiles.size(); ++i)
        state.storedBytes[i] = SerializeStore(roster, StoreFiles[i]);
    return report;
}

LoadStoreReport PeekStore(Roster& roster, std::string_view dir, std::chrono::milliseconds wait) {
    const RosterFolder folder = ResolveRosterFolder(dir);
    LoadStoreReport report;
    FolderLock lock;
    const FolderRecovery recovery = LockAndRecover(folder, lock, false, report, wait);
    ReadStoreFiles(roster, folder.path, recovery.pending, report);
    return report;
}

std::vector<std::string> StoreSizeWarnings(std::string_view dir, const LoadStoreReport& report) {
    std::vector<std::string> warnings;
    if (report.cutShort) {
        std::string names;
        int count = 0;
        for (StoreFile file : StoreFiles)
            if (report.cutShort & file)
                names += (count++ ? ", " : "") + std::string(StoreFileName(file));
        warnings.push_back(std::string(dir) + ": a save into this folder was cut short; " + names +
                           (count == 1 ? " was" : " were") +
                           " read as saved, and the next save into the folder puts " +
                           (count == 1 ? "it" : "them") + " in place");
    }
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreLoad& load = report.files[i];
        const std::size_t expected = StoreFileSize(StoreFiles[i]);
        if (!load.found || load.fileSize == expected)
            continue;
        std::string text = StorePath(dir, StoreFiles[i]) + " is " + std::to_string(load.fileSize) +
                           " bytes long, not " + std::to_string(expected);
        if (load.fileSize > expected)
            text += "; the bytes after the first " + std::to_string(expected) + " were ignored";
        else if (load.fileSize == 0)
            text += "; nothing was read from it";
        else
            text += "; only its first " + std::to_string(load.fileSize) + " bytes were read";
        warnings.push_back(std::move(text));
    }
    return warnings;
}

RosterLook DescribeLoad(std::string_view dir, const LoadStoreReport& report) {
    RosterLook look;
    if (!report.folder)
        look.errors.push_back(report.folder.Error());
    look.warnings = StoreSizeWarnings(RosterFolderFrom(dir), report);
    for (const StoreLoad& load : report.files)
        if (!load.status)
            look.errors.push_back(load.status.Error());
    return look;
}

Status SaveStores(const Roster& roster, ProgramState& state, StoreFileSet files,
                  Durability durability) {
    const std::string& dir = state.folder.path;
    std::vector<FileReplacement> replacements;
    for (StoreFile file : StoreFiles)
        if (files & file)
            replacements.push_back({StorePath(dir, file), SerializeStore(roster, file)});
    if (replacements.empty())
        return Status::Ok();

    // Errors about the folder name the first file, as a failed write of it would.
    FolderLock lock;
    if (Status locked =
            FolderLock::Acquire(dir, lock, DefaultFolderWait, replacements.front().path);
        !locked)
        return locked;
    if (Status same = CheckRosterFolder(state.folder); !same)
        return same;
    if (FolderRecovery recovery = RecoverFolder(dir, StoreJournalTargets()); !recovery.status)
        return recovery.status;
    if (Status replaced = ReplaceFilesTogether(dir, replacements, durability); !replaced)
        return replaced;
    for (StoreFile file : StoreFiles) {
        if (!(files & file))
            continue;
        state.unsavedStores = state.unsavedStores.without(file);
        state.storedBytes[IndexOf(file)] = SerializeStore(roster, file);
    }
    return Status::Ok();
}

Status SaveStore(const Roster& roster, ProgramState& state, StoreFile file, Durability durability) {
    return SaveStores(roster, state, file, durability);
}

StoreFileSet UnsavedStoreFiles(const Roster& roster, const ProgramState& state) {
    StoreFileSet unsaved;
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreFile file = StoreFiles[i];
        if (!(state.unsavedStores & file))
            continue;
        if (state.storedBytes[i].empty()) {
            unsaved |= file; // nothing was loaded to compare with
            continue;
        }
        Roster stored;
        DeserializeStore(stored, file, state.storedBytes[i]);
        if (!SameStoreTexts(roster, stored, file))
            unsaved |= file;
    }
    return unsaved;
}

Status SaveTeamsStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, TeamsStore);
}
Status SaveDriversStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, DriversStore);
}
Status SavePowersStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, PowersStore);
}
Status SaveRanFailStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, RanFailStore);
}

} // namespace rk7
