#pragma once

#include "cli/roster_tables.h"
#include "exchange/dialect.h"
#include "exchange/performance_file.h"
#include "model/exit_status.h"

#include <optional>
#include <ostream>
#include <string>

namespace rk7 {

// Where a command writes: its results to out, errors and diagnostics to err.
struct Output {
    std::ostream& out;
    std::ostream& err;
};

// How a command reads a Performance File.
struct ReadOptions {
    std::optional<Dialect> dialect; // none: the one the banner names
    TextEncoding encoding = TextEncoding::Detect;
    bool strict = false; // any diagnostic refuses the file: nothing is written
};

// Each command takes dir, the roster folder, whose store files it loads over the built-in roster
// as the program does at start-up, and returns the exit status.

// Output files: "-", or a path that names the file the standard output or error is open on,
// is written through that stream (appending where it appends) rather than replaced.

// Writes the roster as a Performance File.
int ExportCommand(const std::string& dir, Dialect dialect, const std::string& file, Output io);
// Reads a Performance File over the roster and saves Teams.rk and Drivers.rk together, holding
// the folder's lock from the load to the save.
int ImportCommand(const std::string& dir, const std::string& file, const ReadOptions& options,
                  Output io);
// Reads in over the roster and writes out in dialect to; saves nothing.
int ConvertCommand(const std::string& dir, Dialect to, const std::string& in,
                   const std::string& out, const ReadOptions& options, Output io);
// Names the dialect of file and lists every diagnostic reading it would give.
int CheckCommand(const std::string& file, TextEncoding encoding, Output io);
// Prints a view of the roster; json always gives the whole roster.
int ShowCommand(const std::string& dir, View view, OutputFormat format, Output io);
// Lists every cell whose text differs between the roster of dir and the same roster with the
// Performance File file read over it (as import reads it), or, when againstDir is given instead,
// the roster of that roster folder; format is Text or Json. Writes nothing at all: the roster
// folders are only read, under their locks, and a save cut short there is read as done but not
// completed.
int DiffCommand(const std::string& dir, const std::string& file, const std::string& againstDir,
                const ReadOptions& options, OutputFormat format, Output io);
// Recalculates every team and driver from its positions as in Auto Edit Mode and prints View
// All; with save, writes Teams.rk and Drivers.rk first.
int CalcCommand(const std::string& dir, bool save, Output io);

} // namespace rk7
