#include "model/store.h"

#include "model/folder_transaction.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace rk7 {

namespace {

// Calls f with a pointer to each roster block of the file, in file order: a column of cells, or
// a single cell.
template <typename F>
void ForEachBlock(StoreFile file, F&& f) {
    switch (file) {
    case TeamsStore:
        // Race positions come before qualifying positions here.
        f(&Roster::TeamName), f(&Roster::EngineName), f(&Roster::TeamQualPower);
        f(&Roster::TeamRacePower), f(&Roster::TeamRacePos), f(&Roster::TeamQualPos);
        f(&Roster::TeamFailure);
        break;
    case DriversStore:
        // Race power before qualifying power; the spare drivers live here too.
        f(&Roster::DriverName), f(&Roster::DriverQualPos), f(&Roster::DriverRacePos);
        f(&Roster::DriverRacePower), f(&Roster::DriverQualPower), f(&Roster::DriverRange);
        f(&Roster::CarNumber), f(&Roster::SpareName), f(&Roster::SpareRacePower);
        f(&Roster::SpareQualPower), f(&Roster::SpareRange);
        break;
    case PowersStore:
        f(&Roster::DriverPowerByPos), f(&Roster::TeamPowerByPos), f(&Roster::DriverStartQual);
        f(&Roster::DriverStartRace), f(&Roster::TeamStartQual), f(&Roster::TeamStartRace);
        break;
    case RanFailStore:
        // Failure first, whatever the file's name says.
        f(&Roster::FailureByPos), f(&Roster::RangeByPos);
        break;
    default:
        break;
    }
}

template <std::size_t W>
bool SameTexts(const Cell<W>& a, const Cell<W>& b) {
    return a.Text() == b.Text();
}

template <std::size_t W, std::size_t N>
bool SameTexts(const std::array<Cell<W>, N>& a, const std::array<Cell<W>, N>& b) {
    for (std::size_t i = 0; i < N; ++i)
        if (a[i].Text() != b[i].Text())
            return false;
    return true;
}

std::size_t IndexOf(StoreFile file) {
    for (std::size_t i = 0; i < StoreFiles.size(); ++i)
        if (StoreFiles[i] == file)
            return i;
    return 0;
}

std::vector<std::string> StoreFileNames() {
    std::vector<std::string> names;
    for (StoreFile file : StoreFiles)
        names.emplace_back(StoreFileName(file));
    return names;
}

} // namespace

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
    switch (file) {
    case TeamsStore:
        return 1260;
    case DriversStore:
        return 2844;
    case PowersStore:
        return 220;
    case RanFailStore:
        return 336;
    default:
        return 0;
    }
}

std::string StorePath(std::string_view dir, StoreFile file) {
    std::string path(dir);
    path += '/';
    path += StoreFileName(file);
    return path;
}

std::string ProgramDirFrom(std::string_view workingDir) {
    if (!workingDir.empty() && workingDir.back() == '/')
        workingDir.remove_suffix(1);
    return std::string(workingDir);
}

std::string SerializeStore(const Roster& roster, StoreFile file) {
    std::string bytes;
    bytes.reserve(StoreFileSize(file));
    ForEachBlock(file, [&](auto member) {
        const auto& block = roster.*member;
        bytes.append(reinterpret_cast<const char*>(&block), sizeof block);
    });
    return bytes;
}

void DeserializeStore(Roster& roster, StoreFile file, std::string_view bytes) {
    ForEachBlock(file, [&](auto member) {
        auto& block = roster.*member;
        const std::size_t n = std::min(sizeof block, bytes.size());
        if (n > 0)
            std::memcpy(&block, bytes.data(), n);
        bytes.remove_prefix(n);
    });
}

bool SameStoreTexts(const Roster& a, const Roster& b, StoreFile file) {
    bool same = true;
    ForEachBlock(file, [&](auto member) { same = same && SameTexts(a.*member, b.*member); });
    return same;
}

namespace {

// Reads each store file of dir that exists over the roster; a file that a journal still holds
// (pending: target and temporary file) is read from there, since the save that wrote it counts
// as done.
void ReadStoreFiles(Roster& roster, const std::string& dir,
                    const std::vector<std::pair<std::string, std::string>>& pending,
                    LoadStoreReport& report) {
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreFile file = StoreFiles[i];
        std::string path = StorePath(dir, file);
        for (const auto& [target, temp] : pending)
            if (ResolveLinks(path) == target)
                path = temp;
        const Result<FileContents> read = ReadFile(path, StoreFileSize(file));
        StoreLoad& load = report.files[i];
        if (read) {
            DeserializeStore(roster, file, read->data);
            load.found = true;
            load.bytesRead = read->data.size();
            load.fileSize = std::max(read->fileSize, read->data.size());
        } else if (!read.status().notFound()) {
            load.status = read.status();
        }
    }
}

} // namespace

LoadStoreReport LoadStore(Roster& roster, ProgramState& state, std::string_view programDir) {
    state.ProgramDir = ProgramDirFrom(programDir);
    LoadStoreReport report;

    // A save cut short is completed (or its leftovers removed) before anything is read. A folder
    // that does not exist holds no store file and needs no lock.
    FolderLock lock;
    FolderRecovery recovery;
    if (Status locked = FolderLock::Acquire(state.ProgramDir, lock); locked)
        recovery = RecoverFolder(state.ProgramDir, StoreFileNames());
    else if (::access(state.ProgramDir.c_str(), F_OK) == 0)
        report.folder = locked;
    if (!recovery.status)
        report.folder = recovery.status;

    ReadStoreFiles(roster, state.ProgramDir, recovery.pending, report);
    for (std::size_t i = 0; i < StoreFiles.size(); ++i)
        state.StoredBytes[i] = SerializeStore(roster, StoreFiles[i]);
    return report;
}

LoadStoreReport PeekStore(Roster& roster, std::string_view programDir) {
    const std::string dir = ProgramDirFrom(programDir);
    LoadStoreReport report;
    FolderLock lock;
    std::vector<std::pair<std::string, std::string>> pending;
    if (Status locked = FolderLock::Acquire(dir, lock); locked)
        pending = PendingReplacements(dir, StoreFileNames());
    else if (::access(dir.c_str(), F_OK) == 0)
        report.folder = locked;
    ReadStoreFiles(roster, dir, pending, report);
    return report;
}

std::vector<std::string> StoreSizeWarnings(std::string_view programDir,
                                           const LoadStoreReport& report) {
    std::vector<std::string> warnings;
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreLoad& load = report.files[i];
        const std::size_t expected = StoreFileSize(StoreFiles[i]);
        if (!load.found || load.fileSize == expected)
            continue;
        std::string text = StorePath(programDir, StoreFiles[i]) + " is " +
                           std::to_string(load.fileSize) + " bytes long, not " +
                           std::to_string(expected);
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

Status SaveStores(const Roster& roster, ProgramState& state, unsigned files,
                  Durability durability) {
    std::vector<FileReplacement> replacements;
    for (StoreFile file : StoreFiles)
        if (files & file)
            replacements.push_back(
                {StorePath(state.ProgramDir, file), SerializeStore(roster, file)});
    if (replacements.empty())
        return Status::Ok();

    // Errors about the folder name the first file, as a failed write of it would.
    FolderLock lock;
    if (Status locked = FolderLock::Acquire(state.ProgramDir, lock, DefaultFolderWait,
                                            replacements.front().path);
        !locked)
        return locked;
    if (FolderRecovery recovery = RecoverFolder(state.ProgramDir, StoreFileNames());
        !recovery.status)
        return recovery.status;
    if (Status replaced = ReplaceFilesTogether(state.ProgramDir, replacements, durability);
        !replaced)
        return replaced;
    for (StoreFile file : StoreFiles) {
        if (!(files & file))
            continue;
        state.UnsavedStores &= ~static_cast<unsigned>(file);
        state.StoredBytes[IndexOf(file)] = SerializeStore(roster, file);
    }
    return Status::Ok();
}

Status SaveStore(const Roster& roster, ProgramState& state, StoreFile file, Durability durability) {
    return SaveStores(roster, state, file, durability);
}

unsigned UnsavedStoreFiles(const Roster& roster, const ProgramState& state) {
    unsigned unsaved = 0;
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreFile file = StoreFiles[i];
        if (!(state.UnsavedStores & file))
            continue;
        if (state.StoredBytes[i].empty()) {
            unsaved |= file; // nothing was loaded to compare with
            continue;
        }
        Roster stored;
        DeserializeStore(stored, file, state.StoredBytes[i]);
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
