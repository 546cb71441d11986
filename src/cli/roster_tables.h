#pragma once

#include "model/roster.h"
#include "model/roster_table.h"

#include <string>

namespace rk7 {

// The table views of the program as text for a terminal or a script.
enum class OutputFormat { Text, Csv, Json };

// Aligned columns under their captions, two blanks apart; lines end in LF and carry no trailing
// blanks. (CSV comes from the core's TableAsCsv.)
std::string TableAsText(const RosterTable& table);

// The whole roster as one JSON object: teams, drivers, spares, the four position tables and the
// start values, every value the cell's text in UTF-8.
std::string RosterAsJson(const Roster& roster);

} // namespace rk7
