#pragma once

#include "model/roster_diff.h"

#include <string>
#include <vector>

namespace rk7 {

// One line per difference, then a line with their count:
//   team 3 (Benetton) TeamRacePower: "41" -> "55"
//   1 cell differs
// Texts are UTF-8 between quotes, with \ and " escaped by a backslash and control characters
// written as \xNN (C1 ones as \u00NN), so that every difference stays on its line. A row
// without a name has no parentheses; the start values, a kind of one row, no number.
std::string DifferencesAsText(const std::vector<CellDifference>& differences);

// A JSON array with one object per difference: row (the kind), index, name, field, now, file;
// texts in UTF-8.
std::string DifferencesAsJson(const std::vector<CellDifference>& differences);

} // namespace rk7
