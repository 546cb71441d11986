#pragma once

#include "model/roster.h"

#include <span>
#include <string_view>

namespace rk7 {

// The three table views of the roster.
enum class View { All, Teams, Drivers };

enum class Align { Left, Right };

// One column of a view, as the screen, the printout and the command-line tables show it.
struct ViewColumn {
    std::string_view field;   // the roster field it shows; empty for the filler
    std::string_view caption; // empty for the filler
    int left;                 // on the screen, in pixels from the table's left edge
    Align align;
    // The cell's text for a body row (a driver, or a team in View Teams); nullptr for the
    // filler, an empty column that runs on to the right edge.
    std::string_view (*text)(const Roster& roster, int row);

    bool Filler() const { return text == nullptr; }
};

struct ViewSchema {
    std::span<const ViewColumn> columns;
    int rows; // body rows: drivers, or teams in View Teams
};

ViewSchema SchemaOf(View view);

// The rows the roster's cells stand in: a team, a driver, a spare driver, a position of the
// four position tables, or the one row of start values.
enum class RowKind { Team, Driver, Spare, Position, Start };

// One field of a kind of row, named as the roster names it (and as ViewColumn::field does).
struct RosterField {
    std::string_view field;
    RowKind row;
    // The cell's text in row number row of its kind.
    std::string_view (*text)(const Roster& roster, int row);
    // Whether the cell holds the same text in a and b (bytes after the NUL do not count).
    bool (*sameText)(const Roster& a, const Roster& b, int row);
};

// Every cell of the roster once: kind by kind in the order of RowKind, each kind's fields in a
// fixed order.
std::span<const RosterField> RosterFields();
// How many rows a kind has: 14 teams, 28 drivers, 8 spares, 28 positions, 1 row of start values.
int RowCount(RowKind row);

} // namespace rk7
