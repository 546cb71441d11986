#include "cli/commands.h"

#include "cli/diff_report.h"
#include "exchange/performance_file.h"
#include "model/folder_transaction.h"
#include "model/roster_diff.h"
#include "model/roster_folder.h"
#include "model/roster_form.h"
#include "model/store.h"

#include <sys/stat.h>
#include <unistd.h>

namespace rk7 {

namespace {

// Reports how the store files of dir were loaded; false when that failed. Unlike the program, a
// store file that exists but cannot be read is an error here: a script must not go on with the
// defaults unawares.
bool ReportLoad(const std::string& dir, const LoadStoreReport& report, Output io) {
    const RosterLook look = DescribeLoad(dir, report);
    for (const std::string& error : look.errors)
        io.err << error << '\n';
    // A store file of the wrong size is read as far as it goes, as the program does, but not
    // silently: the next save would make the damage permanent.
    for (const std::string& warning : look.warnings)
        io.err << "warning: " << warning << '\n';
    return look.errors.empty();
}

// The roster as the program sees it at start-up, for a command that saves into the folder.
bool LoadRoster(const std::string& dir, Roster& roster, ProgramState& state, Output io) {
    return ReportLoad(dir, LoadStore(roster, state, dir), io);
}

// The same roster for a command that only reads: a save cut short there is read as done but
// left for the next save, so that a folder the user may only read can still be read, and
// nothing in it changes.
bool PeekRoster(const std::string& dir, Roster& roster, Output io) {
    return ReportLoad(dir, PeekStore(roster, dir), io);
}

// A command's output never goes over one of the roster folder's own files: not as the file it
// is told to write, and not through a standard output that the shell opened on one (which the
// shell has emptied already, so that the command must not go on and save or read it).
bool OutputAllowed(const std::string& dir, const std::string& file, Output io) {
    const RosterFolder folder = ResolveRosterFolder(dir);
    for (const std::string& path : {file, std::string("/dev/stdout")}) {
        if (path.empty() || path == "-" || !IsRosterFolderFile(folder, path))
            continue;
        io.err << (path == file ? path : std::string("standard output"))
               << ": this is one of the roster folder's own files (a store file or the journal "
                  "of a save), which a command never writes its output over; nothing was "
                  "written\n";
        return false;
    }
    return true;
}

// Reports a failed read and gives its exit status; lists the diagnostics of a good one.
int ReportRead(const std::string& file, const PerformanceReadResult& result, Output io,
               bool strict = false) {
    switch (result.outcome) {
    case ReadOutcome::Unreadable:
        io.err << result.status.Error() << '\n';
        return ExitFileError;
    case ReadOutcome::NotPerformanceFile:
        io.err << file << ": " << result.status.Error() << '\n';
        return ExitNotPerformanceFile;
    case ReadOutcome::Read:
        break;
    }
    for (const Diagnostic& d : result.diagnostics)
        io.err << file << ':' << d.line << ": " << d.message << '\n';
    // A notice changed no value (the program's own files may earn one): no reason to refuse.
    if (const std::size_t refusals = result.Refusals(); strict && refusals != 0) {
        io.err << file << ": refused under --strict (" << refusals
               << (refusals == 1 ? " diagnostic" : " diagnostics") << "); nothing was written\n";
        return ExitDiagnostics;
    }
    return ExitSuccess;
}

int Report(const Status& status, Output io) {
    if (status)
        return ExitSuccess;
    io.err << status.Error() << '\n';
    return ExitFileError;
}

// Teams.rk and Drivers.rk, both or neither.
int SaveTeamsAndDrivers(const Roster& roster, ProgramState& state, Output io) {
    return Report(SaveStores(roster, state, TeamsStore | DriversStore), io);
}

// Whatever went to the standard output must have arrived: a full disk or a closed pipe is an
// error like any other.
int FinishOutput(Output io) {
    io.out.flush();
    if (io.out)
        return ExitSuccess;
    io.err << "standard output: write failed\n";
    return ExitFileError;
}

int WriteToStandardOutput(std::string_view data, Output io) {
    io.out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return FinishOutput(io);
}

// Whether path names the file that descriptor fd is open on.
bool IsOpenOn(const std::string& path, int fd) {
    struct stat file {};
    struct stat open {};
    return ::stat(path.c_str(), &file) == 0 && ::fstat(fd, &open) == 0 &&
           file.st_dev == open.st_dev && file.st_ino == open.st_ino;
}

// Writes an output file: through the standard output or error when path is "-" or names the
// file they are open on (replacing it would lose what they wrote before and after), else by
// replacing the file.
int WriteOutputFile(const std::string& path, std::string_view data, Output io) {
    if (path == "-" || IsOpenOn(path, STDOUT_FILENO))
        return WriteToStandardOutput(data, io);
    if (IsOpenOn(path, STDERR_FILENO)) {
        io.err.write(data.data(), static_cast<std::streamsize>(data.size()));
        io.err.flush();
        return io.err ? ExitSuccess : ExitFileError;
    }
    return Report(WriteFileAtomically(path, data), io);
}

// Holds the lock of the roster folder for a whole command, so that no other program saves into
// it between this one's load and save.
bool LockFolder(const std::string& dir, FolderLock& lock, Output io) {
    if (Status locked = FolderLock::Acquire(dir, lock); !locked) {
        io.err << locked.Error() << '\n';
        return false;
    }
    return true;
}

} // namespace

int ExportCommand(const std::string& dir, Dialect dialect, const std::string& file, Output io) {
    if (!OutputAllowed(dir, file, io))
        return ExitFileError;
    Roster roster;
    if (!PeekRoster(dir, roster, io))
        return ExitFileError;
    return WriteOutputFile(file, FormatPerformanceFile(roster, dialect), io);
}

int ImportCommand(const std::string& dir, const std::string& file, const ReadOptions& options,
                  Output io) {
    if (!OutputAllowed(dir, {}, io))
        return ExitFileError;
    FolderLock lock;
    if (!LockFolder(dir, lock, io))
        return ExitFileError;
    Roster roster;
    ProgramState state;
    if (!LoadRoster(dir, roster, state, io))
        return ExitFileError;
    const int read =
        ReportRead(file, ReadPerformanceFile(file, roster, options.dialect, options.encoding), io,
                   options.strict);
    if (read != ExitSuccess)
        return read;
    return SaveTeamsAndDrivers(roster, state, io);
}

int ConvertCommand(const std::string& dir, Dialect to, const std::string& in,
                   const std::string& out, const ReadOptions& options, Output io) {
    if (!OutputAllowed(dir, out, io))
        return ExitFileError;
    Roster roster;
    if (!PeekRoster(dir, roster, io))
        return ExitFileError;
    const int read = ReportRead(
        in, ReadPerformanceFile(in, roster, options.dialect, options.encoding), io, options.strict);
    if (read != ExitSuccess)
        return read;
    return WriteOutputFile(out, FormatPerformanceFile(roster, to), io);
}

int CheckCommand(const std::string& file, TextEncoding encoding, Output io) {
    // The diagnostics do not depend on what the roster held before, so any roster will do.
    Roster scratch;
    const PerformanceReadResult result = ReadPerformanceFile(file, scratch, std::nullopt, encoding);
    if (!result.IsOk())
        return ReportRead(file, result, io);
    io.out << DialectName(result.dialect) << '\n';
    for (const Diagnostic& d : result.diagnostics)
        io.out << file << ':' << d.line << ": " << d.message << '\n';
    if (FinishOutput(io) != ExitSuccess)
        return ExitFileError;
    return result.diagnostics.empty() ? ExitSuccess : ExitDiagnostics;
}

int ShowCommand(const std::string& dir, View view, OutputFormat format, Output io) {
    if (!OutputAllowed(dir, {}, io))
        return ExitFileError;
    Roster roster;
    if (!PeekRoster(dir, roster, io))
        return ExitFileError;
    switch (format) {
    case OutputFormat::Json:
        return WriteToStandardOutput(RosterAsJson(roster), io);
    case OutputFormat::Csv:
        return WriteToStandardOutput(TableAsCsv(MakeRosterTable(roster, view)), io);
    case OutputFormat::Text:
        break;
    }
    return WriteToStandardOutput(TableAsText(MakeRosterTable(roster, view)), io);
}

int DiffCommand(const std::string& dir, const std::string& file, const std::string& againstDir,
                const ReadOptions& options, OutputFormat format, Output io) {
    if (!OutputAllowed(dir, {}, io))
        return ExitFileError;
    Roster now;
    if (!ReportLoad(dir, PeekStore(now, dir), io))
        return ExitFileError;
    Roster other;
    if (!againstDir.empty()) {
        if (!ReportLoad(againstDir, PeekStore(other, againstDir), io))
            return ExitFileError;
    } else {
        other = now;
        const int read = ReportRead(
            file, ReadPerformanceFile(file, other, options.dialect, options.encoding), io);
        if (read != ExitSuccess)
            return read;
    }
    const std::vector<CellDifference> differences = DiffRosters(now, other);
    const int written =
        WriteToStandardOutput(format == OutputFormat::Json ? DifferencesAsJson(differences)
                                                           : DifferencesAsText(differences),
                              io);
    if (written != ExitSuccess)
        return written;
    return differences.empty() ? ExitSuccess : ExitCellsDiffer;
}

int CalcCommand(const std::string& dir, bool save, Output io) {
    if (!OutputAllowed(dir, {}, io))
        return ExitFileError;
    FolderLock lock;
    if (save && !LockFolder(dir, lock, io))
        return ExitFileError;
    Roster roster;
    ProgramState state;
    if (save ? !LoadRoster(dir, roster, state, io) : !PeekRoster(dir, roster, io))
        return ExitFileError;
    RecalcRoster(roster);
    if (save) {
        const int saved = SaveTeamsAndDrivers(roster, state, io);
        if (saved != ExitSuccess)
            return saved;
        lock.Release();
    }
    const int printed = WriteToStandardOutput(TableAsText(MakeRosterTable(roster, View::All)), io);
    if (printed != ExitSuccess && save)
        io.err << "Teams.rk and Drivers.rk were saved all the same\n";
    return printed;
}

} // namespace rk7
