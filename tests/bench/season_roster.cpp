#include "bench/season_roster.h"

#include <string>

namespace rk7 {

Roster SeasonRoster() {
    Roster r;
    for (int t = 0; t < TeamCount; ++t) {
        r.TeamRacePower[t].SetText(std::to_string(780 + t));
        r.TeamQualPower[t].SetText(std::to_string(800 + t));
        r.TeamFailure[t].SetText(std::to_string(2600 + 100 * t));
        r.TeamQualPosD1(t).SetText(std::to_string(t + 1));
        r.TeamQualPosD2(t).SetText(std::to_string(t + 15));
        r.TeamRacePosD1(t).SetText(std::to_string(t + 1));
        r.TeamRacePosD2(t).SetText(std::to_string(t + 15));
    }
    for (int d = 0; d < DriverCount; ++d) {
        r.CarNumber[d].SetText(std::to_string(d + 1));
        r.DriverQualPower[d].SetText(std::to_string(16200 + d));
        r.DriverRacePower[d].SetText(std::to_string(15750 + d));
        r.DriverRange[d].SetText(std::to_string(500 + 50 * d));
        r.DriverQualPos[d].SetText(std::to_string(d + 1));
        r.DriverRacePos[d].SetText(std::to_string(28 - d));
    }
    for (int s = 0; s < SpareCount; ++s) {
        r.SpareName[s].SetText("Reserve Driver " + std::to_string(s));
        r.SpareRacePower[s].SetText("15800");
        r.SpareQualPower[s].SetText("16000");
        r.SpareRange[s].SetText("900");
    }
    return r;
}

} // namespace rk7
