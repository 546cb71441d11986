#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

// The table views of the program as text for a terminal or a script.
enum class OutputFormat { Text, Csv, Json };

// A view as the program shows it: its columns and one row per driver (View All, View Drivers)
// or per team (View Teams), every cell converted to UTF-8. The views' empty filler column is left
// out.
struct TextTable {
    std::vector<const ViewColumn*> columns;
    std::vector<std::vector<std::string>> rows;
};

TextTable MakeViewTable(const Roster& roster, View view);

// Aligned columns under their captions, two blanks apart; lines end in LF and carry no trailing
// blanks.
std::string TableAsText(const TextTable& table);
// RFC 4180: the captions, then the rows; a field with a comma, a quote or a line end is quoted,
// and its quotes doubled; lines end in CR LF.
std::string TableAsCsv(const TextTable& table);

// The whole roster as one JSON object: teams, drivers, spares, the four position tables and the
// start values, every value the cell's text in UTF-8.
std::string RosterAsJson(const Roster& roster);

} // namespace rk7
