#pragma once

#include "model/flags.h"
#include "model/roster_folder.h"

#include <array>
#include <string>

namespace rk7 {

// The store files, each a bit of a StoreFileSet.
namespace bits {
enum class StoreFile : unsigned {
    TeamsStore = 1u << 0,
    DriversStore = 1u << 1,
    PowersStore = 1u << 2,
    RanFailStore = 1u << 3,
    AllStores = TeamsStore | DriversStore | PowersStore | RanFailStore,
};
} // namespace bits
using bits::StoreFile;
using enum StoreFile;
using StoreFileSet = Flags<StoreFile>;

// The program-wide values that live beside the roster.
struct ProgramState {
    RosterFolder folder;   // where the store files live, resolved once when the roster is loaded
    bool autoMode = false; // Auto Edit Mode: editors derive powers from positions
    // Store files whose roster blocks may have changed in memory since they were last written
    // (an imported Performance File, spares accepted on their own, driver powers recalculated).
    StoreFileSet unsavedStores;
    // What each store file holds (in the order Teams, Drivers, EPowers, RanFail), as last loaded
    // or saved: the roster's bytes for that file then. Empty before the first load.
    std::array<std::string, 4> storedBytes;
};

} // namespace rk7
