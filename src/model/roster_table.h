#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <string>
#include <vector>

namespace rk7 {

// A view as the program shows it, as text for a script, a terminal or the clipboard: its columns
// and one row per driver (View All, View Drivers) or per team (View Teams), every cell converted
// to UTF-8 and otherwise as the cell holds it. The views' empty filler column is left out.
struct RosterTable {
    std::vector<const ViewColumn*> columns;
    std::vector<std::vector<std::string>> rows;
};

RosterTable MakeRosterTable(const Roster& roster, View view);

// RFC 4180: the captions, then the rows; a field with a comma, a quote or a line end is quoted,
// and its quotes doubled; lines end in CR LF.
std::string TableAsCsv(const RosterTable& table);
// Tab-separated, as spreadsheets paste it: the captions, then the rows, lines ended by LF. A
// field with a tab or a line end, or one that starts with a quote, is quoted and its quotes
// doubled, so that a spreadsheet reads it back whole; any other field stands as it is.
std::string TableAsTsv(const RosterTable& table);
// An HTML table declared as UTF-8: the captions as <th>, the rows as <td>, every text escaped.
std::string TableAsHtml(const RosterTable& table);

} // namespace rk7
