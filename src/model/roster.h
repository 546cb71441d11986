#pragma once

#include "model/cell.h"

#include <array>
#include <cstddef>

namespace rk7 {

inline constexpr int TeamCount = 14;
inline constexpr int DriverCount = 28;
inline constexpr int SpareCount = 8;
inline constexpr int PositionCount = 28;

// Cell widths, the NUL included.
inline constexpr std::size_t TeamNameWidth = 32;
inline constexpr std::size_t TeamPowerWidth = 4;
inline constexpr std::size_t FailureWidth = 6;
inline constexpr std::size_t PositionWidth = 3;
inline constexpr std::size_t DriverNameWidth = 48;
inline constexpr std::size_t DriverValueWidth = 6;
inline constexpr std::size_t SpareNameWidth = 75;
inline constexpr std::size_t DriverPowerByPosWidth = 4;
inline constexpr std::size_t TeamPowerByPosWidth = 3;
inline constexpr std::size_t StartValueWidth = 6;

template <std::size_t W, int N>
using Column = std::array<Cell<W>, N>;

// The one data set the program edits. Driver rows 2t and 2t+1 belong to team t; position p of a
// position table is entry p-1.
struct Roster {
    // Team table.
    Column<TeamNameWidth, TeamCount> TeamName;
    Column<TeamNameWidth, TeamCount> EngineName;
    Column<TeamPowerWidth, TeamCount> TeamQualPower;
    Column<TeamPowerWidth, TeamCount> TeamRacePower;
    Column<FailureWidth, TeamCount> TeamFailure;
    // Cell t is TeamQualPosD1 of team t, cell 14+t its TeamQualPosD2; the store file and the
    // teams editor treat the pair as one table of 28.
    Column<PositionWidth, 2 * TeamCount> TeamQualPos;
    Column<PositionWidth, 2 * TeamCount> TeamRacePos;

    // Driver table.
    Column<DriverNameWidth, DriverCount> DriverName;
    Column<PositionWidth, DriverCount> CarNumber;
    Column<PositionWidth, DriverCount> DriverQualPos;
    Column<PositionWidth, DriverCount> DriverRacePos;
    Column<DriverValueWidth, DriverCount> DriverQualPower;
    Column<DriverValueWidth, DriverCount> DriverRacePower;
    Column<DriverValueWidth, DriverCount> DriverRange;

    // Spare drivers.
    Column<SpareNameWidth, SpareCount> SpareName;
    Column<DriverValueWidth, SpareCount> SpareRacePower;
    Column<DriverValueWidth, SpareCount> SpareQualPower;
    Column<DriverValueWidth, SpareCount> SpareRange;

    // Position tables.
    Column<DriverPowerByPosWidth, PositionCount> DriverPowerByPos;
    Column<TeamPowerByPosWidth, PositionCount> TeamPowerByPos;
    Column<DriverValueWidth, PositionCount> RangeByPos;
    Column<DriverValueWidth, PositionCount> FailureByPos;

    // Start values.
    Cell<StartValueWidth> DriverStartQual;
    Cell<StartValueWidth> DriverStartRace;
    Cell<StartValueWidth> TeamStartQual;
    Cell<StartValueWidth> TeamStartRace;

    // A roster holding the built-in defaults.
    Roster();

    Cell<PositionWidth>& TeamQualPosD1(int t) { return TeamQualPos[t]; }
    Cell<PositionWidth>& TeamQualPosD2(int t) { return TeamQualPos[TeamCount + t]; }
    Cell<PositionWidth>& TeamRacePosD1(int t) { return TeamRacePos[t]; }
    Cell<PositionWidth>& TeamRacePosD2(int t) { return TeamRacePos[TeamCount + t]; }
    const Cell<PositionWidth>& TeamQualPosD1(int t) const { return TeamQualPos[t]; }
    const Cell<PositionWidth>& TeamQualPosD2(int t) const { return TeamQualPos[TeamCount + t]; }
    const Cell<PositionWidth>& TeamRacePosD1(int t) const { return TeamRacePos[t]; }
    const Cell<PositionWidth>& TeamRacePosD2(int t) const { return TeamRacePos[TeamCount + t]; }

    friend bool operator==(const Roster&, const Roster&) = default;
};

constexpr int TeamOfDriver(int d) {
    return d / 2;
}
constexpr int FirstDriverOf(int t) {
    return 2 * t;
}
constexpr int SecondDriverOf(int t) {
    return 2 * t + 1;
}

} // namespace rk7
