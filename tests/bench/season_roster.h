#pragma once

#include "model/roster.h"

namespace rk7 {

// The built-in roster with every cell the files and the views carry filled in, as a season's
// roster would be.
Roster SeasonRoster();

} // namespace rk7
