#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

// One cell whose text differs between two rosters. Texts are the cells' Windows-1252 texts.
struct CellDifference {
    RowKind row;
    int index;              // the row's number within its kind, from 0
    std::string name;       // the row's name in the first roster, "position N", or empty
    std::string_view field; // as the field schema names it
    std::string now;        // the text in the first roster
    std::string other;      // the text in the second

    friend bool operator==(const CellDifference&, const CellDifference&) = default;
};

// Every cell whose text (up to its NUL, as the store files compare) differs between now and
// other: row kind by row kind, then row by row, then field by field in the order of Field.
std::vector<CellDifference> DiffRosters(const Roster& now, const Roster& other);

// "team", "driver", "spare", "position table" or "start value".
std::string_view RowKindName(RowKind row);

} // namespace rk7
