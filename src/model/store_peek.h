#pragma once

#include "model/roster.h"
#include "model/store.h"

#include <string_view>

namespace rk7 {

// Reads the store files of programDir over the roster as LoadStore does, under the folder's
// lock, but leaves the folder exactly as it found it: a save cut short after its journal counts
// as done, and its files are read from where the journal keeps them, but it is neither completed
// nor cleared away. For commands that only look.
LoadStoreReport PeekStore(Roster& roster, std::string_view programDir);

} // namespace rk7
