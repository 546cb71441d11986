#include "cli/commands.h"

#include "exchange/performance_file.h"
#include "model/roster_form.h"
#include "model/store.h"

namespace rk7 {

namespace {

// The roster as the program sees it at start-up. Unlike the program, a store file that exists
// but cannot be read is an error here: a script must not go on with the defaults unawares.
bool LoadRoster(const std::string& dir, Roster& roster, ProgramState& state, Output io) {
    const LoadStoreReport report = LoadStore(roster, state, dir);
    bool ok = true;
    for (const StoreLoad& load : report.files) {
        if (!load.error.empty()) {
            io.err << load.error << '\n';
            ok = false;
        }
    }
    return ok;
}

// Reports a failed read and gives its exit status; lists the diagnostics of a good one.
int ReportRead(const std::string& file, const PerformanceReadResult& result, Output io) {
    switch (result.outcome) {
    case ReadOutcome::Unreadable:
        io.err << result.error << '\n';
        return ExitFileError;
    case ReadOutcome::NotPerformanceFile:
        io.err << file << ": " << result.error << '\n';
        return ExitNotPerformanceFile;
    case ReadOutcome::Read:
        break;
    }
    for (const Diagnostic& d : result.diagnostics)
        io.err << file << ':' << d.line << ": " << d.message << '\n';
    return ExitSuccess;
}

int Report(const Status& status, Output io) {
    if (status)
        return ExitSuccess;
    io.err << status.Error() << '\n';
    return ExitFileError;
}

int SaveTeamsAndDrivers(const Roster& roster, ProgramState& state, Output io) {
    const int teams = Report(SaveTeamsStore(roster, state), io);
    if (teams != ExitSuccess)
        return teams;
    return Report(SaveDriversStore(roster, state), io);
}

int WriteToStandardOutput(std::string_view data, Output io) {
    io.out.write(data.data(), static_cast<std::streamsize>(data.size()));
    io.out.flush();
    if (io.out)
        return ExitSuccess;
    io.err << "standard output: write failed\n";
    return ExitFileError;
}

} // namespace

int ExportCommand(const std::string& dir, Dialect dialect, const std::string& file, Output io) {
    Roster roster;
    ProgramState state;
    if (!LoadRoster(dir, roster, state, io))
        return ExitFileError;
    if (file == "-")
        return WriteToStandardOutput(FormatPerformanceFile(roster, dialect), io);
    return Report(WritePerformanceFile(roster, dialect, file), io);
}

int ImportCommand(const std::string& dir, std::optional<Dialect> dialect, const std::string& file,
                  Output io) {
    Roster roster;
    ProgramState state;
    if (!LoadRoster(dir, roster, state, io))
        return ExitFileError;
    const int read = ReportRead(file, ReadPerformanceFile(file, roster, state, dialect), io);
    if (read != ExitSuccess)
        return read;
    return SaveTeamsAndDrivers(roster, state, io);
}

int ConvertCommand(const std::string& dir, Dialect to, const std::string& in,
                   const std::string& out, Output io) {
    Roster roster;
    ProgramState state;
    if (!LoadRoster(dir, roster, state, io))
        return ExitFileError;
    const int read = ReportRead(in, ReadPerformanceFile(in, roster, state), io);
    if (read != ExitSuccess)
        return read;
    return Report(WritePerformanceFile(roster, to, out), io);
}

int CheckCommand(const std::string& file, Output io) {
    // The diagnostics do not depend on what the roster held before, so any roster will do.
    Roster scratch;
    ProgramState state;
    const PerformanceReadResult result = ReadPerformanceFile(file, scratch, state);
    if (!result.ok())
        return ReportRead(file, result, io);
    io.out << DialectName(result.dialect) << '\n';
    for (const Diagnostic& d : result.diagnostics)
        io.out << file << ':' << d.line << ": " << d.message << '\n';
    return result.diagnostics.empty() ? ExitSuccess : ExitDiagnostics;
}

int ShowCommand(const std::string& dir, View view, OutputFormat format, Output io) {
    Roster roster;
    ProgramState state;
    if (!LoadRoster(dir, roster, state, io))
        return ExitFileError;
    switch (format) {
    case OutputFormat::Json:
        return WriteToStandardOutput(RosterAsJson(roster), io);
    case OutputFormat::Csv:
        return WriteToStandardOutput(TableAsCsv(MakeViewTable(roster, view)), io);
    case OutputFormat::Text:
        break;
    }
    return WriteToStandardOutput(TableAsText(MakeViewTable(roster, view)), io);
}

int CalcCommand(const std::string& dir, bool save, Output io) {
    Roster roster;
    ProgramState state;
    if (!LoadRoster(dir, roster, state, io))
        return ExitFileError;
    RecalcRoster(roster);
    if (save) {
        const int saved = SaveTeamsAndDrivers(roster, state, io);
        if (saved != ExitSuccess)
            return saved;
    }
    return WriteToStandardOutput(TableAsText(MakeViewTable(roster, View::All)), io);
}

} // namespace rk7
