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

// The values of a line after its "=": each written as its form says, after its separator.
void AppendValues(std::string& out, const Roster& roster, int row,
                  std::span<const LineValue> values) {
    for (const LineValue& value : values) {
        out += value.before;
        const ConstCellRef cell = SchemaOf(value.field).At(roster, row);
        if (value.form == ValueForm::Power)
            AppendNumber(out, ReadNumber(cell.Text()) + FilePowerOffset);
        else
            out += cell.Text();
    }
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
    AppendValues(out, r, team, NameValues);
    out += CrLf;
}

void AppendPerformanceLine(std::string& out, const Roster& r, int team) {
    out += "Performance=";
    AppendValues(out, r, team, PerformanceValues);
    out += CrLf;
}

void AppendDriverLine(std::string& out, const Roster& r, int driver) {
    out += driver % 2 == 0 ? "First Driver=" : "Second Driver=";
    AppendValues(out, r, driver, DriverValues);
    out += ",0,0";
    out += CrLf;
}

void AppendSpareLine(std::string& out, const Roster& r, int spare) {
    AppendNumber(out, spare);
    out += '=';
    AppendValues(out, r, spare, SpareValues);
    out += ", ";
    out += CrLf;
}

void CellWriter::Power(CellRef cell, std::string_view field, std::string_view what) {
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

void ReadValues(std::string_view value, std::span<const LineValue> values, Roster& roster, int row,
                CellWriter& cells) {
    FieldReader fields(value);
    for (const LineValue& v : values) {
        const FieldSchema& field = SchemaOf(v.field);
        const CellRef cell = field.At(roster, row);
        switch (v.form) {
        case ValueForm::Text:
            cells.Text(cell, fields.Next(), field.label);
            break;
        case ValueForm::Rest:
            // Taken whole rather than up to a NUL, so that a NUL in it is reported like one in
            // any other value.
            cells.Text(cell, fields.Rest(), field.label);
            break;
        case ValueForm::Power:
            cells.Power(cell, fields.Next(), field.label);
            break;
        case ValueForm::Unread:
            return;
        }
    }
}

std::string PositionLabel(const PositionLine& line) {
    const std::string_view label = SchemaOf(line.field).label;
    if (line.driver < 0)
        return std::string(label);
    return (line.driver == 0 ? "first " : "second ") + std::string(label);
}

} // namespace rk7
