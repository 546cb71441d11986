#pragma once

#include "model/file_io.h"
#include "model/folder_transaction.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/status.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

inline constexpr std::array<StoreFile, 4> StoreFiles = {TeamsStore, DriversStore, PowersStore,
                                                        RanFailStore};

// "Teams.rk", "Drivers.rk", "EPowers.rk" or "RanFail.rk".
const char* StoreFileName(StoreFile file);
// 1260, 2844, 220 or 336: the cells of its layout (LayoutOf).
std::size_t StoreFileSize(StoreFile file);
// The store file's path in dir.
std::string StorePath(std::string_view dir, StoreFile file);
// The roster folder as a path names it, one trailing separator removed.
std::string RosterFolderFrom(std::string_view path);

// The file's bytes: its roster blocks one after the other, whole cells.
std::string SerializeStore(const Roster& roster, StoreFile file);
// Fills the leading bytes of the file's blocks from bytes; a short input leaves the rest of the
// blocks as they are, a long one has its excess ignored.
void DeserializeStore(Roster& roster, StoreFile file, std::string_view bytes);

// Whether the cells of the file's blocks hold the same texts in a and b (bytes after a cell's NUL
// do not count).
bool SameStoreTexts(const Roster& a, const Roster& b, StoreFile file);

struct StoreLoad {
    bool found = false;           // the file existed and was read
    std::size_t bytesRead = 0;    // less than StoreFileSize: only the leading bytes were taken
    std::size_t fileSize = 0;     // the file's whole size, when found
    Status status = Status::Ok(); // fails when the file exists but could not be read
};

struct LoadStoreReport {
    std::array<StoreLoad, 4> files; // in the order of StoreFiles
    // The folder could not be locked, or a save cut short there could not be completed or was
    // not one this program can complete.
    Status folder = Status::Ok();
    // The store files that PeekStore read from a save that was cut short, as
    // saved, leaving them for the next save.
    StoreFileSet cutShort;
};

// Resolves the roster folder that dir names into state.folder and reads each store file that
// exists there over the roster. Missing files keep the roster as it was. First, under the
// folder's lock, completes a save that was cut short and removes its leftovers. What was read
// becomes the state's record of what the store files hold. A store file that is not a regular
// file (or a link to one) is refused, not read.
LoadStoreReport LoadStore(Roster& roster, ProgramState& state, std::string_view dir);
// The same for a folder resolved already.
LoadStoreReport LoadStore(Roster& roster, ProgramState& state, const RosterFolder& folder);

// Reads the store files of the roster folder dir over the roster as LoadStore does, under the
// folder's lock, but leaves the folder exactly as it found it: a save cut short after its journal
// counts as done, and its files are read from where the journal keeps them, but it is neither
// completed nor cleared away. For commands that only look.
LoadStoreReport PeekStore(Roster& roster, std::string_view dir,
                          std::chrono::milliseconds wait = DefaultFolderWait);

// One line for each store file whose size is not its layout's (it was read as far as it goes):
// the file, its size and the size it should have. And for a peek that read a save cut short as
// done, a line that says so.
std::vector<std::string> StoreSizeWarnings(std::string_view dir, const LoadStoreReport& report);

// What a program that only looks at a roster folder says of it: the warnings (store files of
// the wrong size, a save cut short that was read as done) and the errors (the folder could not
// be locked or held a journal this program does not know, a store file could not be read), one
// line each. Unlike the window, a command-line program must not go on with the built-in values
// of a store file it could not read.
struct RosterLook {
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
};
RosterLook DescribeLoad(std::string_view dir, const LoadStoreReport& report);

// The files a journal of a roster folder may replace: the four store files.
std::vector<JournalTarget> StoreJournalTargets();

// Writes the store files of the set files into the state's folder, all of them or none, under
// the folder's lock; on success they no longer count as unsaved. A folder that is no longer the
// one the roster was read from is refused.
Status SaveStores(const Roster& roster, ProgramState& state, StoreFileSet files,
                  Durability durability = Durability::Flush);
Status SaveStore(const Roster& roster, ProgramState& state, StoreFile file,
                 Durability durability = Durability::Flush);
Status SaveTeamsStore(const Roster& roster, ProgramState& state);
Status SaveDriversStore(const Roster& roster, ProgramState& state);
Status SavePowersStore(const Roster& roster, ProgramState& state);
Status SaveRanFailStore(const Roster& roster, ProgramState& state);

// The store files marked unsaved whose cells really differ from what the files hold, as last
// loaded or saved.
StoreFileSet UnsavedStoreFiles(const Roster& roster, const ProgramState& state);

} // namespace rk7
