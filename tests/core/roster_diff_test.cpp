#include "model/roster_diff.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tuple>

namespace rk7 {
namespace {

TEST(DiffRosters, ComparesTextsAndNamesEachKindOfRowAndField) {
    Roster now;
    Roster other;
    EXPECT_TRUE(DiffRosters(now, other).empty());
    // Bytes behind the NUL carry no meaning, as in the store files.
    now.TeamFailure[2].bytes = {'9', '\0', 'x', 'y', 'z', '\0'};
    other.TeamFailure[2].bytes = {'9', '\0', '\0', '\0', '\0', '\0'};
    other.TeamRacePower[3].SetText("55");
    other.TeamQualPosD2(13).SetText("4");
    other.DriverQualPos[5].SetText("12");
    other.SpareName[2].SetText("Reserve");
    other.RangeByPos[27].SetText("9");
    other.TeamStartRace.SetText("720");
    const std::vector<CellDifference> expected = {
        {RowKind::Team, 3, "Benetton", Field::TeamRacePower, "TeamRacePower", "", "55"},
        {RowKind::Team, 13, "Lotus", Field::TeamQualPosD2, "TeamQualPosD2", "", "4"},
        {RowKind::Driver, 5, "Rafael Quintero", Field::DriverQualPos, "DriverQualPos", "", "12"},
        {RowKind::Spare, 2, "", Field::SpareName, "SpareName", "", "Reserve"},
        {RowKind::Position, 27, "position 28", Field::RangeByPos, "RangeByPos", "1850", "9"},
        {RowKind::Start, 0, "", Field::TeamStartRace, "TeamStartRace", "715", "720"},
    };
    EXPECT_EQ(DiffRosters(now, other), expected);
}

// Each cell of the roster changed on its own is one difference, under a name of its own.
TEST(DiffRosters, SeesEveryCellOnItsOwn) {
    const Roster now;
    int cells = 0;
    ForEachCell(now, [&](const auto&) { ++cells; });
    std::set<std::tuple<RowKind, int, std::string_view>> seen;
    for (int k = 0; k < cells; ++k) {
        Roster other;
        int n = 0;
        ForEachCell(other, [&](auto& cell) {
            if (n++ == k)
                cell.SetText("#");
        });
        const std::vector<CellDifference> differences = DiffRosters(now, other);
        ASSERT_EQ(differences.size(), 1u) << "cell " << k;
        const CellDifference& d = differences[0];
        EXPECT_EQ(d.other, "#") << "cell " << k;
        // The field and the index lead back to the very cell, for the views to find it.
        EXPECT_EQ(SchemaOf(d.field).At(other, d.index).Text(), "#") << "cell " << k;
        EXPECT_EQ(SchemaOf(d.field).name, d.fieldName) << "cell " << k;
        seen.insert({d.row, d.index, d.fieldName});

        const CellSet changed = ChangedCells(now, other);
        EXPECT_EQ(changed.Size(), 1) << "cell " << k;
        EXPECT_TRUE(changed.Contains(d.field, d.index)) << "cell " << k;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(cells));
}

// Each cell on its own is checked above; here several at once, and an edit undone.
TEST(ChangedCells, SeveralCellsAndNoOthers) {
    const Roster before;
    Roster after;
    EXPECT_TRUE(ChangedCells(before, after).Empty());
    after.TeamRacePower[3].SetText("55");
    after.TeamQualPosD2(13).SetText("4");
    const CellSet changed = ChangedCells(before, after);
    EXPECT_EQ(changed.Size(), 2);
    EXPECT_TRUE(changed.Contains(Field::TeamRacePower, 3));
    EXPECT_TRUE(changed.Contains(Field::TeamQualPosD2, 13));
    EXPECT_FALSE(changed.Contains(Field::TeamRacePower, 2));
    EXPECT_FALSE(changed.Contains(Field::TeamQualPower, 3));
    EXPECT_FALSE(changed.Contains(Field::TeamRacePower, 35)); // no such row
    EXPECT_EQ(ChangedCells(after, before), changed);
}

} // namespace
} // namespace rk7
