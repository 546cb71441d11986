#include "model/roster_schema.h"

#include "model/translate_noop.h"

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

// What a field is called, and how a view shows it if one does.
struct Naming {
    std::string_view key;
    std::string_view label;
    std::string_view caption = {};
    Align align = Align::Left;
};

template <typename Access, typename CellType>
constexpr FieldSchema Describe(Field field, std::string_view name, int rows, const Naming& n) {
    return {field,   name,  rows,    CellType::Width, n.caption,
            n.align, n.key, n.label, &Access::Cell,   &Access::ConstCell};
}

template <auto Column, int First = 0>
constexpr FieldSchema ColumnField(Field field, std::string_view name, int rows, const Naming& n) {
    using CellType =
        typename std::remove_reference_t<decltype(std::declval<Roster&>().*Column)>::value_type;
    return Describe<InColumn<Column, First>, CellType>(field, name, rows, n);
}

template <auto Member>
constexpr FieldSchema SingleField(Field field, std::string_view name, const Naming& n) {
    using CellType = std::remove_reference_t<decltype(std::declval<Roster&>().*Member)>;
    return Describe<Single<Member>, CellType>(field, name, 1, n);
}

using R = Roster;
using F = Field;
constexpr Align Rt = Align::Right;

// Every field, in the order of Field; the fields the views show carry their caption and alignment.
// A key need only be unique among the fields of its kind of row, whose JSON record it names.
constexpr FieldSchema FieldTable[] = {
    ColumnField<&R::TeamName>(F::TeamName, "TeamName", TeamCount,
                              {.key = "name",
                               .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team name"),
                               .caption = "Team Names"}),
    ColumnField<&R::EngineName>(F::EngineName, "EngineName", TeamCount,
                                {.key = "engine",
                                 .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "engine name"),
                                 .caption = "Engine"}),
    ColumnField<&R::TeamQualPower>(
        F::TeamQualPower, "TeamQualPower", TeamCount,
        {.key = "qualPower",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team qualifying power"),
         .caption = "T Q Power",
         .align = Rt}),
    ColumnField<&R::TeamRacePower>(
        F::TeamRacePower, "TeamRacePower", TeamCount,
        {.key = "racePower",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team race power"),
         .caption = "T R Power",
         .align = Rt}),
    ColumnField<&R::TeamFailure>(F::TeamFailure, "TeamFailure", TeamCount,
                                 {.key = "failure",
                                  .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team failure"),
                                  .caption = "Failure",
                                  .align = Rt}),
    ColumnField<&R::TeamQualPos>(
        F::TeamQualPosD1, "TeamQualPosD1", TeamCount,
        {.key = "qualPosD1",
         .label =
             QT_TRANSLATE_NOOP("rk7::FieldSchema", "team qualifying position of the first car")}),
    ColumnField<&R::TeamQualPos, TeamCount>(
        F::TeamQualPosD2, "TeamQualPosD2", TeamCount,
        {.key = "qualPosD2",
         .label =
             QT_TRANSLATE_NOOP("rk7::FieldSchema", "team qualifying position of the second car")}),
    ColumnField<&R::TeamRacePos>(
        F::TeamRacePosD1, "TeamRacePosD1", TeamCount,
        {.key = "racePosD1",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team race position of the first car")}),
    ColumnField<&R::TeamRacePos, TeamCount>(
        F::TeamRacePosD2, "TeamRacePosD2", TeamCount,
        {.key = "racePosD2",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team race position of the second car")}),

    ColumnField<&R::DriverName>(F::DriverName, "DriverName", DriverCount,
                                {.key = "name",
                                 .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver name"),
                                 .caption = "Driver Names"}),
    ColumnField<&R::CarNumber>(F::CarNumber, "CarNumber", DriverCount,
                               {.key = "carNumber",
                                .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "car number"),
                                .caption = "#"}),
    // "driver's": messages say whose, "first driver's qualifying position".
    ColumnField<&R::DriverQualPos>(
        F::DriverQualPos, "DriverQualPos", DriverCount,
        {.key = "qualPos",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver's qualifying position")}),
    ColumnField<&R::DriverRacePos>(
        F::DriverRacePos, "DriverRacePos", DriverCount,
        {.key = "racePos",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver's race position")}),
    ColumnField<&R::DriverQualPower>(
        F::DriverQualPower, "DriverQualPower", DriverCount,
        {.key = "qualPower",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver qualifying power"),
         .caption = "D Q Power",
         .align = Rt}),
    ColumnField<&R::DriverRacePower>(
        F::DriverRacePower, "DriverRacePower", DriverCount,
        {.key = "racePower",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver race power"),
         .caption = "D R Power",
         .align = Rt}),
    ColumnField<&R::DriverRange>(F::DriverRange, "DriverRange", DriverCount,
                                 {.key = "range",
                                  .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver range"),
                                  .caption = "Range",
                                  .align = Rt}),

    ColumnField<&R::SpareName>(
        F::SpareName, "SpareName", SpareCount,
        {.key = "name", .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "spare name")}),
    ColumnField<&R::SpareRacePower>(
        F::SpareRacePower, "SpareRacePower", SpareCount,
        {.key = "racePower", .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "spare race power")}),
    ColumnField<&R::SpareQualPower>(
        F::SpareQualPower, "SpareQualPower", SpareCount,
        {.key = "qualPower",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "spare qualifying power")}),
    ColumnField<&R::SpareRange>(
        F::SpareRange, "SpareRange", SpareCount,
        {.key = "range", .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "spare range")}),

    ColumnField<&R::DriverPowerByPos>(
        F::DriverPowerByPos, "DriverPowerByPos", PositionCount,
        {.key = "driverPowerByPos",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver power by position")}),
    ColumnField<&R::TeamPowerByPos>(
        F::TeamPowerByPos, "TeamPowerByPos", PositionCount,
        {.key = "teamPowerByPos",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team power by position")}),
    ColumnField<&R::RangeByPos>(
        F::RangeByPos, "RangeByPos", PositionCount,
        {.key = "rangeByPos", .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "range by position")}),
    ColumnField<&R::FailureByPos>(
        F::FailureByPos, "FailureByPos", PositionCount,
        {.key = "failureByPos",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "failure by position")}),

    SingleField<&R::DriverStartQual>(
        F::DriverStartQual, "DriverStartQual",
        {.key = "driverQual",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver qualifying start")}),
    SingleField<&R::DriverStartRace>(
        F::DriverStartRace, "DriverStartRace",
        {.key = "driverRace", .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "driver race start")}),
    SingleField<&R::TeamStartQual>(
        F::TeamStartQual, "TeamStartQual",
        {.key = "teamQual",
         .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team qualifying start")}),
    SingleField<&R::TeamStartRace>(
        F::TeamStartRace, "TeamStartRace",
        {.key = "teamRace", .label = QT_TRANSLATE_NOOP("rk7::FieldSchema", "team race start")}),
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

// The store files, field by field as their bytes run. The orders are the files' own: race
// positions before qualifying positions, race power before qualifying power, failure before
// range. A pair of position fields is one block of 28 cells, the first car's half first.
constexpr Field TeamsLayout[] = {
    F::TeamName,      F::EngineName,    F::TeamQualPower, F::TeamRacePower, F::TeamRacePosD1,
    F::TeamRacePosD2, F::TeamQualPosD1, F::TeamQualPosD2, F::TeamFailure,
};
// The spare drivers live here too.
constexpr Field DriversLayout[] = {
    F::DriverName,      F::DriverQualPos,  F::DriverRacePos, F::DriverRacePower,
    F::DriverQualPower, F::DriverRange,    F::CarNumber,     F::SpareName,
    F::SpareRacePower,  F::SpareQualPower, F::SpareRange,
};
constexpr Field PowersLayout[] = {
    F::DriverPowerByPos, F::TeamPowerByPos, F::DriverStartQual,
    F::DriverStartRace,  F::TeamStartQual,  F::TeamStartRace,
};
constexpr Field RanFailLayout[] = {F::FailureByPos, F::RangeByPos};

constexpr std::span<const Field> FieldsOf(StoreFile file) {
    switch (file) {
    case TeamsStore:
        return TeamsLayout;
    case DriversStore:
        return DriversLayout;
    case PowersStore:
        return PowersLayout;
    case RanFailStore:
        return RanFailLayout;
    default:
        return {};
    }
}

constexpr std::size_t SizeOf(StoreFile file) {
    std::size_t size = 0;
    for (Field field : FieldsOf(file))
        size += FieldTable[static_cast<int>(field)].width *
                static_cast<std::size_t>(FieldTable[static_cast<int>(field)].rows);
    return size;
}

constexpr StoreFile StoreFileOf(Field field) {
    for (StoreFile file : {TeamsStore, DriversStore, PowersStore, RanFailStore})
        for (Field f : FieldsOf(file))
            if (f == field)
                return file;
    return StoreFile{};
}

static_assert(
    [] {
        int listed = 0;
        for (StoreFile file : {TeamsStore, DriversStore, PowersStore, RanFailStore})
            listed += static_cast<int>(FieldsOf(file).size());
        for (int i = 0; i < FieldCount; ++i)
            if (StoreFileOf(static_cast<Field>(i)) == StoreFile{})
                return false;
        return listed == FieldCount;
    }(),
    "every field is in exactly one store file");
// The sizes the game's files have.
static_assert(SizeOf(TeamsStore) == 1260 && SizeOf(DriversStore) == 2844 &&
              SizeOf(PowersStore) == 220 && SizeOf(RanFailStore) == 336);

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

StoreLayout LayoutOf(StoreFile file) {
    return {FieldsOf(file), SizeOf(file)};
}

StoreFile StoreOf(Field field) {
    return StoreFileOf(field);
}

} // namespace rk7
