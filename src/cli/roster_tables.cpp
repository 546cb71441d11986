#include "cli/roster_tables.h"

#include "model/text_encoding.h"

#include <algorithm>
#include <cstddef>
#include <nlohmann/json.hpp>

namespace rk7 {

namespace {

// Characters, not bytes, so that converted text lines up.
std::size_t DisplayWidth(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void AppendTextRow(std::string& out, const std::vector<const ViewColumn*>& columns,
                   const std::vector<std::size_t>& widths,
                   const std::vector<std::string_view>& cells) {
    std::string line;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            line += "  ";
        const std::string padding(widths[c] - DisplayWidth(cells[c]), ' ');
        const bool right = columns[c]->Alignment() == Align::Right;
        if (right)
            line += padding;
        line += cells[c];
        if (!right)
            line += padding;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out += line;
    out += '\n';
}

std::vector<std::string_view> Captions(const RosterTable& table) {
    std::vector<std::string_view> captions;
    for (const ViewColumn* column : table.columns)
        captions.push_back(column->Caption());
    return captions;
}

std::vector<std::string_view> Cells(const std::vector<std::string>& row) {
    return {row.begin(), row.end()};
}

template <std::size_t W>
std::string Utf8(const Cell<W>& cell) {
    return Windows1252ToUtf8(cell.Text());
}

template <typename Column>
nlohmann::ordered_json TextArray(const Column& column) {
    auto array = nlohmann::ordered_json::array();
    for (const auto& cell : column)
        array.push_back(Utf8(cell));
    return array;
}

} // namespace

std::string TableAsText(const RosterTable& table) {
    std::vector<std::size_t> widths;
    for (const ViewColumn* column : table.columns)
        widths.push_back(DisplayWidth(column->Caption()));
    for (const auto& row : table.rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    std::string out;
    AppendTextRow(out, table.columns, widths, Captions(table));
    for (const auto& row : table.rows)
        AppendTextRow(out, table.columns, widths, Cells(row));
    return out;
}

std::string RosterAsJson(const Roster& r) {
    using Json = nlohmann::ordered_json;
    Json teams = Json::array();
    for (int t = 0; t < TeamCount; ++t) {
        teams.push_back({
            {"name", Utf8(r.TeamName[t])},
            {"engine", Utf8(r.EngineName[t])},
            {"qualPower", Utf8(r.TeamQualPower[t])},
            {"racePower", Utf8(r.TeamRacePower[t])},
            {"failure", Utf8(r.TeamFailure[t])},
            {"qualPosD1", Utf8(r.TeamQualPosD1(t))},
            {"qualPosD2", Utf8(r.TeamQualPosD2(t))},
            {"racePosD1", Utf8(r.TeamRacePosD1(t))},
            {"racePosD2", Utf8(r.TeamRacePosD2(t))},
        });
    }
    Json drivers = Json::array();
    for (int d = 0; d < DriverCount; ++d) {
        drivers.push_back({
            {"carNumber", Utf8(r.CarNumber[d])},
            {"name", Utf8(r.DriverName[d])},
            {"qualPos", Utf8(r.DriverQualPos[d])},
            {"racePos", Utf8(r.DriverRacePos[d])},
            {"qualPower", Utf8(r.DriverQualPower[d])},
            {"racePower", Utf8(r.DriverRacePower[d])},
            {"range", Utf8(r.DriverRange[d])},
        });
    }
    Json spares = Json::array();
    for (int s = 0; s < SpareCount; ++s) {
        spares.push_back({
            {"name", Utf8(r.SpareName[s])},
            {"racePower", Utf8(r.SpareRacePower[s])},
            {"qualPower", Utf8(r.SpareQualPower[s])},
            {"range", Utf8(r.SpareRange[s])},
        });
    }
    Json json = {
        {"teams", std::move(teams)},
        {"drivers", std::move(drivers)},
        {"spares", std::move(spares)},
        {"driverPowerByPos", TextArray(r.DriverPowerByPos)},
        {"teamPowerByPos", TextArray(r.TeamPowerByPos)},
        {"rangeByPos", TextArray(r.RangeByPos)},
        {"failureByPos", TextArray(r.FailureByPos)},
        {"start",
         {
             {"driverQual", Utf8(r.DriverStartQual)},
             {"driverRace", Utf8(r.DriverStartRace)},
             {"teamQual", Utf8(r.TeamStartQual)},
             {"teamRace", Utf8(r.TeamStartRace)},
         }},
    };
    return json.dump(2) + "\n";
}

} // namespace rk7
