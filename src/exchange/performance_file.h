#pragma once

#include "exchange/dialect.h"
#include "model/file_io.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/status.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

// Driver and spare powers travel in the file as the cell's number plus this offset.
inline constexpr long FilePowerOffset = 15751;

// What the readers say when the first line is not the banner. (The text is spelled as users of
// the program have always seen it.)
inline constexpr std::string_view NotPerformanceFileText = "This not a valid Peformance File";

// Nobody writes a Performance File this large; refusing it keeps a wrong choice of file from
// filling the memory.
inline constexpr std::size_t MaxPerformanceFileBytes = 4u << 20;

// A value that was not taken as it stood: cut to its cell, clamped, missing its "=", or never
// reached because the file ended. Line numbers start at 1.
//
// A notice is listed with them but changed no value: that the file looks like UTF-8 although it
// was read, byte for byte, as the Windows-1252 it is taken for. The program's own files read so
// whenever a cell holds such bytes (a name once read from a UTF-8 file without its mark), and
// they must pass a strict reading, so strictness counts only the diagnostics that are not
// notices (PerformanceReadResult::Refusals).
struct Diagnostic {
    int line = 0;
    std::string message;
    bool notice = false;

    friend bool operator==(const Diagnostic&, const Diagnostic&) = default;
};

enum class ReadOutcome {
    Read,               // the banner was right and the lines were taken over the roster
    NotPerformanceFile, // wrong banner: the roster is untouched
    Unreadable,         // the file could not be read: the roster is untouched
};

struct PerformanceReadResult {
    ReadOutcome outcome = ReadOutcome::Read;
    Dialect dialect = Dialect::Native; // the dialect read or asked for
    // Fails unless the outcome is Read: NotPerformanceFileText, or "path: reason" when the file
    // could not be read.
    Status status = Status::Ok();
    std::vector<Diagnostic> diagnostics;
    // The store files whose blocks the reading wrote into; none when it failed.
    StoreFileSet touched;

    bool IsOk() const { return outcome == ReadOutcome::Read; }
    // The diagnostics of values not taken as they stood, notices left out: what a strict reading
    // refuses a file for.
    std::size_t Refusals() const;
};

// Writing: the whole file from the roster, every line ended by CR LF. The roster is only read.
std::string FormatPerformanceFile(const Roster& roster, Dialect dialect);
std::string FormatNativePerformanceFile(const Roster& roster);
std::string FormatExchangePerformanceFile(const Roster& roster);

// Replaces the file at path atomically; a failure names the path and the reason and leaves any
// old file whole.
Status WritePerformanceFile(const Roster& roster, Dialect dialect, const std::string& path,
                            Durability durability = Durability::Flush);
Status WriteNativePerformanceFile(const Roster& roster, const std::string& path,
                                  Durability durability = Durability::Flush);
Status WriteExchangePerformanceFile(const Roster& roster, const std::string& path,
                                    Durability durability = Durability::Flush);

// How the bytes of a file to read stand for characters. Cells hold Windows-1252, which is what
// files are read as, unless they start with a UTF-8 byte-order mark; a file without the mark
// that reads as UTF-8 gets a notice. Utf8 reads a file as UTF-8, mark or not.
enum class TextEncoding { Detect, Utf8 };

// Reading: checks the banner of the dialect (the one the banner names when none is given), then
// overwrites roster cells line by line, by line number alone. Keys and section headers are never
// compared. DriverRange is never read; positions are read in the native dialect only. A file that
// ends early stops the reading, and the cells not reached keep their values. On success the
// result names the Teams and Drivers store files as touched.
PerformanceReadResult ParsePerformanceFile(std::string_view data, Roster& roster,
                                           std::optional<Dialect> dialect = std::nullopt,
                                           TextEncoding encoding = TextEncoding::Detect);
PerformanceReadResult ParseNativePerformanceFile(std::string_view data, Roster& roster);
PerformanceReadResult ParseExchangePerformanceFile(std::string_view data, Roster& roster);

// The same from the file at path, read in one go.
PerformanceReadResult ReadPerformanceFile(const std::string& path, Roster& roster,
                                          std::optional<Dialect> dialect = std::nullopt,
                                          TextEncoding encoding = TextEncoding::Detect);
PerformanceReadResult ReadNativePerformanceFile(const std::string& path, Roster& roster);
PerformanceReadResult ReadExchangePerformanceFile(const std::string& path, Roster& roster);

} // namespace rk7
