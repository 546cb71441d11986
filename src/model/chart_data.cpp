#include "model/chart_data.h"

#include "model/calc.h"
#include "model/roster_schema.h"

#include <algorithm>
#include <utility>

namespace rk7 {

namespace {

ChartValue ValueOf(const Roster& roster, Field field, int row) {
    const ConstCellRef cell = SchemaOf(field).At(roster, row);
    if (cell.Empty())
        return std::nullopt;
    return ReadNumber(cell.Text());
}

ChartBar BarOf(const Roster& roster, Field label, Field qualifying, Field race, int row) {
    return {SchemaOf(label).At(roster, row).Str(), ValueOf(roster, qualifying, row),
            ValueOf(roster, race, row)};
}

ChartSeries SeriesOf(const Roster& roster, Field field, std::string_view title) {
    ChartSeries series;
    series.field = field;
    series.name = SchemaOf(field).name;
    series.title = title;
    bool any = false;
    for (int p = 0; p < PositionCount; ++p) {
        const ChartValue value = ValueOf(roster, field, p);
        series.points[p] = value;
        if (!value)
            continue;
        series.min = any ? std::min(series.min, *value) : *value;
        series.max = any ? std::max(series.max, *value) : *value;
        any = true;
    }
    return series;
}

} // namespace

ChartData MakeChartData(const Roster& roster) {
    ChartData data;
    data.teams.reserve(TeamCount);
    data.driverGroups.reserve(TeamCount);
    for (int t = 0; t < TeamCount; ++t) {
        data.teams.push_back(
            BarOf(roster, Field::TeamName, Field::TeamQualPower, Field::TeamRacePower, t));
        ChartGroup group{data.teams.back().label, {}};
        for (int d : {FirstDriverOf(t), SecondDriverOf(t)})
            group.drivers.push_back(BarOf(roster, Field::DriverName, Field::DriverQualPower,
                                          Field::DriverRacePower, d));
        data.driverGroups.push_back(std::move(group));
    }
    const std::pair<Field, std::string_view> tables[] = {
        {Field::DriverPowerByPos, "Driver power by position"},
        {Field::TeamPowerByPos, "Team power by position"},
        {Field::RangeByPos, "Range by position"},
        {Field::FailureByPos, "Failure by position"}};
    for (std::size_t i = 0; i < data.positions.size(); ++i)
        data.positions[i] = SeriesOf(roster, tables[i].first, tables[i].second);
    return data;
}

} // namespace rk7
