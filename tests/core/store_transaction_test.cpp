// Saves of several store files are one transaction: whatever fails or stops the process part way,
// a fresh load sees every file old or every file new, and the folder ends up holding the store
// files alone. One writer at a time per folder, across processes.
#include "core/fault_writers.h"
#include "core/test_folder.h"
#include "model/folder_transaction.h"
#include "model/store.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace rk7 {
namespace {

using test::TestFolder;
namespace fs = std::filesystem;

constexpr StoreFileSet TeamsAndDrivers = TeamsStore | DriversStore;

// Two rosters that differ in both files.
const Roster& Old() {
    static const Roster roster;
    return roster;
}
const Roster& New() {
    static const Roster roster = test::EditedRoster();
    return roster;
}

enum class Seen { Old, New, Mixed };

// What a fresh load of the folder sees of Teams.rk and Drivers.rk.
Seen Load(const std::string& folder) {
    Roster roster;
    ProgramState state;
    (void)LoadStore(roster, state, folder);
    const bool teamsNew = SameStoreTexts(roster, New(), TeamsStore);
    const bool driversNew = SameStoreTexts(roster, New(), DriversStore);
    if (teamsNew && driversNew)
        return Seen::New;
    if (!teamsNew && !driversNew && SameStoreTexts(roster, Old(), TeamsStore) &&
        SameStoreTexts(roster, Old(), DriversStore))
        return Seen::Old;
    return Seen::Mixed;
}

void SaveOld(const std::string& folder) {
    ProgramState state;
    state.folder = ResolveRosterFolder(folder);
    ASSERT_TRUE(SaveStores(Old(), state, TeamsAndDrivers));
}

std::vector<FileReplacement> NewFiles(const std::string& folder) {
    return {{StorePath(folder, TeamsStore), SerializeStore(New(), TeamsStore)},
            {StorePath(folder, DriversStore), SerializeStore(New(), DriversStore)}};
}

// Runs f in a child process and waits for it; the child ends with _exit, like a kill, so that
// nothing is flushed or cleaned up on the way out.
template <typename F>
void InChild(F f) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        f();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
}

struct Stop {
    ReplaceStep step;
    std::size_t index;
    Seen after; // what the next load must see
};
// Every step of a two-file save; the save counts as done once its journal is in place.
const std::vector<Stop> Stops = {
    {ReplaceStep::Stage, 0, Seen::Old},         {ReplaceStep::Stage, 1, Seen::Old},
    {ReplaceStep::WriteJournal, 0, Seen::Old},  {ReplaceStep::FlushJournal, 0, Seen::Old},
    {ReplaceStep::Rename, 0, Seen::New},        {ReplaceStep::Rename, 1, Seen::New},
    {ReplaceStep::RemoveJournal, 0, Seen::New},
};

TEST(StoreTransaction, FailedStepLeavesAllOldOrCompletesAllNew) {
    for (const Stop& stop : Stops) {
        SCOPED_TRACE(static_cast<int>(stop.step) * 10 + static_cast<int>(stop.index));
        TestFolder folder;
        SaveOld(folder.Path());
        const Status status =
            ReplaceFilesTogether(folder.Path(), NewFiles(folder.Path()), Durability::Flush,
                                 [&](ReplaceStep step, std::size_t index) {
                                     return step != stop.step || index != stop.index;
                                 });
        // A failure before the journal is reported and leaves nothing behind; one after it is
        // done all the same and reported only when a file is not yet in place.
        const bool committed = stop.after == Seen::New;
        EXPECT_EQ(bool(status), stop.step == ReplaceStep::RemoveJournal);
        if (!status && !committed) {
            EXPECT_EQ(folder.Listing(), "Drivers.rk Teams.rk");
        }
        if (stop.step == ReplaceStep::Rename) {
            const std::string name = stop.index == 0 ? "Teams.rk" : "Drivers.rk";
            EXPECT_NE(status.Error().find(folder.File(name)), std::string::npos) << status.Error();
            EXPECT_NE(status.Error().find("completed when the folder is next loaded"),
                      std::string::npos);
        }
        EXPECT_EQ(Load(folder.Path()), stop.after);
        EXPECT_EQ(folder.Listing(), "Drivers.rk Teams.rk");
    }
}

TEST(StoreTransaction, KilledAtAnyStepTheNextLoadSeesOneWholeRoster) {
    for (const Stop& stop : Stops) {
        SCOPED_TRACE(static_cast<int>(stop.step) * 10 + static_cast<int>(stop.index));
        TestFolder folder;
        SaveOld(folder.Path());
        InChild([&] {
            (void)ReplaceFilesTogether(folder.Path(), NewFiles(folder.Path()), Durability::Flush,
                                       [&](ReplaceStep step, std::size_t index) {
                                           if (step == stop.step && index == stop.index)
                                               ::_exit(0);
                                           return true;
                                       });
        });
        // Killed (not failed) while flushing the journal, the journal is in place all the same.
        EXPECT_EQ(Load(folder.Path()),
                  stop.step == ReplaceStep::FlushJournal ? Seen::New : stop.after);
        // Whatever the killed save left is gone after the next save.
        ProgramState state;
        state.folder = ResolveRosterFolder(folder.Path());
        ASSERT_TRUE(SaveStores(New(), state, TeamsAndDrivers));
        EXPECT_EQ(folder.Listing(), "Drivers.rk Teams.rk");
    }

    // And killed by a signal at random moments of a save that runs over and over.
    TestFolder folder;
    SaveOld(folder.Path());
    std::mt19937 random(11);
    for (int trial = 0; trial < 30; ++trial) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ProgramState state;
            state.folder = ResolveRosterFolder(folder.Path());
            for (int i = 0;; ++i)
                (void)SaveStores(i % 2 ? New() : Old(), state, TeamsAndDrivers);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 4000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_NE(Load(folder.Path()), Seen::Mixed) << "trial " << trial;
        ASSERT_EQ(folder.Listing(), "Drivers.rk Teams.rk") << "trial " << trial;
    }
}

// However the writer and the next reader spell the folder (relative, "./", absolute, through a
// link, with a trailing slash), a save cut short after its journal is completed as a whole.
TEST(StoreTransaction, CutShortSaveIsCompletedWhateverTheSpelling) {
    TestFolder top;
    fs::create_directory(top.File("k"));
    fs::create_directory_symlink("k", top.File("link"));
    const std::string absolute = top.File("k");
    const std::vector<std::string> readers = {"k",        "./k", "k/", absolute, top.File("link"),
                                              "link/../k"};
    const fs::path cwd = fs::current_path();
    fs::current_path(top.Path());
    for (const std::string& writer : {std::string("k"), top.File("link")}) {
        for (const std::string& reader : readers) {
            for (const Stop& stop : Stops) {
                if (stop.after != Seen::New)
                    continue;
                SCOPED_TRACE(writer + " then " + reader + " step " +
                             std::to_string(static_cast<int>(stop.step) * 10 + stop.index));
                SaveOld(absolute);
                // As a save spelled the files before the folder was resolved once: the journal
                // holds the paths as the writer typed them.
                InChild([&] {
                    (void)ReplaceFilesTogether(writer, NewFiles(writer), Durability::NoFlush,
                                               [&](ReplaceStep step, std::size_t index) {
                                                   if (step == stop.step && index == stop.index)
                                                       ::_exit(0);
                                                   return true;
                                               });
                });
                EXPECT_EQ(Load(reader), Seen::New);
                EXPECT_EQ(TestFolder::Read(absolute + "/Teams.rk"),
                          SerializeStore(New(), TeamsStore));
                std::string listing;
                for (const auto& entry : fs::directory_iterator(absolute))
                    listing += entry.path().filename().string() + " ";
                EXPECT_TRUE(listing == "Drivers.rk Teams.rk " || listing == "Teams.rk Drivers.rk ")
                    << listing;
            }
        }
    }
    fs::current_path(cwd);
}

// A journal that could not be flushed to disk is no save: a crash could still half-apply it.
TEST(StoreTransaction, JournalThatCannotBeFlushedIsNoSave) {
    TestFolder folder;
    SaveOld(folder.Path());
    const Status status = ReplaceFilesTogether(
        folder.Path(), NewFiles(folder.Path()), Durability::Flush,
        [](ReplaceStep step, std::size_t) { return step != ReplaceStep::FlushJournal; });
    ASSERT_FALSE(status);
    EXPECT_NE(status.Error().find("nothing was saved"), std::string::npos) << status.Error();
    EXPECT_EQ(Load(folder.Path()), Seen::Old);
    EXPECT_EQ(folder.Listing(), "Drivers.rk Teams.rk");
}

TEST(StoreTransaction, OneWriterAtATime) {
    TestFolder folder;
    SaveOld(folder.Path());
    // Two processes save their own roster over and over while this one loads: every load sees
    // one whole roster.
    std::vector<pid_t> writers;
    for (const Roster* roster : {&Old(), &New()}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ProgramState state;
            state.folder = ResolveRosterFolder(folder.Path());
            for (int i = 0; i < 60; ++i)
                if (!SaveStores(*roster, state, TeamsAndDrivers, Durability::NoFlush))
                    ::_exit(1);
            ::_exit(0);
        }
        writers.push_back(child);
    }
    int mixed = 0;
    for (int i = 0; i < 100; ++i)
        mixed += Load(folder.Path()) == Seen::Mixed;
    for (pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    EXPECT_EQ(mixed, 0);

    // A writer that holds the folder too long makes the next one give up with a reason.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        FolderLock lock;
        if (!FolderLock::Acquire(folder.Path(), lock))
            ::_exit(1);
        (void)!::write(ready[1], "x", 1);
        std::this_thread::sleep_for(std::chrono::seconds(5));
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    FolderLock lock;
    const Status busy = FolderLock::Acquire(folder.Path(), lock, std::chrono::milliseconds(200));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_FALSE(busy);
    EXPECT_NE(busy.Error().find(folder.Path() + ": another program is saving into this folder"),
              std::string::npos)
        << busy.Error();
    // Taken again by the same process, the lock does not wait for itself.
    ASSERT_TRUE(FolderLock::Acquire(folder.Path(), lock, std::chrono::milliseconds(200)));
    FolderLock again;
    EXPECT_TRUE(FolderLock::Acquire(folder.Path(), again, std::chrono::milliseconds(0)));
}

TEST(StoreTransaction, LeftoversAndForeignJournalsAreCleared) {
    TestFolder folder;
    SaveOld(folder.Path());
    TestFolder::Write(folder.File("Teams.rk.tmp-123-4"), SerializeStore(New(), TeamsStore));
    TestFolder::Write(folder.File("RK7_Power.journal.tmp-9-9"), "x");
    // A journal that names a file of another folder is not acted on.
    TestFolder other;
    TestFolder::Write(other.File("Teams.rk"), "precious");
    TestFolder::Write(other.File("Teams.rk.tmp-1-1"), "overwrite");
    const std::string journal = std::string("RK7 Power journal 1") + '\0' + other.File("Teams.rk") +
                                '\0' + other.File("Teams.rk.tmp-1-1") + '\0' + "end" + '\0';
    TestFolder::Write(folder.File("RK7_Power.journal"), journal);
    // Files that only look like leftovers stay.
    TestFolder::Write(folder.File("Teams.rk.tmp-notes"), "mine");

    EXPECT_EQ(Load(folder.Path()), Seen::Old);
    EXPECT_EQ(folder.Listing(), "Drivers.rk Teams.rk Teams.rk.tmp-notes");
    EXPECT_EQ(TestFolder::Read(other.File("Teams.rk")), "precious");
}

TEST(StoreSave, ProtectedLinkedAndOwnedFiles) {
    TestFolder folder;
    SaveOld(folder.Path());
    ProgramState state;
    state.folder = ResolveRosterFolder(folder.Path());

    // A write-protected file is refused by name, and the other file of the save stays too.
    ASSERT_EQ(::chmod(folder.File("Drivers.rk").c_str(), 0444), 0);
    const Status refused = SaveStores(New(), state, TeamsAndDrivers);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.Error().find(folder.File("Drivers.rk") + ": the file is read-only"),
              std::string::npos)
        << refused.Error();
    EXPECT_EQ(Load(folder.Path()), Seen::Old);
    EXPECT_EQ(folder.Listing(), "Drivers.rk Teams.rk");
    ASSERT_EQ(::chmod(folder.File("Drivers.rk").c_str(), 0644), 0);

    // A link that leads nowhere is saved through: the link stays and its file is made.
    fs::remove(folder.File("Teams.rk"));
    fs::create_directory(folder.File("real"));
    fs::create_symlink("real/Teams.rk", folder.File("Teams.rk"));
    ASSERT_TRUE(SaveStores(New(), state, TeamsAndDrivers));
    EXPECT_TRUE(fs::is_symlink(folder.File("Teams.rk")));
    EXPECT_EQ(TestFolder::Read(folder.File("real/Teams.rk")), SerializeStore(New(), TeamsStore));

    // Root keeps the owner and group of the file it replaces.
    if (::geteuid() != 0)
        return;
    ASSERT_EQ(::chown(folder.File("Drivers.rk").c_str(), 4321, 4322), 0);
    ASSERT_TRUE(SaveStores(Old(), state, TeamsAndDrivers));
    struct stat info {};
    ASSERT_EQ(::stat(folder.File("Drivers.rk").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

TEST(StoreLoadReport, WrongSizesAreNamed) {
    TestFolder folder;
    SaveOld(folder.Path());
    TestFolder::Write(folder.File("Teams.rk"), "");
    fs::resize_file(folder.File("Drivers.rk"), 1000);
    TestFolder::Write(folder.File("EPowers.rk"), std::string(5000, 'x'));
    Roster roster;
    ProgramState state;
    const LoadStoreReport report = LoadStore(roster, state, folder.Path());
    const std::vector<std::string> warnings = StoreSizeWarnings(folder.Path(), report);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0],
              folder.File("Teams.rk") + " is 0 bytes long, not 1260; nothing was read from it");
    EXPECT_EQ(warnings[1],
              folder.File("Drivers.rk") +
                  " is 1000 bytes long, not 2844; only its first 1000 bytes were read");
    EXPECT_EQ(warnings[2], folder.File("EPowers.rk") +
                               " is 5000 bytes long, not 220; the bytes after the first 220 were "
                               "ignored");
}

TEST(StoreUnsaved, OnlyCellsThatReallyDifferCount) {
    TestFolder folder;
    SaveOld(folder.Path());
    Roster roster;
    ProgramState state;
    (void)LoadStore(roster, state, folder.Path());
    // Marked, but the same texts (the bytes after a NUL do not count).
    state.unsavedStores |= TeamsAndDrivers;
    roster.TeamName[0].bytes.back() = 'x';
    EXPECT_FALSE(UnsavedStoreFiles(roster, state).any());
    roster.DriverName[3].SetText("Someone Else");
    EXPECT_EQ(UnsavedStoreFiles(roster, state), StoreFileSet(DriversStore));
    ASSERT_TRUE(SaveStores(roster, state, DriversStore));
    EXPECT_FALSE(UnsavedStoreFiles(roster, state).any());
}

} // namespace
} // namespace rk7
