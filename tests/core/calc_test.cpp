#include "model/calc.h"

#include <climits>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>

namespace rk7 {
namespace {

TEST(ReadNumber, ReadsAsAtolDoes) {
    EXPECT_EQ(ReadNumber("7"), 7);
    EXPECT_EQ(ReadNumber(" 7"), 7);
    EXPECT_EQ(ReadNumber("\t\n 7"), 7);
    EXPECT_EQ(ReadNumber("7x"), 7);
    EXPECT_EQ(ReadNumber("07"), 7);
    EXPECT_EQ(ReadNumber("-3"), -3);
    EXPECT_EQ(ReadNumber("+12"), 12);
    EXPECT_EQ(ReadNumber(""), 0);
    EXPECT_EQ(ReadNumber("x7"), 0);
    EXPECT_EQ(ReadNumber("- 7"), 0);
    EXPECT_EQ(ReadNumber("--7"), 0);
    EXPECT_EQ(ReadNumber("1 2"), 1);
}

TEST(ReadNumber, SaturatesBeyondLong) {
    EXPECT_EQ(ReadNumber("9223372036854775807"), LONG_MAX);
    EXPECT_EQ(ReadNumber("9223372036854775808"), LONG_MAX);
    EXPECT_EQ(ReadNumber("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(ReadNumber("-9223372036854775808"), LONG_MIN);
    EXPECT_EQ(ReadNumber("-99999999999999999999999"), LONG_MIN);
}

TEST(FormatNumber, IsPlainDecimal) {
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(-751), "-751");
    EXPECT_EQ(FormatNumber(16700), "16700");
}

TEST(Rules, WorkedExamples) {
    const Roster r;
    // Qualifying 1 and 2, race 3 and 4.
    EXPECT_EQ(CalcTeamQualPower(r, 1, 2), "848");
    EXPECT_EQ(CalcTeamRacePower(r, 3, 4), "815");
    EXPECT_EQ(CalcTeamFailure(r, 1, 2, 3, 4), "2600");
    // The same team with its qualifying D2 position emptied.
    EXPECT_EQ(CalcTeamQualPower(r, 1, ReadNumber("")), "0");
    EXPECT_EQ(CalcTeamFailure(r, 1, 0, 3, 4), "0");
    EXPECT_EQ(CalcTeamRacePower(r, 3, 4), "815");
    // A driver qualifying first and racing last.
    EXPECT_EQ(CalcDriverQualPower(r, 1), "16700");
    EXPECT_EQ(CalcDriverRacePower(r, 28), "15755");
    EXPECT_EQ(CalcDriverRange(r, 28), "1850");
    // Race position 29.
    EXPECT_EQ(CalcDriverRacePower(r, 29), "0");
    EXPECT_EQ(CalcDriverRange(r, 29), "0");
}

TEST(Rules, PositionsOutsideOneToTwentyEightGiveZero) {
    const Roster r;
    for (const char* text : {"", "0", "29", "-3", "x", "99"}) {
        const long p = ReadNumber(text);
        EXPECT_EQ(CalcTeamQualPower(r, p, 1), "0") << text;
        EXPECT_EQ(CalcTeamRacePower(r, 1, p), "0") << text;
        EXPECT_EQ(CalcDriverQualPower(r, p), "0") << text;
        EXPECT_EQ(CalcDriverRacePower(r, p), "0") << text;
        EXPECT_EQ(CalcDriverRange(r, p), "0") << text;
        // One bad position of four spoils the failure, wherever it stands.
        EXPECT_EQ(CalcTeamFailure(r, p, 1, 1, 1), "0") << text;
        EXPECT_EQ(CalcTeamFailure(r, 1, p, 1, 1), "0") << text;
        EXPECT_EQ(CalcTeamFailure(r, 1, 1, p, 1), "0") << text;
        EXPECT_EQ(CalcTeamFailure(r, 1, 1, 1, p), "0") << text;
    }
    for (const char* text : {" 7", "7x", "07"})
        EXPECT_EQ(CalcDriverQualPower(r, ReadNumber(text)), "16400") << text;
}

TEST(Rules, FirstAndLastTableEntries) {
    const Roster r;
    EXPECT_EQ(CalcTeamQualPower(r, 28, 28), "742");
    EXPECT_EQ(CalcTeamQualPower(r, 1, 1), "850");
    EXPECT_EQ(CalcTeamFailure(r, 28, 28, 28, 28), "12800");
    EXPECT_EQ(CalcDriverRacePower(r, 1), "16250");
    EXPECT_EQ(CalcDriverRange(r, 1), "500");
}

TEST(Rules, RangeIsCopiedAsTextAndPowersReformatted) {
    Roster r;
    r.RangeByPos[4].SetText(" 0700");
    r.DriverPowerByPos[4].SetText("007");
    r.RangeByPos[5].SetText("");
    EXPECT_EQ(CalcDriverRange(r, 5), " 0700");
    EXPECT_EQ(CalcDriverRange(r, 6), "");
    EXPECT_EQ(CalcDriverQualPower(r, 5), "16207");
}

TEST(Rules, WideSumsAreClampedToTheirCell) {
    Roster r;
    r.TeamStartQual.SetText("99999");
    r.TeamStartRace.SetText("-9999");
    r.DriverStartQual.SetText("99999");
    r.DriverStartRace.SetText("-9999");
    for (auto& cell : r.FailureByPos)
        cell.SetText("99999");
    r.DriverPowerByPos[0].SetText("-99");
    EXPECT_EQ(CalcTeamQualPower(r, 1, 2), "999");
    EXPECT_EQ(CalcTeamRacePower(r, 1, 2), "-99");
    EXPECT_EQ(CalcTeamFailure(r, 1, 2, 3, 4), "99999");
    EXPECT_EQ(CalcDriverQualPower(r, 2), "99999");
    EXPECT_EQ(CalcDriverRacePower(r, 1), "-9999");
    // Non-numeric table entries count as 0.
    r.TeamPowerByPos[0].SetText("ab");
    r.TeamStartQual.SetText("700");
    EXPECT_EQ(CalcTeamQualPower(r, 1, 1), "700");
}

// A form held as texts, keyed by field and row, counting writes.
class FakeForm : public CalcForm {
public:
    std::string FieldText(Field field, int row) const override {
        auto it = m_texts.find({field, row});
        return it == m_texts.end() ? std::string() : it->second;
    }
    void SetFieldText(Field field, int row, std::string_view text) override {
        m_texts[{field, row}] = std::string(text);
        ++writes;
    }
    void Set(Field field, int row, std::string text) { m_texts[{field, row}] = text; }
    int writes = 0;

private:
    std::map<std::pair<Field, int>, std::string> m_texts;
};

TEST(Passes, ManualModeKeepsAPassFromRunning) {
    const Roster r;
    FakeForm form;
    EXPECT_FALSE(TeamRacePass(r, false, form));
    EXPECT_FALSE(DriverRacePass(r, false, form));
    EXPECT_EQ(form.writes, 0);
    EXPECT_TRUE(DriverRacePass(r, true, form));
    EXPECT_EQ(form.writes, 56); // power and range of all 28 rows
}

TEST(Passes, TeamPassesRewriteEveryRow) {
    const Roster r;
    FakeForm form;
    form.Set(Field::TeamQualPosD1, 4, "1");
    form.Set(Field::TeamQualPosD2, 4, "2");
    form.Set(Field::TeamRacePosD1, 4, "3");
    form.Set(Field::TeamRacePosD2, 4, "4");
    form.Set(Field::TeamQualPower, 4, "123");
    form.Set(Field::TeamRacePower, 0, "555");
    ASSERT_TRUE(TeamRacePass(r, true, form));
    EXPECT_EQ(form.FieldText(Field::TeamRacePower, 4), "815");
    EXPECT_EQ(form.FieldText(Field::TeamFailure, 4), "2600");
    EXPECT_EQ(form.FieldText(Field::TeamQualPower, 4), "123"); // the race pass leaves it
    EXPECT_EQ(form.FieldText(Field::TeamRacePower, 0), "0");   // invalid rows get "0" again
    EXPECT_EQ(form.FieldText(Field::TeamFailure, 13), "0");

    ASSERT_TRUE(TeamQualifyingPass(r, true, form));
    EXPECT_EQ(form.FieldText(Field::TeamQualPower, 4), "848");
    EXPECT_EQ(form.FieldText(Field::TeamFailure, 4), "2600"); // same failure from both passes

    form.Set(Field::TeamRacePosD2, 4, "");
    ASSERT_TRUE(TeamQualifyingPass(r, true, form));
    EXPECT_EQ(form.FieldText(Field::TeamQualPower, 4), "848");
    EXPECT_EQ(form.FieldText(Field::TeamFailure, 4), "0");
}

TEST(Passes, DriverPassesReadPositionsFromTheForm) {
    Roster r;
    r.RangeByPos[6].SetText(" 77");
    FakeForm form;
    form.Set(Field::DriverQualPos, 0, "1");
    form.Set(Field::DriverRacePos, 0, "28");
    form.Set(Field::DriverRacePos, 27, " 7");
    form.Set(Field::DriverRacePos, 26, "29");
    ASSERT_TRUE(DriverQualifyingPass(r, true, form));
    ASSERT_TRUE(DriverRacePass(r, true, form));
    EXPECT_EQ(form.FieldText(Field::DriverQualPower, 0), "16700");
    EXPECT_EQ(form.FieldText(Field::DriverRacePower, 0), "15755");
    EXPECT_EQ(form.FieldText(Field::DriverRange, 0), "1850");
    EXPECT_EQ(form.FieldText(Field::DriverRange, 27), " 77");
    EXPECT_EQ(form.FieldText(Field::DriverRacePower, 27), "15950");
    EXPECT_EQ(form.FieldText(Field::DriverRacePower, 26), "0");
    EXPECT_EQ(form.FieldText(Field::DriverRange, 26), "0");
    EXPECT_EQ(form.FieldText(Field::DriverQualPower, 27), "0");
}

TEST(Passes, RecalcDriverPowersUsesTheStoredPositions) {
    Roster r;
    r.DriverPowerByPos[0].SetText("600");
    r.DriverQualPos[3].SetText("1");
    r.DriverRacePos[3].SetText("2");
    r.DriverQualPos[4].SetText("30");
    r.DriverQualPower[4].SetText("12345");
    r.DriverRange[3].SetText("999");
    r.TeamQualPower[1].SetText("800");
    RecalcDriverPowers(r);
    EXPECT_EQ(r.DriverQualPower[3].Text(), "16800");
    EXPECT_EQ(r.DriverRacePower[3].Text(), "16200");
    EXPECT_EQ(r.DriverQualPower[4].Text(), "0");
    EXPECT_EQ(r.DriverRacePower[0].Text(), "0");
    EXPECT_EQ(r.DriverRange[3].Text(), "999");   // ranges are left alone
    EXPECT_EQ(r.TeamQualPower[1].Text(), "800"); // and team values too
}

} // namespace
} // namespace rk7
