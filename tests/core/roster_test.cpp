#include "model/roster.h"
#include "model/roster_parts.h"
#include "model/roster_schema.h"
#include "model/store.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace rk7 {
namespace {

TEST(Cell, KeepsAtMostWidthLessOneCharacters) {
    Cell<32> name;
    EXPECT_TRUE(name.SetText(std::string(31, 'a')));
    EXPECT_EQ(name.Text(), std::string(31, 'a'));
    EXPECT_FALSE(name.SetText(std::string(40, 'b')));
    EXPECT_EQ(name.Text(), std::string(31, 'b'));
    EXPECT_EQ(name.bytes[31], '\0');

    Cell<3> pos;
    pos.SetText("123");
    EXPECT_EQ(pos.Text(), "12");
    pos.SetText("");
    EXPECT_TRUE(pos.Empty());
}

TEST(Cell, BytesAfterTheNulAreKeptButNotRead) {
    Cell<6> cell;
    cell.bytes = {'1', '2', '3', '4', '5', '\0'};
    cell.SetText("9");
    EXPECT_EQ(cell.Text(), "9");
    EXPECT_EQ(cell.bytes[2], '3'); // old bytes survive behind the NUL
}

TEST(Cell, WithoutNulItsLastByteCountsAsNul) {
    Cell<4> cell;
    cell.bytes = {'9', '9', '9', '9'};
    EXPECT_EQ(cell.Text(), "999");
}

TEST(Roster, ColumnsHaveTheirWidths) {
    Roster r;
    EXPECT_EQ(sizeof r.TeamName, 14u * 32);
    EXPECT_EQ(sizeof r.TeamQualPower, 14u * 4);
    EXPECT_EQ(sizeof r.TeamFailure, 14u * 6);
    EXPECT_EQ(sizeof r.TeamQualPos, 28u * 3);
    EXPECT_EQ(sizeof r.DriverName, 28u * 48);
    EXPECT_EQ(sizeof r.CarNumber, 28u * 3);
    EXPECT_EQ(sizeof r.DriverRange, 28u * 6);
    EXPECT_EQ(sizeof r.SpareName, 8u * 75);
    EXPECT_EQ(sizeof r.SpareRange, 8u * 6);
    EXPECT_EQ(sizeof r.DriverPowerByPos, 28u * 4);
    EXPECT_EQ(sizeof r.TeamPowerByPos, 28u * 3);
    EXPECT_EQ(sizeof r.FailureByPos, 28u * 6);
}

TEST(Roster, TeamPositionPairsShareOneTable) {
    Roster r;
    r.TeamQualPosD2(13).SetText("7");
    r.TeamRacePosD1(0).SetText("3");
    EXPECT_EQ(r.TeamQualPos[27].Text(), "7");
    EXPECT_EQ(r.TeamRacePos[0].Text(), "3");
    EXPECT_EQ(FirstDriverOf(13), 26);
    EXPECT_EQ(SecondDriverOf(13), 27);
    EXPECT_EQ(TeamOfDriver(27), 13);
}

TEST(Roster, DefaultsAreTheBuiltInRoster) {
    const Roster r;
    EXPECT_EQ(r.TeamName[0].Text(), "Ferrari");
    EXPECT_EQ(r.TeamName[1].Text(), "Mclaren");
    EXPECT_EQ(r.EngineName[1].Text(), "Mercedes");
    EXPECT_EQ(r.EngineName[6].Text(), "Asiatech");
    EXPECT_EQ(r.EngineName[9].Text(), "European");
    EXPECT_EQ(r.TeamName[13].Text(), "Lotus");
    EXPECT_EQ(r.EngineName[13].Text(), "Lambourgini");

    for (int d = 0; d < DriverCount; ++d) {
        const auto n = r.DriverName[d].Text().size();
        EXPECT_GE(n, 9u) << d;
        EXPECT_LE(n, 20u) << d;
        EXPECT_TRUE(r.CarNumber[d].Empty());
        EXPECT_TRUE(r.DriverQualPower[d].Empty());
        EXPECT_TRUE(r.DriverRange[d].Empty());
        EXPECT_TRUE(r.DriverQualPos[d].Empty());
    }
    for (int d = 1; d < DriverCount; ++d)
        for (int e = 0; e < d; ++e)
            EXPECT_NE(r.DriverName[d].Text(), r.DriverName[e].Text());

    const int driverPower[] = {500, 450, 400, 350, 300, 250, 200, 180, 160, 150, 130, 120, 110, 100,
                               90,  80,  70,  60,  50,  45,  40,  35,  30,  25,  20,  15,  10,  5};
    const int teamPower[] = {55, 53, 51, 49, 47, 45, 41, 39, 38, 36, 34, 32, 30, 28,
                             26, 24, 22, 20, 18, 16, 14, 12, 10, 9,  7,  5,  3,  1};
    for (int p = 1; p <= PositionCount; ++p) {
        EXPECT_EQ(r.DriverPowerByPos[p - 1].Text(), std::to_string(driverPower[p - 1]));
        EXPECT_EQ(r.TeamPowerByPos[p - 1].Text(), std::to_string(teamPower[p - 1]));
        EXPECT_EQ(r.RangeByPos[p - 1].Text(), std::to_string(450 + 50 * p));
        EXPECT_EQ(r.FailureByPos[p - 1].Text(), std::to_string(400 + 100 * p));
    }
    EXPECT_EQ(r.DriverStartQual.Text(), "16200");
    EXPECT_EQ(r.DriverStartRace.Text(), "15750");
    EXPECT_EQ(r.TeamStartQual.Text(), "740");
    EXPECT_EQ(r.TeamStartRace.Text(), "715");

    // Everything else is all NUL, to the last byte.
    auto allNul = [](const auto& column) {
        for (const auto& cell : column)
            for (char c : cell.bytes)
                if (c != '\0')
                    return false;
        return true;
    };
    EXPECT_TRUE(allNul(r.TeamQualPower));
    EXPECT_TRUE(allNul(r.TeamFailure));
    EXPECT_TRUE(allNul(r.TeamQualPos));
    EXPECT_TRUE(allNul(r.TeamRacePos));
    EXPECT_TRUE(allNul(r.SpareName));
    EXPECT_TRUE(allNul(r.SpareRange));
    EXPECT_TRUE(allNul(r.DriverRacePos));
}

// Through the schema, every byte of the roster belongs to exactly one cell of one field, each
// cell as wide as its field says; a field reaches the same cell for a roster and a const one.
TEST(RosterSchema, FieldsReachEveryByteThroughOneCell) {
    Roster r;
    const char* const base = reinterpret_cast<const char*>(&r);
    std::vector<int> owners(sizeof r, 0);
    std::set<std::string_view> names;
    for (const FieldSchema& field : Fields()) {
        EXPECT_TRUE(names.insert(field.name).second) << field.name;
        EXPECT_EQ(&SchemaOf(field.field), &field) << field.name;
        for (int row = 0; row < field.rows; ++row) {
            const CellRef cell = field.At(r, row);
            EXPECT_EQ(field.At(std::as_const(r), row).bytes.data(), cell.bytes.data());
            EXPECT_EQ(cell.Width(), field.width) << field.name;
            const std::ptrdiff_t offset = cell.bytes.data() - base;
            ASSERT_TRUE(offset >= 0 && offset + cell.Width() <= sizeof r) << field.name << row;
            for (std::size_t k = 0; k < cell.Width(); ++k)
                ++owners[static_cast<std::size_t>(offset) + k];
        }
    }
    EXPECT_EQ(std::count(owners.begin(), owners.end(), 1), static_cast<long>(sizeof r));
}

} // namespace
} // namespace rk7

namespace rk7 {
namespace {

// The parts the forms hand over cover the whole roster, and each touches only its own store file.
TEST(RosterParts, CoverTheRosterAndKeepToTheirStoreFiles) {
    Roster from;
    std::memset(static_cast<void*>(&from), 'x', sizeof from);
    Roster all;
    CopyParts(all, from, AllParts);
    EXPECT_TRUE(all == from);

    for (unsigned bits = 1; bits < RosterPartSet(AllParts).bits(); bits <<= 1) {
        const RosterPartSet part = RosterPartSet::FromBits(bits);
        Roster to;
        CopyParts(to, from, part);
        EXPECT_EQ(PartsOf(StoresOf(part)) & part, part);
        for (StoreFile file : StoreFiles) {
            const bool ownFile = bool(StoresOf(part) & file);
            EXPECT_EQ(SerializeStore(to, file) != SerializeStore(Roster(), file), ownFile)
                << "part " << part.bits() << ", " << StoreFileName(file);
        }
    }
}

} // namespace
} // namespace rk7
