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

} // namespace rk7
