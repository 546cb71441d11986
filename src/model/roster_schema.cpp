#include "model/roster_schema.h"

#include <iterator>
#include <type_traits>
#include <utility>

namespace rk7 {

namespace {

// The cell of a row of a column member, first cells skipped; for both a roster and a const one.
template <auto Column, int First = 0>
struct InColumn {
    static CellRef Cell(Roster& r, int row) { return (r.*Column)[First + row]; }
    static ConstCellRef ConstCell(const Roster& r, int row) { return (r.*Column)[First + row]; }
};

// A single cell: a start value.
template <auto Member>
struct Single {
    static CellRef Cell(Roster& r, int) { return r.*Member; }
    static ConstCellRef ConstCell(const Roster& r, int) { return r.*Member; }
};

template <typename Access, typename CellType>
constexpr FieldSchema Describe(Field field, std::string_view name, int rows,
                               std::string_view caption = {}, Align align = Align::Left) {
    return {field, name, rows, CellType::Width, caption, align, &Access::Cell, &Access::ConstCell};
}

template <auto Column, int First = 0>
constexpr FieldSchema ColumnField(Field field, std::string_view name, int rows,
                                  std::string_view caption = {}, Align align = Align::Left) {
    using CellType =
        typename std::remove_reference_t<decltype(std::declval<Roster&>().*Column)>::value_type;
    return Describe<InColumn<Column, First>, CellType>(field, name, rows, caption, align);
}

template <auto Member>
constexpr FieldSchema SingleField(Field field, std::string_view name) {
    using CellType = std::remove_reference_t<decltype(std::declval<Roster&>().*Member)>;
    return Describe<Single<Member>, CellType>(field, name, 1);
}

using R = Roster;
using F = Field;
constexpr Align L = Align::Left;
constexpr Align Rt = Align::Right;

// Every field, in the order of Field; the fields the views show carry their caption and alignment.
constexpr FieldSchema FieldTable[] = {
    ColumnField<&R::TeamName>(F::TeamName, "TeamName", TeamCount, "Team Names", L),
    ColumnField<&R::EngineName>(F::EngineName, "EngineName", TeamCount, "Engine", L),
    ColumnField<&R::TeamQualPower>(F::TeamQualPower, "TeamQualPower", TeamCount, "T Q Power", Rt),
    ColumnField<&R::TeamRacePower>(F::TeamRacePower, "TeamRacePower", TeamCount, "T R Power", Rt),
    ColumnField<&R::TeamFailure>(F::TeamFailure, "TeamFailure", TeamCount, "Failure", Rt),
    ColumnField<&R::TeamQualPos>(F::TeamQualPosD1, "TeamQualPosD1", TeamCount),
    ColumnField<&R::TeamQualPos, TeamCount>(F::TeamQualPosD2, "TeamQualPosD2", TeamCount),
    ColumnField<&R::TeamRacePos>(F::TeamRacePosD1, "TeamRacePosD1", TeamCount),
    ColumnField<&R::TeamRacePos, TeamCount>(F::TeamRacePosD2, "TeamRacePosD2", TeamCount),

    ColumnField<&R::DriverName>(F::DriverName, "DriverName", DriverCount, "Driver Names", L),
    ColumnField<&R::CarNumber>(F::CarNumber, "CarNumber", DriverCount, "#", L),
    ColumnField<&R::DriverQualPos>(F::DriverQualPos, "DriverQualPos", DriverCount),
    ColumnField<&R::DriverRacePos>(F::DriverRacePos, "DriverRacePos", DriverCount),
    ColumnField<&R::DriverQualPower>(F::DriverQualPower, "DriverQualPower", DriverCount,
                                     "D Q Power", Rt),
    ColumnField<&R::DriverRacePower>(F::DriverRacePower, "DriverRacePower", DriverCount,
                                     "D R Power", Rt),
    ColumnField<&R::DriverRange>(F::DriverRange, "DriverRange", DriverCount, "Range", Rt),

    ColumnField<&R::SpareName>(F::SpareName, "SpareName", SpareCount),
    ColumnField<&R::SpareRacePower>(F::SpareRacePower, "SpareRacePower", SpareCount),
    ColumnField<&R::SpareQualPower>(F::SpareQualPower, "SpareQualPower", SpareCount),
    ColumnField<&R::SpareRange>(F::SpareRange, "SpareRange", SpareCount),

    ColumnField<&R::DriverPowerByPos>(F::DriverPowerByPos, "DriverPowerByPos", PositionCount),
    ColumnField<&R::TeamPowerByPos>(F::TeamPowerByPos, "TeamPowerByPos", PositionCount),
    ColumnField<&R::RangeByPos>(F::RangeByPos, "RangeByPos", PositionCount),
    ColumnField<&R::FailureByPos>(F::FailureByPos, "FailureByPos", PositionCount),

    SingleField<&R::DriverStartQual>(F::DriverStartQual, "DriverStartQual"),
    SingleField<&R::DriverStartRace>(F::DriverStartRace, "DriverStartRace"),
    SingleField<&R::TeamStartQual>(F::TeamStartQual, "TeamStartQual"),
    SingleField<&R::TeamStartRace>(F::TeamStartRace, "TeamStartRace"),
};

static_assert(std::size(FieldTable) == FieldCount);
static_assert(
    [] {
        for (int i = 0; i < FieldCount; ++i)
            if (FieldTable[i].field != static_cast<Field>(i))
                return false;
        return true;
    }(),
    "FieldTable is in the order of Field, so that SchemaOf can index it");

constexpr const FieldSchema* Of(Field field) {
    return &FieldTable[static_cast<int>(field)];
}

// A column of a view: a field's cells, row by row.
constexpr ViewColumn Shows(Field field, int left) {
    return {Of(field), left, false};
}
// In View All: a team field, shown on the rows of both its drivers.
constexpr ViewColumn ShowsTeam(Field field, int left) {
    return {Of(field), left, true};
}

constexpr ViewColumn AllColumns[] = {
    Shows(F::CarNumber, 0),           Shows(F::DriverName, 24),
    ShowsTeam(F::TeamName, 174),      ShowsTeam(F::EngineName, 274),
    ShowsTeam(F::TeamQualPower, 360), ShowsTeam(F::TeamRacePower, 442),
    Shows(F::DriverQualPower, 524),   Shows(F::DriverRacePower, 606),
    ShowsTeam(F::TeamFailure, 684),   Shows(F::DriverRange, 749),
};

constexpr ViewColumn TeamColumns[] = {
    Shows(F::TeamName, 0),        Shows(F::EngineName, 100),  Shows(F::TeamQualPower, 186),
    Shows(F::TeamRacePower, 268), Shows(F::TeamFailure, 350), {nullptr, 432, false},
};

constexpr ViewColumn DriverColumns[] = {
    Shows(F::CarNumber, 0),         Shows(F::DriverName, 24),   Shows(F::DriverQualPower, 174),
    Shows(F::DriverRacePower, 256), Shows(F::DriverRange, 338), {nullptr, 420, false},
};

} // namespace

std::span<const FieldSchema> Fields() {
    return FieldTable;
}

const FieldSchema& SchemaOf(Field field) {
    return FieldTable[static_cast<int>(field)];
}

ViewSchema SchemaOf(View view) {
    switch (view) {
    case View::Teams:
        return {TeamColumns, TeamCount};
    case View::Drivers:
        return {DriverColumns, DriverCount};
    case View::All:
    default:
        return {AllColumns, DriverCount};
    }
}

RowKind RowKindOf(Field field) {
    // The fields of a kind of row stand together in Field.
    if (field < Field::DriverName)
        return RowKind::Team;
    if (field < Field::SpareName)
        return RowKind::Driver;
    if (field < Field::DriverPowerByPos)
        return RowKind::Spare;
    if (field < Field::DriverStartQual)
        return RowKind::Position;
    return RowKind::Start;
}

} // namespace rk7
