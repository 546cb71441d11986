#pragma once

#include "model/cell.h"
#include "model/program_state.h" // StoreFile
#include "model/roster.h"

#include <span>
#include <string_view>

namespace rk7 {

// Every field of the roster, by the roster's own names. The team position tables count as their
// two halves, one cell per team each, as the forms and the Performance Files take them.
enum class Field : unsigned char {
    // One cell per team.
    TeamName,
    EngineName,
    TeamQualPower,
    TeamRacePower,
    TeamFailure,
    TeamQualPosD1,
    TeamQualPosD2,
    TeamRacePosD1,
    TeamRacePosD2,
    // One per driver.
    DriverName,
    CarNumber,
    DriverQualPos,
    DriverRacePos,
    DriverQualPower,
    DriverRacePower,
    DriverRange,
    // One per spare driver.
    SpareName,
    SpareRacePower,
    SpareQualPower,
    SpareRange,
    // One per position, entry p-1 for position p.
    DriverPowerByPos,
    TeamPowerByPos,
    RangeByPos,
    FailureByPos,
    // One cell each.
    DriverStartQual,
    DriverStartRace,
    TeamStartQual,
    TeamStartRace,
};
inline constexpr int FieldCount = static_cast<int>(Field::TeamStartRace) + 1;

enum class Align { Left, Right };

// A field of the roster: where its cells are, how wide, how the views head and align it, and
// what the JSON of the roster and the messages call it. The forms, the views, the command-line
// tables, the store files and the Performance File lines all reach the cells through it.
struct FieldSchema {
    Field field;
    std::string_view name;    // as the roster calls it: "TeamRacePower"
    int rows;                 // its cells: one per team, driver, spare or position, or one
    std::size_t width;        // of each cell, the NUL included: a form takes width - 1 characters
    std::string_view caption; // heading of its column in the views; empty if no view shows it
    Align align;              // of its text in the views
    std::string_view key;     // its member in a JSON record of its row: "racePower"
    std::string_view label;   // how messages name it: "team race power"; the GUI translates it
                              // in the context "rk7::FieldSchema"
    CellRef (*cell)(Roster& roster, int row);
    ConstCellRef (*constCell)(const Roster& roster, int row);

    // The cell of a row, 0 to rows - 1.
    CellRef At(Roster& roster, int row) const { return cell(roster, row); }
    ConstCellRef At(const Roster& roster, int row) const { return constCell(roster, row); }
};

// Every field, in the order of Field.
std::span<const FieldSchema> Fields();
const FieldSchema& SchemaOf(Field field);

// Calls f(cell) for every cell of the roster, field by field, row by row; a CellRef, or a
// ConstCellRef for a const roster.
template <typename R, typename F>
void ForEachCell(R& roster, F&& f) {
    for (const FieldSchema& field : Fields())
        for (int row = 0; row < field.rows; ++row) {
            auto cell = field.At(roster, row);
            f(cell);
        }
}

// The three table views of the roster.
enum class View { All, Teams, Drivers };

// One column of a view, as the screen, the printout and the command-line tables show it.
struct ViewColumn {
    const FieldSchema* field; // nullptr for the filler, an empty column to the right edge
    int left;                 // on the screen, in pixels from the table's left edge
    bool perTeam;             // a team field on the rows of both its drivers (View All)

    bool Filler() const { return field == nullptr; }
    std::string_view Caption() const { return field ? field->caption : std::string_view(); }
    Align Alignment() const { return field ? field->align : Align::Left; }
    // The cell's text for a body row: a driver, or a team in View Teams. Not for the filler.
    std::string_view Text(const Roster& roster, int row) const {
        return field->At(roster, perTeam ? TeamOfDriver(row) : row).Text();
    }
};

struct ViewSchema {
    std::span<const ViewColumn> columns;
    int rows; // body rows: drivers, or teams in View Teams
};

ViewSchema SchemaOf(View view);

// The rows the roster's cells stand in: a team, a driver, a spare driver, a position of the
// four position tables, or the one row of start values.
enum class RowKind { Team, Driver, Spare, Position, Start };
RowKind RowKindOf(Field field);

// A store file: the cells of its fields one after the other, field by field in the order of
// fields, row by row, each cell whole.
struct StoreLayout {
    std::span<const Field> fields;
    std::size_t size; // in bytes
};
StoreLayout LayoutOf(StoreFile file);
// The store file that holds a field.
StoreFile StoreOf(Field field);

} // namespace rk7
