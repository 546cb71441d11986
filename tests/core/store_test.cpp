#include "core/file_size_limit.h"
#include "core/test_folder.h"
#include "model/roster_schema.h"
#include "model/store.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace rk7 {
namespace {

using test::TestFolder;

TEST(StoreLayout, FileNamesAndSizes) {
    EXPECT_STREQ(StoreFileName(TeamsStore), "Teams.rk");
    EXPECT_STREQ(StoreFileName(DriversStore), "Drivers.rk");
    EXPECT_STREQ(StoreFileName(PowersStore), "EPowers.rk");
    EXPECT_STREQ(StoreFileName(RanFailStore), "RanFail.rk");
    const Roster r;
    for (StoreFile f : StoreFiles)
        EXPECT_EQ(SerializeStore(r, f).size(), StoreFileSize(f)) << StoreFileName(f);
    EXPECT_EQ(StoreFileSize(TeamsStore), 1260u);
    EXPECT_EQ(StoreFileSize(DriversStore), 2844u);
    EXPECT_EQ(StoreFileSize(PowersStore), 220u);
    EXPECT_EQ(StoreFileSize(RanFailStore), 336u);
}

struct BlockMark {
    StoreFile file;
    std::size_t offset;                             // of the block in its file
    std::size_t lastOffset;                         // of the block's last cell
    std::function<void(Roster&, const char*)> mark; // writes into the first and last cell
};

template <typename Column>
std::function<void(Roster&, const char*)> Marks(Column Roster::*column) {
    return [column](Roster& r, const char* text) {
        (r.*column).front().SetText(text);
        (r.*column).back().SetText(text);
    };
}

template <typename C>
std::function<void(Roster&, const char*)> Mark(C Roster::*cell) {
    return [cell](Roster& r, const char* text) {
        (r.*cell).SetText(text);
    };
}

TEST(StoreLayout, EveryBlockSitsAtItsOffset) {
    const BlockMark blocks[] = {
        {TeamsStore, 0, 13 * 32, Marks(&Roster::TeamName)},
        {TeamsStore, 448, 448 + 13 * 32, Marks(&Roster::EngineName)},
        {TeamsStore, 896, 896 + 13 * 4, Marks(&Roster::TeamQualPower)},
        {TeamsStore, 952, 952 + 13 * 4, Marks(&Roster::TeamRacePower)},
        {TeamsStore, 1008, 1008 + 27 * 3, Marks(&Roster::TeamRacePos)},
        {TeamsStore, 1092, 1092 + 27 * 3, Marks(&Roster::TeamQualPos)},
        {TeamsStore, 1176, 1176 + 13 * 6, Marks(&Roster::TeamFailure)},
        {DriversStore, 0, 27 * 48, Marks(&Roster::DriverName)},
        {DriversStore, 1344, 1344 + 27 * 3, Marks(&Roster::DriverQualPos)},
        {DriversStore, 1428, 1428 + 27 * 3, Marks(&Roster::DriverRacePos)},
        {DriversStore, 1512, 1512 + 27 * 6, Marks(&Roster::DriverRacePower)},
        {DriversStore, 1680, 1680 + 27 * 6, Marks(&Roster::DriverQualPower)},
        {DriversStore, 1848, 1848 + 27 * 6, Marks(&Roster::DriverRange)},
        {DriversStore, 2016, 2016 + 27 * 3, Marks(&Roster::CarNumber)},
        {DriversStore, 2100, 2100 + 7 * 75, Marks(&Roster::SpareName)},
        {DriversStore, 2700, 2700 + 7 * 6, Marks(&Roster::SpareRacePower)},
        {DriversStore, 2748, 2748 + 7 * 6, Marks(&Roster::SpareQualPower)},
        {DriversStore, 2796, 2796 + 7 * 6, Marks(&Roster::SpareRange)},
        {PowersStore, 0, 27 * 4, Marks(&Roster::DriverPowerByPos)},
        {PowersStore, 112, 112 + 27 * 3, Marks(&Roster::TeamPowerByPos)},
        {PowersStore, 196, 196, Mark(&Roster::DriverStartQual)},
        {PowersStore, 202, 202, Mark(&Roster::DriverStartRace)},
        {PowersStore, 208, 208, Mark(&Roster::TeamStartQual)},
        {PowersStore, 214, 214, Mark(&Roster::TeamStartRace)},
        {RanFailStore, 0, 27 * 6, Marks(&Roster::FailureByPos)},
        {RanFailStore, 168, 168 + 27 * 6, Marks(&Roster::RangeByPos)},
    };
    for (const auto& block : blocks) {
        Roster r;
        block.mark(r, "@!");
        const std::string bytes = SerializeStore(r, block.file);
        const std::string at = std::to_string(block.offset);
        EXPECT_EQ(bytes.substr(block.offset, 3), std::string("@!\0", 3)) << at;
        EXPECT_EQ(bytes.substr(block.lastOffset, 3), std::string("@!\0", 3)) << at;
        EXPECT_EQ(bytes.find("@!"), block.offset) << at;
        EXPECT_EQ(bytes.rfind("@!"), block.lastOffset) << at;

        // And reading puts the bytes back into the same cells.
        Roster back;
        DeserializeStore(back, block.file, bytes);
        EXPECT_EQ(back, r) << at;
    }
}

TEST(StoreFiles, MissingFilesKeepTheDefaults) {
    TestFolder folder;
    Roster r;
    ProgramState state;
    const auto report = LoadStore(r, state, folder.Path() + "/");
    EXPECT_EQ(state.folder.path, folder.Path());
    EXPECT_EQ(r, Roster());
    for (const auto& load : report.files) {
        EXPECT_FALSE(load.found);
        EXPECT_TRUE(load.status);
    }
    EXPECT_EQ(folder.Listing(), ""); // loading creates nothing
}

TEST(StoreFiles, RosterFolderLosesOneTrailingSeparator) {
    EXPECT_EQ(RosterFolderFrom("/home/user/rk7/"), "/home/user/rk7");
    EXPECT_EQ(RosterFolderFrom("/home/user/rk7"), "/home/user/rk7");
    EXPECT_EQ(RosterFolderFrom("/"), "");
    EXPECT_EQ(StorePath("", TeamsStore), "/Teams.rk");
    EXPECT_EQ(StorePath("/data", RanFailStore), "/data/RanFail.rk");
}

// Garbage after each NUL, and in cells without any NUL, must survive load and save unchanged.
TEST(StoreFiles, RoundTripIsByteExact) {
    TestFolder folder;
    for (StoreFile f : StoreFiles) {
        std::string bytes(StoreFileSize(f), '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 7 + 3) % 251);
        TestFolder::Write(folder.File(StoreFileName(f)), bytes);
    }
    Roster r;
    ProgramState state;
    const auto report = LoadStore(r, state, folder.Path());
    for (std::size_t i = 0; i < report.files.size(); ++i) {
        EXPECT_TRUE(report.files[i].found);
        EXPECT_EQ(report.files[i].bytesRead, StoreFileSize(StoreFiles[i]));
    }
    const std::string before = TestFolder::Read(folder.File("Drivers.rk"));
    for (StoreFile f : StoreFiles) {
        const std::string original = TestFolder::Read(folder.File(StoreFileName(f)));
        ASSERT_TRUE(SaveStore(r, state, f));
        EXPECT_EQ(TestFolder::Read(folder.File(StoreFileName(f))), original) << StoreFileName(f);
    }
    // Every cell still reads as at most W-1 characters.
    ForEachCell(r, [](const auto& cell) { EXPECT_LT(cell.Text().size(), cell.Width()); });
    EXPECT_EQ(folder.Listing(), "Drivers.rk EPowers.rk RanFail.rk Teams.rk");
}

TEST(StoreFiles, ShortFileFillsOnlyItsLeadingBytes) {
    TestFolder folder;
    TestFolder::Write(folder.File("Teams.rk"), std::string(500, 'x'));
    Roster r;
    ProgramState state;
    const auto report = LoadStore(r, state, folder.Path());
    EXPECT_EQ(report.files[0].bytesRead, 500u);
    for (int t = 0; t < TeamCount; ++t)
        EXPECT_EQ(r.TeamName[t].Text(), std::string(31, 'x')); // no NUL: the last byte is one
    EXPECT_EQ(r.EngineName[0].Text(), std::string(31, 'x'));
    // 52 bytes of the engine block: the first cell whole and 20 bytes of the second.
    EXPECT_EQ(r.EngineName[1].bytes[19], 'x');
    EXPECT_EQ(r.EngineName[1].bytes[20], Roster().EngineName[1].bytes[20]);
    EXPECT_EQ(r.EngineName[1].Text(), "xxxxxxxxxxxxxxxxxxxx"); // "Mercedes\0..." overwritten
    EXPECT_EQ(r.EngineName[2].Text(), "BMW");
    EXPECT_EQ(r.TeamQualPower, Roster().TeamQualPower);
}

TEST(StoreFiles, LongFileHasItsExcessIgnored) {
    TestFolder folder;
    Roster source;
    source.FailureByPos[27].SetText("77");
    TestFolder::Write(folder.File("RanFail.rk"),
                      SerializeStore(source, RanFailStore) + std::string(1000, 'z'));
    Roster r;
    ProgramState state;
    const auto report = LoadStore(r, state, folder.Path());
    EXPECT_EQ(report.files[3].bytesRead, 336u);
    EXPECT_EQ(r, source);
}

TEST(StoreFiles, UnreadableStoreIsReportedAndSkipped) {
    TestFolder folder;
    std::filesystem::create_directory(folder.File("Teams.rk"));
    Roster r;
    ProgramState state;
    const auto report = LoadStore(r, state, folder.Path());
    EXPECT_FALSE(report.files[0].found);
    EXPECT_NE(report.files[0].status.Error().find("Teams.rk"), std::string::npos);
    EXPECT_EQ(r, Roster());
}

TEST(StoreFiles, SaveWritesWholeFilesWithOrdinaryMode) {
    TestFolder folder;
    const mode_t oldMask = ::umask(022);
    Roster r;
    ProgramState state;
    state.folder = ResolveRosterFolder(folder.Path());
    state.unsavedStores = AllStores;
    r.TeamName[3].SetText("Blue Comet");
    ASSERT_TRUE(SaveTeamsStore(r, state));
    ASSERT_TRUE(SaveDriversStore(r, state));
    ASSERT_TRUE(SavePowersStore(r, state));
    ASSERT_TRUE(SaveRanFailStore(r, state));
    ::umask(oldMask);
    EXPECT_FALSE(state.unsavedStores.any());
    for (StoreFile f : StoreFiles) {
        const std::string path = folder.File(StoreFileName(f));
        EXPECT_EQ(std::filesystem::file_size(path), StoreFileSize(f));
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0644u) << path;
    }
    EXPECT_EQ(TestFolder::Read(folder.File("Teams.rk")).substr(96, 11),
              std::string("Blue Comet\0", 11));

    // A file that exists keeps its mode.
    ::chmod(folder.File("Teams.rk").c_str(), 0600);
    ASSERT_TRUE(SaveTeamsStore(r, state));
    struct stat info {};
    ASSERT_EQ(::stat(folder.File("Teams.rk").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

class FailedSave : public ::testing::Test {
protected:
    void SetUp() override {
        state.folder = ResolveRosterFolder(folder.Path());
        ASSERT_TRUE(SaveTeamsStore(roster, state));
        oldBytes = TestFolder::Read(folder.File("Teams.rk"));
        roster.TeamName[0].SetText("Changed");
        state.unsavedStores = TeamsStore;
    }
    // The old file is whole, nothing else was left behind, and the edit still counts as unsaved.
    void ExpectOldFileKept() {
        EXPECT_EQ(TestFolder::Read(folder.File("Teams.rk")), oldBytes);
        EXPECT_EQ(folder.Listing(), "Teams.rk");
        EXPECT_EQ(state.unsavedStores, StoreFileSet(TeamsStore));
    }

    TestFolder folder;
    Roster roster;
    ProgramState state;
    std::string oldBytes;
};

TEST_F(FailedSave, TargetIsAFolder) {
    ProgramState other = state;
    other.folder = ResolveRosterFolder(folder.File("sub"));
    std::filesystem::create_directories(folder.File("sub/Drivers.rk"));
    const Status s = SaveDriversStore(roster, other);
    ASSERT_FALSE(s);
    EXPECT_NE(s.Error().find("sub/Drivers.rk"), std::string::npos) << s.Error();
    EXPECT_NE(s.Error().find("Is a directory"), std::string::npos) << s.Error();
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("sub/Drivers.rk")));
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.File("sub")),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1); // no temporary file left beside it
}

TEST_F(FailedSave, FolderDoesNotExistOrIsAFile) {
    ProgramState missing = state;
    missing.folder = ResolveRosterFolder(folder.File("nowhere"));
    Status s = SaveTeamsStore(roster, missing);
    ASSERT_FALSE(s);
    EXPECT_NE(s.Error().find("nowhere/Teams.rk: No such file or directory"), std::string::npos)
        << s.Error();

    ProgramState file = state;
    file.folder = ResolveRosterFolder(folder.File("Teams.rk"));
    s = SaveTeamsStore(roster, file);
    ASSERT_FALSE(s);
    EXPECT_NE(s.Error().find("Not a directory"), std::string::npos) << s.Error();
    ExpectOldFileKept();
}

TEST_F(FailedSave, DiskFullMidWriteKeepsTheOldFile) {
    // RLIMIT_FSIZE stands in for a full disk: the write stops part way with EFBIG.
    Status s = Status::Ok();
    {
        test::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.Set());
        s = SaveTeamsStore(roster, state);
    }

    ASSERT_FALSE(s);
    EXPECT_NE(s.Error().find("Teams.rk: File too large"), std::string::npos) << s.Error();
    ExpectOldFileKept();
}

} // namespace
} // namespace rk7
