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

} // namespace rk7
