#pragma once

#include "model/file_io.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/status.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rk7 {

inline constexpr std::array<StoreFile, 4> StoreFiles = {TeamsStore, DriversStore, PowersStore,
                                                        RanFailStore};

// "Teams.rk", "Drivers.rk", "EPowers.rk" or "RanFail.rk".
const char* StoreFileName(StoreFile file);
// 1260, 2844, 220 or 336.
std::size_t StoreFileSize(StoreFile file);
// The store file's path in dir.
std::string StorePath(std::string_view dir, StoreFile file);
// The program directory for a working directory: one trailing separator removed.
std::string ProgramDirFrom(std::string_view workingDir);

// The file's bytes: its roster blocks one after the other, whole cells.
std::string SerializeStore(const Roster& roster, StoreFile file);
// Fills the leading bytes of the file's blocks from bytes; a short input leaves the rest of the
// blocks as they are, a long one has its excess ignored.
void DeserializeStore(Roster& roster, StoreFile file, std::string_view bytes);

struct StoreLoad {
    bool found = false;        // the file existed and was read
    std::size_t bytesRead = 0; // less than StoreFileSize: only the leading bytes were taken
    std::string error;         // set when the file exists but could not be read
};

struct LoadStoreReport {
    std::array<StoreLoad, 4> files; // in the order of StoreFiles
};

// Sets ProgramDir from programDir (one trailing separator removed) and reads each store file
// that exists there over the roster. Missing files keep the roster as it was.
LoadStoreReport LoadStore(Roster& roster, ProgramState& state, std::string_view programDir);

// Writes the whole store file into ProgramDir; on success the file no longer counts as unsaved.
Status SaveStore(const Roster& roster, ProgramState& state, StoreFile file,
                 Durability durability = Durability::Flush);
Status SaveTeamsStore(const Roster& roster, ProgramState& state);
Status SaveDriversStore(const Roster& roster, ProgramState& state);
Status SavePowersStore(const Roster& roster, ProgramState& state);
Status SaveRanFailStore(const Roster& roster, ProgramState& state);

} // namespace rk7
