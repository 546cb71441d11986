#pragma once

#include "exchange/performance_file.h"
#include "model/cell.h"
#include "model/roster.h"
#include "model/roster_schema.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rk7 {

// The lines that both dialects carry byte for byte alike: a team's Name and Performance lines,
// its two driver lines and the spare-driver lines. Each dialect's writer and reader arranges
// them; only their contents live here.

inline constexpr std::string_view CrLf = "\r\n";

// How a value of a line stands for its cell.
enum class ValueForm : unsigned char {
    Text,   // the cell's text
    Rest,   // the cell's text; read, it takes the rest of the line, commas included
    Power,  // the cell's number plus FilePowerOffset
    Unread, // the cell's text, written but never read back: the reading of the line stops there
};

// A value of a line, and what is written before it: the first value's stands after the "=".
// Messages name the value by its field's label.
struct LineValue {
    Field field;
    ValueForm form;
    std::string_view before;
};

// A team's Name and Performance lines, a driver line and a spare line, in the order of the line.
// Race power comes before qualifying power.
inline constexpr LineValue NameValues[] = {
    {Field::TeamName, ValueForm::Text, ""},
    {Field::EngineName, ValueForm::Text, ","},
};
inline constexpr LineValue PerformanceValues[] = {
    {Field::TeamRacePower, ValueForm::Text, ""},
    {Field::TeamQualPower, ValueForm::Text, ","},
    {Field::TeamFailure, ValueForm::Rest, ","},
};
inline constexpr LineValue DriverValues[] = {
    {Field::CarNumber, ValueForm::Text, ""},
    {Field::DriverName, ValueForm::Text, ","},
    {Field::DriverRacePower, ValueForm::Power, ","},
    {Field::DriverQualPower, ValueForm::Power, ","},
    {Field::DriverRange, ValueForm::Unread, ", "},
};
inline constexpr LineValue SpareValues[] = {
    {Field::SpareName, ValueForm::Text, ""},
    {Field::SpareRacePower, ValueForm::Power, ","},
    {Field::SpareQualPower, ValueForm::Power, ","},
    {Field::SpareRange, ValueForm::Text, ","},
};

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
    // result outside -9999..99999, what a power cell holds, is clamped to it.
    void Power(CellRef cell, std::string_view field, std::string_view what);

private:
    void NoteCut(std::string_view what, std::size_t length, std::size_t kept);
    void NoteNul(std::string_view what, std::size_t kept);

    std::vector<Diagnostic>& m_diagnostics;
    int m_line;
};

// Reading: takes the value of a line (the text after "=") into the cells of row, value by value,
// up to the first Unread value. A driver line's range and its two constant fields are not read.
void ReadValues(std::string_view value, std::span<const LineValue> values, Roster& roster, int row,
                CellWriter& cells);

// The eight position lines of a native team block, in file order.
struct PositionLine {
    std::string_view key; // written before the "="
    Field field;          // the roster field it carries
    int driver;           // 0 or 1: the team's first or second driver; -1: a team field
};
inline constexpr std::array<PositionLine, 8> PositionLines = {{
    {"DQualPosD1", Field::DriverQualPos, 0},
    {"DQualPosD2", Field::DriverQualPos, 1},
    {"DRacePosD1", Field::DriverRacePos, 0},
    {"DRacePosD2", Field::DriverRacePos, 1},
    {"TQualPosD1", Field::TeamQualPosD1, -1},
    {"TQualPosD2", Field::TeamQualPosD2, -1},
    {"TRacePosD1", Field::TeamRacePosD1, -1},
    {"TRacePosD2", Field::TeamRacePosD2, -1},
}};

// What messages call the value of a position line: its field's label, and whose for a driver's
// ("first driver's qualifying position").
std::string PositionLabel(const PositionLine& line);

// The cell that position line i (0..7) of team's block holds: a CellRef, or a ConstCellRef for a
// const roster.
template <typename R>
auto PositionCell(R& roster, int team, std::size_t i) {
    const PositionLine& line = PositionLines[i];
    return SchemaOf(line.field)
        .At(roster, line.driver < 0 ? team : FirstDriverOf(team) + line.driver);
}

} // namespace rk7
