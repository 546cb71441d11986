#include "model/chart_data.h"
#include "model/roster_schema.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace rk7 {
namespace {

void Set(Roster& roster, Field field, int row, std::string_view text) {
    ASSERT_TRUE(SchemaOf(field).At(roster, row).SetText(text));
}

// A roster starts with its position tables filled; these tests lay out their own points.
Roster WithEmptyPositionTables() {
    Roster roster;
    for (Field field :
         {Field::DriverPowerByPos, Field::TeamPowerByPos, Field::RangeByPos, Field::FailureByPos})
        for (int p = 0; p < PositionCount; ++p)
            SchemaOf(field).At(roster, p).SetText("");
    return roster;
}

const ChartSeries& SeriesNamed(const ChartData& data, std::string_view name) {
    for (const ChartSeries& series : data.positions)
        if (series.name == name)
            return series;
    ADD_FAILURE() << "no series " << name;
    return data.positions[0];
}

TEST(ChartData, ValuesReadAsTheCellsHoldThemAndEmptyCellsDrawNothing) {
    Roster roster;
    Set(roster, Field::TeamQualPower, 0, "7x");
    Set(roster, Field::TeamRacePower, 0, "-40");
    Set(roster, Field::TeamQualPower, 13, "abc");
    Set(roster, Field::DriverRacePower, 27, " 125");

    const ChartData data = MakeChartData(roster);
    ASSERT_EQ(data.teams.size(), static_cast<std::size_t>(TeamCount));
    EXPECT_EQ(data.teams[0].qualifying, 7);
    EXPECT_EQ(data.teams[0].race, -40);
    EXPECT_EQ(data.teams[13].qualifying, 0); // text without digits is a zero bar, not none
    EXPECT_EQ(data.teams[13].race, std::nullopt);
    EXPECT_EQ(data.teams[5].qualifying, std::nullopt);
    EXPECT_EQ(data.driverGroups[13].drivers[1].race, 125);
    EXPECT_EQ(data.driverGroups[13].drivers[1].qualifying, std::nullopt);
    EXPECT_EQ(data.driverGroups[13].drivers[0].race, std::nullopt);
}

TEST(ChartData, EachSeriesScalesOverItsOwnNonEmptyPoints) {
    Roster roster = WithEmptyPositionTables();
    // Two points well above zero: an empty cell counted as 0 would pull the minimum down.
    Set(roster, Field::DriverPowerByPos, 0, "150");
    Set(roster, Field::DriverPowerByPos, 27, "90");
    Set(roster, Field::TeamPowerByPos, 3, "-5");
    Set(roster, Field::TeamPowerByPos, 4, "-9");
    Set(roster, Field::RangeByPos, 10, "abc");

    const ChartData data = MakeChartData(roster);
    const ChartSeries& driver = SeriesNamed(data, "DriverPowerByPos");
    EXPECT_EQ(driver.points[0], 150);
    EXPECT_EQ(driver.points[27], 90);
    EXPECT_EQ(driver.points[1], std::nullopt);
    EXPECT_EQ(driver.min, 90);
    EXPECT_EQ(driver.max, 150);

    const ChartSeries& team = SeriesNamed(data, "TeamPowerByPos");
    EXPECT_EQ(team.min, -9);
    EXPECT_EQ(team.max, -5);

    const ChartSeries& range = SeriesNamed(data, "RangeByPos");
    EXPECT_EQ(range.points[10], 0);
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 0);

    const ChartSeries& failure = SeriesNamed(data, "FailureByPos");
    for (const ChartValue& point : failure.points)
        EXPECT_EQ(point, std::nullopt);
    EXPECT_EQ(failure.min, 0);
    EXPECT_EQ(failure.max, 0);
}

TEST(ChartData, WidestValuesTheCellsHoldKeepTheirScale) {
    Roster roster = WithEmptyPositionTables();
    for (int p = 0; p < PositionCount; ++p)
        Set(roster, Field::FailureByPos, p, p % 2 ? "99999" : "-9999");
    const ChartData data = MakeChartData(roster);
    const ChartSeries& failure = SeriesNamed(data, "FailureByPos");
    EXPECT_EQ(failure.min, -9999);
    EXPECT_EQ(failure.max, 99999);
}

TEST(ChartData, DriverGroupsFollowTheTeamsInRosterOrder) {
    Roster roster;
    for (int t = 0; t < TeamCount; ++t)
        Set(roster, Field::TeamName, t, "Team \xE9" + std::to_string(t));
    for (int d = 0; d < DriverCount; ++d)
        Set(roster, Field::DriverName, d, "Driver " + std::to_string(d));

    const ChartData data = MakeChartData(roster);
    ASSERT_EQ(data.driverGroups.size(), static_cast<std::size_t>(TeamCount));
    for (int t = 0; t < TeamCount; ++t) {
        SCOPED_TRACE(t);
        const std::string team = "Team \xE9" + std::to_string(t);
        EXPECT_EQ(data.teams[t].label, team);
        const ChartGroup& group = data.driverGroups[t];
        EXPECT_EQ(group.team, team);
        ASSERT_EQ(group.drivers.size(), 2u);
        EXPECT_EQ(group.drivers[0].label, "Driver " + std::to_string(2 * t));
        EXPECT_EQ(group.drivers[1].label, "Driver " + std::to_string(2 * t + 1));
    }
}

} // namespace
} // namespace rk7
