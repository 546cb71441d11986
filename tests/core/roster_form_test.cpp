#include "model/calc.h"
#include "model/roster_form.h"

#include <gtest/gtest.h>
#include <string>

namespace rk7 {
namespace {

TEST(RosterForm, FieldsAreTheRosterCells) {
    Roster r;
    RosterForm form(r);
    form.SetFieldText(Field::TeamQualPosD2, 3, "12");
    EXPECT_EQ(r.TeamQualPos[TeamCount + 3].Text(), "12");
    form.SetFieldText(Field::TeamRacePosD1, 13, "4");
    EXPECT_EQ(r.TeamRacePos[13].Text(), "4");
    form.SetFieldText(Field::DriverRange, 27, "1850");
    EXPECT_EQ(r.DriverRange[27].Text(), "1850");
    r.DriverQualPower[5].SetText("16400");
    EXPECT_EQ(form.FieldText(Field::DriverQualPower, 5), "16400");
    r.TeamFailure[0].SetText("2600");
    EXPECT_EQ(form.FieldText(Field::TeamFailure, 0), "2600");
    // Too long for a position cell: cut like any cell.
    form.SetFieldText(Field::DriverRacePos, 0, "123");
    EXPECT_EQ(r.DriverRacePos[0].Text(), "12");
}

TEST(RecalcRoster, CalculatesEveryTeamAndDriverFromItsPositions) {
    Roster r;
    // Team 0 qualifies 1 and 2 and races 3 and 4; team 13 has one race position missing.
    r.TeamQualPosD1(0).SetText("1");
    r.TeamQualPosD2(0).SetText("2");
    r.TeamRacePosD1(0).SetText("3");
    r.TeamRacePosD2(0).SetText("4");
    r.TeamQualPosD1(13).SetText("27");
    r.TeamQualPosD2(13).SetText("28");
    r.TeamRacePosD1(13).SetText("26");
    r.TeamFailure[13].SetText("999");
    r.DriverQualPos[0].SetText("1");
    r.DriverRacePos[0].SetText("28");
    r.DriverQualPos[27].SetText("29");
    r.DriverRacePos[27].SetText("7");
    r.DriverRange[27].SetText("5");

    RecalcRoster(r);

    // Worked out from the built-in tables: 740 + 55 + 53, 715 + 51 + 49, 500 + 600 + 700 + 800.
    EXPECT_EQ(r.TeamQualPower[0].Text(), "848");
    EXPECT_EQ(r.TeamRacePower[0].Text(), "815");
    EXPECT_EQ(r.TeamFailure[0].Text(), "2600");
    // 740 + 3 + 1; no race power or failure without the second race position.
    EXPECT_EQ(r.TeamQualPower[13].Text(), "744");
    EXPECT_EQ(r.TeamRacePower[13].Text(), "0");
    EXPECT_EQ(r.TeamFailure[13].Text(), "0");
    // 16200 + 500; 15750 + 5; range of position 28.
    EXPECT_EQ(r.DriverQualPower[0].Text(), "16700");
    EXPECT_EQ(r.DriverRacePower[0].Text(), "15755");
    EXPECT_EQ(r.DriverRange[0].Text(), "1850");
    EXPECT_EQ(r.DriverQualPower[27].Text(), "0");
    EXPECT_EQ(r.DriverRacePower[27].Text(), "15950");
    EXPECT_EQ(r.DriverRange[27].Text(), "800");
    // Rows without positions get "0" throughout.
    EXPECT_EQ(r.TeamQualPower[5].Text(), "0");
    EXPECT_EQ(r.DriverRange[10].Text(), "0");
    // Positions and names are left as they were.
    EXPECT_EQ(r.TeamRacePosD1(0).Text(), "3");
    EXPECT_EQ(r.TeamName[0].Text(), "Ferrari");
}

} // namespace
} // namespace rk7
