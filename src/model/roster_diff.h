#pragma once

#include "model/cell_set.h"
#include "model/roster.h"
#include "model/roster_parts.h"
#include "model/roster_schema.h"

#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

// One cell whose text differs between two rosters. Texts are the cells' Windows-1252 texts.
struct CellDifference {
    RowKind row;
    int index;                  // the row's number within its kind, from 0
    std::string name;           // the row's name in the first roster, "position N", or empty
    Field field;                // the cell is SchemaOf(field).At(roster, index)
    std::string_view fieldName; // as the field schema names it
    std::string now;            // the text in the first roster
    std::string other;          // the text in the second

    friend bool operator==(const CellDifference&, const CellDifference&) = default;
};

// Every cell whose text (up to its NUL, as the store files compare) differs between now and
// other: row kind by row kind, then row by row, then field by field in the order of Field.
std::vector<CellDifference> DiffRosters(const Roster& now, const Roster& other);

// The cells DiffRosters lists, as a set: what an edit that turned a into b changed. Makes no
// texts, so that it can follow every edit.
CellSet ChangedCells(const Roster& a, const Roster& b);

// What accepting a form does to the roster as it stands now, when the form was opened on base and
// the user turned it into edited: the cells of the parts (RosterPart bits) that the user changed
// are taken into now, the rest of now stays as it is. A cell that the user changed and that now
// holds another text than base (someone else changed it meanwhile), other than the user's, is a
// conflict: keepMine decides which text it gets.
struct MergedEdit {
    Roster roster;
    // The conflicting cells: now is the text the roster holds now, other the user's.
    std::vector<CellDifference> conflicts;
};
MergedEdit MergeEdit(const Roster& base, const Roster& edited, const Roster& now,
                     RosterPartSet parts, bool keepMine);

// "team", "driver", "spare", "position table" or "start value".
std::string_view RowKindName(RowKind row);

// The difference's row as people read it: "team 3 (Benetton)", "position table 27 (position 28)",
// "start value"; the name as the cell holds it (Windows-1252), in parentheses when there is one.
std::string RowLabel(const CellDifference& difference);

} // namespace rk7
