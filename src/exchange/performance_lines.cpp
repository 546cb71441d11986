#include "exchange/performance_lines.h"

#include "exchange/line_reader.h"
#include "model/calc.h"

#include <charconv>

namespace rk7 {

namespace {

void AppendNumber(std::string& out, long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// A power cell as the file carries it: its number plus the offset.
void AppendFilePower(std::string& out, const Cell<DriverValueWidth>& cell) {
    AppendNumber(out, ReadNumber(cell.Text()) + FilePowerOffset);
}

// The widest values a power cell holds: five characters, one of them a minus sign when negative.
constexpr long MostPower = 99999;
constexpr long LeastPower = -9999;

// Diagnostics quote at most this much of a field, so that a runaway line stays readable.
constexpr std::size_t QuotedFieldLength = 20;

std::string Quoted(std::string_view field) {
    std::string quoted = "\"";
    quoted += field.substr(0, QuotedFieldLength);
    if (field.size() > QuotedFieldLength)
        quoted += "...";
    quoted += '"';
    return quoted;
}

} // namespace

void AppendNameLine(std::string& out, const Roster& r, int team) {
    out += "Name=";
    out += r.TeamName[team].Text();
    out += ',';
    out += r.EngineName[team].Text();
    out += CrLf;
}

void AppendPerformanceLine(std::string& out, const Roster& r, int team) {
    // Race power comes first.
    out += "Performance=";
    out += r.TeamRacePower[team].Text();
    out += ',';
    out += r.TeamQualPower[team].Text();
    out += ',';
    out += r.TeamFailure[team].Text();
    out += CrLf;
}

void AppendDriverLine(std::string& out, const Roster& r, int driver) {
    out += driver % 2 == 0 ? "First Driver=" : "Second Driver=";
    out += r.CarNumber[driver].Text();
    out += ',';
    out += r.DriverName[driver].Text();
    out += ',';
    AppendFilePower(out, r.DriverRacePower[driver]);
    out += ',';
    AppendFilePower(out, r.DriverQualPower[driver]);
    out += ", ";
    out += r.DriverRange[driver].Text();
    out += ",0,0";
    out += CrLf;
}

void AppendSpareLine(std::string& out, const Roster& r, int spare) {
    AppendNumber(out, spare);
    out += '=';
    out += r.SpareName[spare].Text();
    out += ',';
    AppendFilePower(out, r.SpareRacePower[spare]);
    out += ',';
    AppendFilePower(out, r.SpareQualPower[spare]);
    out += ',';
    out += r.SpareRange[spare].Text();
    out += ", ";
    out += CrLf;
}

void CellWriter::Power(Cell<DriverValueWidth>& cell, std::string_view field,
                       std::string_view what) {
    const long number = ReadNumber(TrimSpaces(field));
    // Compare before subtracting: the number may be anywhere in the range of long.
    long power = 0;
    bool clamped = true;
    if (number > MostPower + FilePowerOffset) {
        power = MostPower;
    } else if (number < LeastPower + FilePowerOffset) {
        power = LeastPower;
    } else {
        power = number - FilePowerOffset;
        clamped = false;
    }
    if (clamped) {
        std::string message(what);
        message += " out of range, clamped to ";
        AppendNumber(message, power);
        message += " (file value ";
        message += Quoted(field);
        message += ')';
        m_diagnostics.push_back({m_line, std::move(message)});
    }
    char buffer[24];
    const auto formatted = std::to_chars(buffer, buffer + sizeof buffer, power);
    cell.SetText(std::string_view(buffer, static_cast<std::size_t>(formatted.ptr - buffer)));
}

void CellWriter::NoteCut(std::string_view what, std::size_t length, std::size_t kept) {
    std::string message(what);
    message += " of ";
    message += std::to_string(length);
    message += " characters cut to ";
    message += std::to_string(kept);
    m_diagnostics.push_back({m_line, std::move(message)});
}

void CellWriter::NoteNul(std::string_view what, std::size_t kept) {
    std::string message(what);
    message += " holds a NUL byte after ";
    message += std::to_string(kept);
    message += " characters; the text after it is lost";
    m_diagnostics.push_back({m_line, std::move(message)});
}

void ReadNameValue(std::string_view value, Roster& r, int team, CellWriter& cells) {
    FieldReader fields(value);
    cells.Text(r.TeamName[team], fields.Next(), "team name");
    cells.Text(r.EngineName[team], fields.Next(), "engine name");
}

void ReadPerformanceValue(std::string_view value, Roster& r, int team, CellWriter& cells) {
    FieldReader fields(value);
    cells.Text(r.TeamRacePower[team], fields.Next(), "team race power");
    cells.Text(r.TeamQualPower[team], fields.Next(), "team qualifying power");
    // The failure takes the whole rest of the value, commas included. Taken whole rather than up
    // to a NUL, so that a NUL in it is reported like one in any other value.
    cells.Text(r.TeamFailure[team], fields.Rest(), "team failure");
}

void ReadDriverValue(std::string_view value, Roster& r, int driver, CellWriter& cells) {
    FieldReader fields(value);
    cells.Text(r.CarNumber[driver], fields.Next(), "car number");
    cells.Text(r.DriverName[driver], fields.Next(), "driver name");
    cells.Power(r.DriverRacePower[driver], fields.Next(), "driver race power");
    cells.Power(r.DriverQualPower[driver], fields.Next(), "driver qualifying power");
}

void ReadSpareValue(std::string_view value, Roster& r, int spare, CellWriter& cells) {
    FieldReader fields(value);
    cells.Text(r.SpareName[spare], fields.Next(), "spare name");
    cells.Power(r.SpareRacePower[spare], fields.Next(), "spare race power");
    cells.Power(r.SpareQualPower[spare], fields.Next(), "spare qualifying power");
    cells.Text(r.SpareRange[spare], fields.Next(), "spare range");
}

} // namespace rk7
