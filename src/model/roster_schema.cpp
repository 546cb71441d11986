#include "model/roster_schema.h"

namespace rk7 {

namespace {

template <auto Column>
std::string_view Text(const Roster& r, int row) {
    return (r.*Column)[row].Text();
}

// View All shows each team's values on the rows of both its drivers.
template <auto Column>
std::string_view TeamText(const Roster& r, int driver) {
    return (r.*Column)[TeamOfDriver(driver)].Text();
}

constexpr ViewColumn AllColumns[] = {
    {"CarNumber", "#", 0, Align::Left, Text<&Roster::CarNumber>},
    {"DriverName", "Driver Names", 24, Align::Left, Text<&Roster::DriverName>},
    {"TeamName", "Team Names", 174, Align::Left, TeamText<&Roster::TeamName>},
    {"EngineName", "Engine", 274, Align::Left, TeamText<&Roster::EngineName>},
    {"TeamQualPower", "T Q Power", 360, Align::Right, TeamText<&Roster::TeamQualPower>},
    {"TeamRacePower", "T R Power", 442, Align::Right, TeamText<&Roster::TeamRacePower>},
    {"DriverQualPower", "D Q Power", 524, Align::Right, Text<&Roster::DriverQualPower>},
    {"DriverRacePower", "D R Power", 606, Align::Right, Text<&Roster::DriverRacePower>},
    {"TeamFailure", "Failure", 684, Align::Right, TeamText<&Roster::TeamFailure>},
    {"DriverRange", "Range", 749, Align::Right, Text<&Roster::DriverRange>},
};

constexpr ViewColumn TeamColumns[] = {
    {"TeamName", "Team Names", 0, Align::Left, Text<&Roster::TeamName>},
    {"EngineName", "Engine", 100, Align::Left, Text<&Roster::EngineName>},
    {"TeamQualPower", "T Q Power", 186, Align::Right, Text<&Roster::TeamQualPower>},
    {"TeamRacePower", "T R Power", 268, Align::Right, Text<&Roster::TeamRacePower>},
    {"TeamFailure", "Failure", 350, Align::Right, Text<&Roster::TeamFailure>},
    {"", "", 432, Align::Left, nullptr},
};

constexpr ViewColumn DriverColumns[] = {
    {"CarNumber", "#", 0, Align::Left, Text<&Roster::CarNumber>},
    {"DriverName", "Driver Names", 24, Align::Left, Text<&Roster::DriverName>},
    {"DriverQualPower", "D Q Power", 174, Align::Right, Text<&Roster::DriverQualPower>},
    {"DriverRacePower", "D R Power", 256, Align::Right, Text<&Roster::DriverRacePower>},
    {"DriverRange", "Range", 338, Align::Right, Text<&Roster::DriverRange>},
    {"", "", 420, Align::Left, nullptr},
};

// The cell of a field in a row: of a column, of a team's position pair, or the single cell of a
// start value.
template <auto Column>
const auto& ColumnCell(const Roster& r, int row) {
    return (r.*Column)[row];
}

template <auto Accessor>
const auto& PairCell(const Roster& r, int team) {
    return (r.*Accessor)(team);
}

template <auto Member>
const auto& SingleCell(const Roster& r, int) {
    return r.*Member;
}

template <auto CellOf>
std::string_view CellText(const Roster& r, int row) {
    return CellOf(r, row).Text();
}

// Equal bytes settle it without looking for the NUL, as they do for most cells compared.
template <auto CellOf>
bool SameCellText(const Roster& a, const Roster& b, int row) {
    const auto& x = CellOf(a, row);
    const auto& y = CellOf(b, row);
    return x.bytes == y.bytes || x.Text() == y.Text();
}

template <auto CellOf>
constexpr RosterField Field(std::string_view name, RowKind row) {
    return {name, row, CellText<CellOf>, SameCellText<CellOf>};
}

template <auto Column>
constexpr RosterField ColumnField(std::string_view name, RowKind row) {
    return Field<ColumnCell<Column>>(name, row);
}

constexpr auto QualPosD1 =
    static_cast<const Cell<PositionWidth>& (Roster::*)(int) const>(&Roster::TeamQualPosD1);
constexpr auto QualPosD2 =
    static_cast<const Cell<PositionWidth>& (Roster::*)(int) const>(&Roster::TeamQualPosD2);
constexpr auto RacePosD1 =
    static_cast<const Cell<PositionWidth>& (Roster::*)(int) const>(&Roster::TeamRacePosD1);
constexpr auto RacePosD2 =
    static_cast<const Cell<PositionWidth>& (Roster::*)(int) const>(&Roster::TeamRacePosD2);

constexpr RosterField Fields[] = {
    ColumnField<&Roster::TeamName>("TeamName", RowKind::Team),
    ColumnField<&Roster::EngineName>("EngineName", RowKind::Team),
    ColumnField<&Roster::TeamQualPower>("TeamQualPower", RowKind::Team),
    ColumnField<&Roster::TeamRacePower>("TeamRacePower", RowKind::Team),
    ColumnField<&Roster::TeamFailure>("TeamFailure", RowKind::Team),
    Field<PairCell<QualPosD1>>("TeamQualPosD1", RowKind::Team),
    Field<PairCell<QualPosD2>>("TeamQualPosD2", RowKind::Team),
    Field<PairCell<RacePosD1>>("TeamRacePosD1", RowKind::Team),
    Field<PairCell<RacePosD2>>("TeamRacePosD2", RowKind::Team),
    ColumnField<&Roster::CarNumber>("CarNumber", RowKind::Driver),
    ColumnField<&Roster::DriverName>("DriverName", RowKind::Driver),
    ColumnField<&Roster::DriverQualPower>("DriverQualPower", RowKind::Driver),
    ColumnField<&Roster::DriverRacePower>("DriverRacePower", RowKind::Driver),
    ColumnField<&Roster::DriverRange>("DriverRange", RowKind::Driver),
    ColumnField<&Roster::DriverQualPos>("DriverQualPos", RowKind::Driver),
    ColumnField<&Roster::DriverRacePos>("DriverRacePos", RowKind::Driver),
    ColumnField<&Roster::SpareName>("SpareName", RowKind::Spare),
    ColumnField<&Roster::SpareRacePower>("SpareRacePower", RowKind::Spare),
    ColumnField<&Roster::SpareQualPower>("SpareQualPower", RowKind::Spare),
    ColumnField<&Roster::SpareRange>("SpareRange", RowKind::Spare),
    ColumnField<&Roster::DriverPowerByPos>("DriverPowerByPos", RowKind::Position),
    ColumnField<&Roster::TeamPowerByPos>("TeamPowerByPos", RowKind::Position),
    ColumnField<&Roster::RangeByPos>("RangeByPos", RowKind::Position),
    ColumnField<&Roster::FailureByPos>("FailureByPos", RowKind::Position),
    Field<SingleCell<&Roster::DriverStartQual>>("DriverStartQual", RowKind::Start),
    Field<SingleCell<&Roster::DriverStartRace>>("DriverStartRace", RowKind::Start),
    Field<SingleCell<&Roster::TeamStartQual>>("TeamStartQual", RowKind::Start),
    Field<SingleCell<&Roster::TeamStartRace>>("TeamStartRace", RowKind::Start),
};

} // namespace

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

std::span<const RosterField> RosterFields() {
    return Fields;
}

int RowCount(RowKind row) {
    switch (row) {
    case RowKind::Team:
        return TeamCount;
    case RowKind::Driver:
        return DriverCount;
    case RowKind::Spare:
        return SpareCount;
    case RowKind::Position:
        return PositionCount;
    case RowKind::Start:
    default:
        return 1;
    }
}

} // namespace rk7
