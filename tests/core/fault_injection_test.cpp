// Writes and reads that fail: a folder where the file should be, a full or read-only file system,
// a file that vanished or cannot be read. Every failure must name the path and the reason, leave
// the old file byte for byte as it was and no temporary file behind, and leave the roster as it
// was (or holding the edit that was accepted).
#include "core/fault_writers.h"
#include "core/file_size_limit.h"
#include "core/test_folder.h"
#include "exchange/performance_file.h"
#include "model/file_io.h"
#include "model/store.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace rk7 {
namespace {

using test::FileSizeLimit;
using test::FileWriter;
using test::TestFolder;
namespace fs = std::filesystem;

bool IsRoot() {
    return ::geteuid() == 0;
}

// Runs argv and returns its exit status, or -1 when it could not be run or did not exit.
int RunProgram(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Whether this machine lets an ordinary process become root of its own user and mount
// namespace (`unshare -rm`), in which it can mount a small file system that vanishes with it.
bool PrivateMountsWork() {
    static const bool work = RunProgram({"unshare", "-rm", "true"}) == 0;
    return work;
}

// Runs read() and fails the test instead of hanging when it blocks on the FIFO at path: after a
// few seconds a writer opens and closes the FIFO, which ends the read.
template <typename Read>
auto ReadWithoutHanging(const std::string& path, Read read) {
    auto result = std::async(std::launch::async, read);
    if (result.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "reading " << path << " blocked";
        const int unblock = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (unblock >= 0)
            ::close(unblock);
    }
    return result.get();
}

bool HasText(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// ---- Writers: the four store saves and both Performance File writers --------------------------

class WriterFaults : public ::testing::TestWithParam<FileWriter> {
protected:
    void SetUp() override {
        // The file as a previous save left it, from the built-in roster.
        ProgramState first;
        ASSERT_TRUE(Writer().write(Roster(), first, folder.Path()));
        oldBytes = TestFolder::Read(Target());
        ASSERT_EQ(oldBytes, Writer().bytes(Roster()));
        ASSERT_NE(Writer().bytes(edited), oldBytes);
        // The edit was accepted; its store file is to be written.
        state.unsavedStores = Writer().store;
    }

    const FileWriter& Writer() const { return GetParam(); }
    std::string FileName() const { return std::string(Writer().fileName); }
    std::string Target() const { return folder.File(FileName()); }
    Status WriteEdit(const std::string& into) { return Writer().write(edited, state, into); }

    void ExpectError(const Status& status, const std::string& path, const std::string& reason) {
        ASSERT_FALSE(status) << path << " was written";
        EXPECT_TRUE(HasText(status.Error(), path + ": " + reason)) << status.Error();
    }
    // The old file is whole, nothing was left beside it, the roster holds the accepted edit and
    // its store file still counts as unsaved.
    void ExpectOldFileKept() {
        EXPECT_EQ(TestFolder::Read(Target()), oldBytes);
        EXPECT_EQ(folder.Listing(), FileName());
        EXPECT_TRUE(edited == test::EditedRoster());
        EXPECT_EQ(state.unsavedStores, StoreFileSet(Writer().store));
    }

    struct Outcome {
        int status = -1;       // the helper's exit status
        std::string error;     // what it printed
        std::string listing;   // the folder afterwards
        std::string oldFile;   // the file before the failed write
        std::string afterward; // and after it
    };
    // Mounts a tmpfs of size bytes on a fresh folder in a private namespace, writes the built-in
    // roster's file there, makes the file system read-only if asked, then writes the edited
    // roster's file and records what became of it. Skips the test when mounts are refused.
    Outcome WriteOnOwnFileSystem(std::size_t size, bool readOnly) {
        Outcome outcome;
        if (!PrivateMountsWork())
            return outcome;
        const std::string dir = folder.File("mnt");
        const std::string out = folder.File("out");
        fs::create_directory(dir);
        fs::create_directory(out);
        const char* script = R"(dir=$1 helper=$2 writer=$3 size=$4 mode=$5 file=$6 out=$7
mount -t tmpfs -o "size=$size" tmpfs "$dir" || exit 90
"$helper" "$writer" "$dir" || exit 91
cat "$dir/$file" >"$out/old" || exit 91
if [ "$mode" = ro ]; then mount -o remount,bind,ro "$dir" || exit 90; fi
"$helper" "$writer" "$dir" edited 2>"$out/error"
echo $? >"$out/status"
ls -A "$dir" >"$out/listing"
cat "$dir/$file" >"$out/after")";
        const int status =
            RunProgram({"unshare", "-rm", "sh", "-c", script, "sh", dir, RK7_FAULT_HELPER,
                        std::string(Writer().name), std::to_string(size), readOnly ? "ro" : "rw",
                        FileName(), out});
        if (status == 90)
            return outcome; // the mount was refused
        EXPECT_EQ(status, 0) << "the namespace script failed";
        // Empty when the script stopped before the write. Parsed apart rather than as
        // std::stoi("0" + text), which GCC 12 at -O3 flags with a false -Wrestrict.
        const std::string helperStatus = TestFolder::Read(out + "/status");
        outcome.status = helperStatus.empty() ? 0 : std::stoi(helperStatus);
        outcome.error = TestFolder::Read(out + "/error");
        outcome.listing = TestFolder::Read(out + "/listing");
        outcome.oldFile = TestFolder::Read(out + "/old");
        outcome.afterward = TestFolder::Read(out + "/after");
        return outcome;
    }
    void ExpectKeptOnOwnFileSystem(const Outcome& outcome, const std::string& reason) {
        EXPECT_EQ(outcome.status, 1) << outcome.error;
        EXPECT_TRUE(HasText(outcome.error, folder.File("mnt/" + FileName()) + ": " + reason))
            << outcome.error;
        EXPECT_EQ(outcome.oldFile, oldBytes);
        EXPECT_EQ(outcome.afterward, oldBytes);
        EXPECT_EQ(outcome.listing, FileName() + "\n"); // no temporary file left
    }

    TestFolder folder;
    ProgramState state;
    Roster edited = test::EditedRoster();
    std::string oldBytes;
};

TEST_P(WriterFaults, TargetIsAFolder) {
    TestFolder other;
    const std::string sub = other.File("sub");
    fs::create_directories(sub + "/" + FileName());
    ExpectError(WriteEdit(sub), sub + "/" + FileName(), "Is a directory");
    EXPECT_TRUE(fs::is_directory(sub + "/" + FileName()));
    EXPECT_TRUE(fs::is_empty(sub + "/" + FileName()));
    EXPECT_EQ(std::distance(fs::directory_iterator(sub), fs::directory_iterator()), 1);
    ExpectOldFileKept();
}

TEST_P(WriterFaults, FolderMissingOrAFile) {
    ExpectError(WriteEdit(folder.File("nowhere")), folder.File("nowhere/" + FileName()),
                "No such file or directory");
    ExpectError(WriteEdit(Target()), Target() + "/" + FileName(), "Not a directory");
    ExpectOldFileKept();
}

TEST_P(WriterFaults, DiskFillsUpMidWrite) {
    Status status = Status::Ok();
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.Set());
        status = WriteEdit(folder.Path());
    }
    ExpectError(status, Target(), "File too large");
    ExpectOldFileKept();
}

TEST_P(WriterFaults, FileSystemFillsUp) {
    // Room for the old file and for the whole pages of the new one, but not its last part: the
    // temporary file takes what there is and the write stops with ENOSPC.
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t newSize = Writer().bytes(edited).size();
    ASSERT_NE(newSize % page, 0u);
    const std::size_t size = ((oldBytes.size() + page - 1) / page + newSize / page) * page;
    const Outcome outcome = WriteOnOwnFileSystem(size, false);
    if (outcome.status < 0)
        GTEST_SKIP()
            << "this machine refuses a private mount namespace (unshare -rm) or mounts in it";
    ExpectKeptOnOwnFileSystem(outcome, "No space left on device");
}

TEST_P(WriterFaults, FileSystemIsReadOnly) {
    const Outcome outcome = WriteOnOwnFileSystem(1 << 20, true);
    if (outcome.status < 0)
        GTEST_SKIP()
            << "this machine refuses a private mount namespace (unshare -rm) or mounts in it";
    ExpectKeptOnOwnFileSystem(outcome, "Read-only file system");
}

TEST_P(WriterFaults, FolderIsReadOnly) {
    if (IsRoot())
        GTEST_SKIP() << "root writes into read-only folders; FileSystemIsReadOnly covers this";
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    const Status status = WriteEdit(folder.Path());
    ::chmod(folder.Path().c_str(), 0755);
    ExpectError(status, Target(), "Permission denied");
    ExpectOldFileKept();
}

INSTANTIATE_TEST_SUITE_P(Faults, WriterFaults, ::testing::ValuesIn(test::FileWriters()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Targets that are not plain files ----------------------------------------------------------

TEST(UnusualTargets, SymbolicLinkStaysAndItsFileIsReplaced) {
    TestFolder folder;
    fs::create_directory(folder.File("real"));
    TestFolder::Write(folder.File("real/roster.txt"), "old");
    fs::create_symlink("real/roster.txt", folder.File("link.txt"));
    ASSERT_TRUE(WriteFileAtomically(folder.File("link.txt"), "new"));
    EXPECT_TRUE(fs::is_symlink(folder.File("link.txt")));
    EXPECT_EQ(TestFolder::Read(folder.File("real/roster.txt")), "new");
    EXPECT_EQ(folder.Listing(), "link.txt real");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.File("real")), fs::directory_iterator()),
              1);
}

TEST(UnusualTargets, PipeGetsTheDataAndStaysAPipe) {
    TestFolder folder;
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const std::string file = FormatExchangePerformanceFile(Roster());
    ASSERT_LT(file.size(), 60000u); // fits the pipe's buffer, so the write cannot block
    const Status status = WriteExchangePerformanceFile(Roster(), fifo);
    std::string received(file.size() + 10, '\0');
    const ssize_t n = ::read(reader, received.data(), received.size());
    ::close(reader);
    ASSERT_TRUE(status) << status.Error();
    ASSERT_GT(n, 0);
    received.resize(static_cast<std::size_t>(n));
    EXPECT_EQ(received, file);
    EXPECT_TRUE(fs::is_fifo(fifo)); // not replaced by a plain file
    EXPECT_EQ(folder.Listing(), "pipe");
}

TEST(UnusualTargets, PipeNobodyReadsIsAnErrorNotAWait) {
    TestFolder folder;
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Status status = WriteNativePerformanceFile(Roster(), fifo);
    ASSERT_FALSE(status);
    EXPECT_TRUE(HasText(status.Error(), fifo + ": No such device or address")) << status.Error();
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(folder.Listing(), "pipe");
}

TEST(UnusualTargets, LongestFileNameStillWritten) {
    // The temporary file must not need a longer name than the target's.
    TestFolder folder;
    const std::string name = std::string(251, 'n') + ".txt";
    ASSERT_TRUE(WriteNativePerformanceFile(Roster(), folder.File(name)));
    EXPECT_EQ(TestFolder::Read(folder.File(name)), FormatNativePerformanceFile(Roster()));
    EXPECT_EQ(folder.Listing(), name);
}

// ---- Readers ------------------------------------------------------------------------------------

class PerformanceReaderFaults : public ::testing::TestWithParam<Dialect> {
protected:
    void SetUp() override {
        roster.TeamName[0].SetText("Mine");
        before = roster;
    }
    PerformanceReadResult Read(const std::string& path) {
        return ReadPerformanceFile(path, roster, GetParam());
    }
    void ExpectUnreadable(const PerformanceReadResult& result, const std::string& reason) {
        EXPECT_EQ(result.outcome, ReadOutcome::Unreadable);
        EXPECT_TRUE(HasText(result.status.Error(), reason)) << result.status.Error();
        EXPECT_FALSE(result.touched.any());
        ExpectNothingChanged();
    }
    void ExpectNothingChanged() { EXPECT_TRUE(roster == before); }

    TestFolder folder;
    Roster roster;
    Roster before;
};

TEST_P(PerformanceReaderFaults, FileThatVanished) {
    const std::string path = folder.File("chosen.txt");
    ASSERT_TRUE(WritePerformanceFile(Roster(), GetParam(), path));
    fs::remove(path); // gone between the dialog and the read
    ExpectUnreadable(Read(path), path + ": No such file or directory");
}

TEST_P(PerformanceReaderFaults, FolderInsteadOfAFile) {
    fs::create_directory(folder.File("folder.txt"));
    ExpectUnreadable(Read(folder.File("folder.txt")),
                     folder.File("folder.txt") + ": Is a directory");
}

TEST_P(PerformanceReaderFaults, PipeNobodyWritesReadsAsEmpty) {
    const std::string fifo = folder.File("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const PerformanceReadResult result = ReadWithoutHanging(fifo, [&] { return Read(fifo); });
    EXPECT_EQ(result.outcome, ReadOutcome::NotPerformanceFile);
    EXPECT_EQ(result.status.Error(), NotPerformanceFileText);
    ExpectNothingChanged();
}

TEST_P(PerformanceReaderFaults, FileTooLarge) {
    const std::string path = folder.File("huge.txt");
    TestFolder::Write(path, FormatPerformanceFile(Roster(), GetParam()) +
                                std::string(MaxPerformanceFileBytes, 'x'));
    ExpectUnreadable(Read(path), path + ": larger than 4 MiB");
}

TEST_P(PerformanceReaderFaults, FileWithoutReadPermission) {
    if (IsRoot())
        GTEST_SKIP() << "root reads files whatever their permissions";
    const std::string path = folder.File("locked.txt");
    ASSERT_TRUE(WritePerformanceFile(Roster(), GetParam(), path));
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ExpectUnreadable(Read(path), path + ": Permission denied");
}

INSTANTIATE_TEST_SUITE_P(Faults, PerformanceReaderFaults,
                         ::testing::Values(Dialect::Native, Dialect::Exchange),
                         [](const auto& info) { return std::string(DialectName(info.param)); });

TEST(StoreReaderFaults, StoreFileThatVanishedKeepsTheDefaults) {
    TestFolder folder;
    ProgramState state;
    state.folder = ResolveRosterFolder(folder.Path());
    Roster edited = test::EditedRoster();
    for (StoreFile f : StoreFiles)
        ASSERT_TRUE(SaveStore(edited, state, f));
    fs::remove(folder.File("Drivers.rk"));
    Roster r;
    const LoadStoreReport report = LoadStore(r, state, folder.Path());
    EXPECT_FALSE(report.files[1].found);
    EXPECT_TRUE(report.files[1].status); // missing is no error: the defaults stand
    EXPECT_EQ(r.DriverName, Roster().DriverName);
    EXPECT_EQ(r.TeamName, edited.TeamName);
}

TEST(StoreReaderFaults, StoreFilesThatCannotBeRead) {
    TestFolder folder;
    fs::create_directory(folder.File("EPowers.rk"));
    ASSERT_EQ(::mkfifo(folder.File("RanFail.rk").c_str(), 0600), 0);
    // A writer that holds the FIFO open and idles would keep a read waiting, and the folder
    // locked, for good.
    const int idleWriter = ::open(folder.File("RanFail.rk").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(idleWriter, 0);
    Roster r;
    ProgramState state;
    const LoadStoreReport report = ReadWithoutHanging(
        folder.File("RanFail.rk"), [&] { return LoadStore(r, state, folder.Path()); });
    ::close(idleWriter);
    EXPECT_FALSE(report.files[2].found);
    EXPECT_EQ(report.files[2].status.Error(), folder.File("EPowers.rk") + ": Is a directory");
    EXPECT_FALSE(report.files[3].found);
    EXPECT_EQ(report.files[3].status.Error(),
              folder.File("RanFail.rk") + ": not a regular file; it is left as it is");
    EXPECT_TRUE(r == Roster());
    EXPECT_EQ(folder.Listing(), "EPowers.rk RanFail.rk"); // loading writes nothing
}

} // namespace
} // namespace rk7
