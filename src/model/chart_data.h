#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

// A value of the chart as ReadNumber reads its cell; no value for an empty cell, which draws
// nothing. A cell holds at most five characters, so no value comes near the ends of long.
using ChartValue = std::optional<long>;

// One bar pair: a team's or a driver's qualifying and race power. The label is the name as the
// cell holds it, in Windows-1252.
struct ChartBar {
    std::string label;
    ChartValue qualifying;
    ChartValue race;
};

// A team's drivers, under the team's name.
struct ChartGroup {
    std::string team;
    std::vector<ChartBar> drivers;
};

// A position table, entry p-1 for position p, with the range of its values for its own scale:
// the least and the greatest of the points that have one, or 0 and 0 when none has. The name is
// the field's, as the roster and the files call it; the title says it in words for the plot.
struct ChartSeries {
    Field field = Field::DriverPowerByPos;
    std::string_view name;
    std::string_view title;
    std::array<ChartValue, PositionCount> points;
    long min = 0;
    long max = 0;
};

// What the chart view draws: the teams in roster order, the drivers grouped by team, and the
// four position tables (DriverPowerByPos, TeamPowerByPos, RangeByPos, FailureByPos).
struct ChartData {
    std::vector<ChartBar> teams;
    std::vector<ChartGroup> driverGroups;
    std::array<ChartSeries, 4> positions;
};

ChartData MakeChartData(const Roster& roster);

} // namespace rk7
