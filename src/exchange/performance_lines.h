#pragma once

#include "exchange/performance_file.h"
#include "model/cell.h"
#include "model/roster.h"
#include "model/roster_schema.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

// The lines that both dialects carry byte for byte alike: a team's Name and Performance lines,
// its two driver lines and the spare-driver lines. Each dialect's writer and reader arranges
// them; only their contents live here.

inline constexpr std::string_view CrLf = "\r\n";

// Writing: each appends one whole line, CR LF included.
void AppendNameLine(std::string& out, const Roster& roster, int team);
void AppendPerformanceLine(std::string& out, const Roster& roster, int team);
// "First Driver=" for driver row 2t, "Second Driver=" for row 2t+1.
void AppendDriverLine(std::string& out, const Roster& roster, int driver);
void AppendSpareLine(std::string& out, const Roster& roster, int spare);

// Puts text into roster cells for one line of a file, and notes under that line's number every
// value it had to cut or clamp.
class CellWriter {
public:
    CellWriter(std::vector<Diagnostic>& diagnostics, int line)
        : m_diagnostics(diagnostics), m_line(line) {}

    // The text as it stands; a text too long for the cell keeps its first W-1 bytes. A NUL byte
    // ends a cell's text, so whatever follows one is lost, and that is noted too.
    void Text(CellRef cell, std::string_view text, std::string_view what) {
        const bool whole = cell.SetText(text);
        if (const std::size_t nul = text.find('\0'); nul < cell.MaxChars())
            NoteNul(what, nul);
        else if (!whole)
            NoteCut(what, text.size(), cell.MaxChars());
    }

    // A power field: blanks trimmed, read as a number, less FilePowerOffset, plain decimal. A
    // result the cell cannot hold is clamped to -9999..99999.
    void Power(Cell<DriverValueWidth>& cell, std::string_view field, std::string_view what);

private:
    void NoteCut(std::string_view what, std::size_t length, std::size_t kept);
    void NoteNul(std::string_view what, std::size_t kept);

    std::vector<Diagnostic>& m_diagnostics;
    int m_line;
};

// Reading: each takes the value of its line (the text after "=") into the roster.
void ReadNameValue(std::string_view value, Roster& roster, int team, CellWriter& cells);
void ReadPerformanceValue(std::string_view value, Roster& roster, int team, CellWriter& cells);
// Car number, name and the two powers; the range and the two constant fields are not read.
void ReadDriverValue(std::string_view value, Roster& roster, int driver, CellWriter& cells);
void ReadSpareValue(std::string_view value, Roster& roster, int spare, CellWriter& cells);

// The eight position lines of a native team block, in file order.
struct PositionLine {
    std::string_view key;  // written before the "="
    std::string_view what; // named in diagnostics
    Field field;           // the roster field it carries
    int driver;            // 0 or 1: the team's first or second driver; -1: a team field
};
inline constexpr std::array<PositionLine, 8> PositionLines = {{
    {"DQualPosD1", "first driver's qualifying position", Field::DriverQualPos, 0},
    {"DQualPosD2", "second driver's qualifying position", Field::DriverQualPos, 1},
    {"DRacePosD1", "first driver's race position", Field::DriverRacePos, 0},
    {"DRacePosD2", "second driver's race position", Field::DriverRacePos, 1},
    {"TQualPosD1", "team qualifying position of the first car", Field::TeamQualPosD1, -1},
    {"TQualPosD2", "team qualifying position of the second car", Field::TeamQualPosD2, -1},
    {"TRacePosD1", "team race position of the first car", Field::TeamRacePosD1, -1},
    {"TRacePosD2", "team race position of the second car", Field::TeamRacePosD2, -1},
}};

// The cell that position line i (0..7) of team's block holds: a CellRef, or a ConstCellRef for a
// const roster.
template <typename R>
auto PositionCell(R& roster, int team, std::size_t i) {
    const PositionLine& line = PositionLines[i];
    return SchemaOf(line.field)
        .At(roster, line.driver < 0 ? team : FirstDriverOf(team) + line.driver);
}

} // namespace rk7
