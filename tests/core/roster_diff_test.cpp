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
        {RowKind::Team, 3, "Benetton", "TeamRacePower", "", "55"},
        {RowKind::Team, 13, "Lotus", "TeamQualPosD2", "", "4"},
        {RowKind::Driver, 5, "Rafael Quintero", "DriverQualPos", "", "12"},
        {RowKind::Spare, 2, "", "SpareName", "", "Reserve"},
        {RowKind::Position, 27, "position 28", "RangeByPos", "1850", "9"},
        {RowKind::Start, 0, "", "TeamStartRace", "715", "720"},
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
        EXPECT_EQ(differences[0].other, "#") << "cell " << k;
        seen.insert({differences[0].row, differences[0].index, differences[0].field});
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(cells));
}

} // namespace
} // namespace rk7
