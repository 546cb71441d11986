#include "exchange/line_reader.h"
#include "exchange/performance_file.h"
#include "exchange/performance_lines.h"
#include "model/text_encoding.h"

#include <algorithm>
#include <cstdio>

namespace rk7 {

namespace {

// Walks the lines of a file whose banner was accepted. Every step returns false once the file
// has ended, after noting where; the caller then stops and the cells not reached keep their
// values.
class PerformanceReader {
public:
    PerformanceReader(LineReader& lines, Roster& roster, std::vector<Diagnostic>& diagnostics)
        : m_lines(lines), m_roster(roster), m_diagnostics(diagnostics) {}

    // Takes a line whose contents do not matter: a section header or an empty line.
    bool Skip() {
        std::string_view line;
        return Next(line);
    }

    // Takes a line and hands its value to read(value, roster, cells). A line without "=" gives
    // an empty value.
    template <typename Read>
    bool Value(Read&& read) {
        std::string_view line;
        if (!Next(line))
            return false;
        const auto value = ValueAfterEquals(line);
        if (!value)
            m_diagnostics.push_back(
                {m_lines.LineNumber(), "no \"=\" in the line; value taken as empty"});
        CellWriter cells(m_diagnostics, m_lines.LineNumber());
        // An empty view into the line rather than a default one: its data pointer is not null,
        // which the copy into a cell relies on.
        read(value.value_or(line.substr(0, 0)), m_roster, cells);
        return true;
    }

private:
    bool Next(std::string_view& line) {
        if (m_lines.ReadLine(line))
            return true;
        m_diagnostics.push_back(
            {m_lines.LineNumber() + 1,
             "the file ends before this line; the cells from here on keep their values"});
        return false;
    }

    LineReader& m_lines;
    Roster& m_roster;
    std::vector<Diagnostic>& m_diagnostics;
};

// Lines 2 onwards, by line number alone.
void ReadBody(Dialect dialect, PerformanceReader& reader) {
    const bool native = dialect == Dialect::Native;
    // The reading of a line of values into a row's cells.
    auto line = [](std::span<const LineValue> values, int row) {
        return [values, row](auto value, Roster& r, CellWriter& c) {
            ReadValues(value, values, r, row, c);
        };
    };
    // Line 2: the empty line after the banner (in the exchange dialect, the one opening team 0).
    if (!reader.Skip())
        return;
    for (int t = 0; t < TeamCount; ++t) {
        const int d1 = FirstDriverOf(t);
        const int d2 = SecondDriverOf(t);
        if (!reader.Skip() || !reader.Value(line(NameValues, t)) ||
            !reader.Value(line(PerformanceValues, t)) || !reader.Value(line(DriverValues, d1)) ||
            !reader.Value(line(DriverValues, d2)))
            return;
        if (native) {
            for (std::size_t i = 0; i < PositionLines.size(); ++i) {
                auto position = [t, i](auto value, Roster& r, CellWriter& c) {
                    c.Text(PositionCell(r, t, i), value, PositionLabel(PositionLines[i]));
                };
                if (!reader.Value(position))
                    return;
            }
        }
        // The empty line closing the block (native) or opening the next one (exchange).
        if (!reader.Skip())
            return;
    }
    // Native: the second empty line, then "[Spare Drivers]"; exchange: "[Spare Drivers]".
    for (int i = native ? 2 : 1; i > 0; --i)
        if (!reader.Skip())
            return;
    for (int s = 0; s < SpareCount; ++s) {
        if (!reader.Value(line(SpareValues, s)))
            return;
    }
    // Whatever follows the last spare line (the exchange dialect's "[File]" section) is not read.
}

PerformanceReadResult NotPerformanceFile(Dialect dialect) {
    PerformanceReadResult result;
    result.outcome = ReadOutcome::NotPerformanceFile;
    result.dialect = dialect;
    result.status = Status::Failure(std::string(NotPerformanceFileText));
    return result;
}

PerformanceReadResult Unreadable(const Status& failure, Dialect dialect) {
    PerformanceReadResult result;
    result.outcome = ReadOutcome::Unreadable;
    result.dialect = dialect;
    result.status = failure;
    return result;
}

// Counts lines up to an offset, for offsets that only grow.
class LineCounter {
public:
    explicit LineCounter(std::string_view data) : m_data(data) {}
    int LineAt(std::size_t offset) {
        for (; m_offset < offset && m_offset < m_data.size(); ++m_offset)
            if (m_data[m_offset] == '\n')
                ++m_line;
        return m_line;
    }

private:
    std::string_view m_data;
    std::size_t m_offset = 0;
    int m_line = 1;
};

std::string CodePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

std::string ByteValue(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(c));
    return text;
}

// The file's text as Windows-1252: converted from UTF-8 when it says it is UTF-8 (a byte-order
// mark) or the caller does; as it stands otherwise, with a notice when it looks like UTF-8. Only
// a notice: the bytes are taken as they stand, and the file the program writes from a cell
// holding them is the same bytes again, so that file must not count against a strict reading.
std::string_view AsWindows1252(std::string_view data, TextEncoding encoding, std::string& converted,
                               std::vector<Diagnostic>& notes) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = data.substr(0, ByteOrderMark.size()) == ByteOrderMark;
    LineCounter lines(data);
    if (!marked && encoding != TextEncoding::Utf8) {
        // The values start on line 2; what follows the banner on line 1 is never read.
        const std::size_t body = std::min(data.find('\n'), data.size());
        if (const std::size_t at = FirstUtf8Sequence(data.substr(body));
            at != std::string_view::npos)
            notes.push_back({lines.LineAt(body + at),
                             "the file looks like UTF-8 but has no byte-order mark; it is read "
                             "as Windows-1252, so letters beyond ASCII may come out wrong "
                             "(rk7power-cli --encoding utf-8 reads it as UTF-8)",
                             true});
        return data;
    }
    if (marked)
        data.remove_prefix(ByteOrderMark.size());
    converted = Utf8ToWindows1252(data, [&](std::size_t offset, char32_t c, bool wellFormed) {
        notes.push_back(
            {lines.LineAt(offset + (marked ? ByteOrderMark.size() : 0)),
             wellFormed ? "character " + CodePoint(c) + " has no Windows-1252 form; read as \"?\""
                        : "byte " + ByteValue(c) + " is not UTF-8; read as \"?\""});
    });
    return converted;
}

} // namespace

std::size_t PerformanceReadResult::Refusals() const {
    return static_cast<std::size_t>(std::count_if(diagnostics.begin(), diagnostics.end(),
                                                  [](const Diagnostic& d) { return !d.notice; }));
}

PerformanceReadResult ParsePerformanceFile(std::string_view data, Roster& roster,
                                           std::optional<Dialect> dialect, TextEncoding encoding) {
    std::string converted;
    std::vector<Diagnostic> encodingNotes;
    data = AsWindows1252(data, encoding, converted, encodingNotes);
    if (!dialect)
        dialect = DetectDialect(data);
    if (!dialect)
        return NotPerformanceFile(Dialect::Native);

    // The banner is checked before any cell is touched.
    LineReader lines(data);
    std::string_view first;
    if (!lines.ReadLine(first) || !HasBanner(*dialect, first))
        return NotPerformanceFile(*dialect);

    PerformanceReadResult result;
    result.dialect = *dialect;
    PerformanceReader reader(lines, roster, result.diagnostics);
    ReadBody(*dialect, reader);
    // What stands in lines that were never read, or after the banner on line 1, does not matter.
    std::erase_if(encodingNotes,
                  [&](const Diagnostic& d) { return d.line < 2 || d.line > lines.LineNumber(); });
    if (!encodingNotes.empty()) {
        result.diagnostics.insert(result.diagnostics.end(), encodingNotes.begin(),
                                  encodingNotes.end());
        std::stable_sort(result.diagnostics.begin(), result.diagnostics.end(),
                         [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    }
    // Team lines fill cells of Teams.rk; driver, spare and driver position lines those of
    // Drivers.rk.
    result.touched = TeamsStore | DriversStore;
    return result;
}

PerformanceReadResult ParseNativePerformanceFile(std::string_view data, Roster& roster) {
    return ParsePerformanceFile(data, roster, Dialect::Native);
}

PerformanceReadResult ParseExchangePerformanceFile(std::string_view data, Roster& roster) {
    return ParsePerformanceFile(data, roster, Dialect::Exchange);
}

PerformanceReadResult ReadPerformanceFile(const std::string& path, Roster& roster,
                                          std::optional<Dialect> dialect, TextEncoding encoding) {
    // One byte beyond the limit tells a file at the limit from a larger one.
    const Result<FileContents> file = ReadFile(path, MaxPerformanceFileBytes + 1);
    if (!file)
        return Unreadable(file.AsStatus(), dialect.value_or(Dialect::Native));
    if (file->data.size() > MaxPerformanceFileBytes)
        return Unreadable(Status::Failure(path + ": larger than " +
                                          std::to_string(MaxPerformanceFileBytes >> 20) +
                                          " MiB, too large for a Performance File"),
                          dialect.value_or(Dialect::Native));
    return ParsePerformanceFile(file->data, roster, dialect, encoding);
}

PerformanceReadResult ReadNativePerformanceFile(const std::string& path, Roster& roster) {
    return ReadPerformanceFile(path, roster, Dialect::Native);
}

PerformanceReadResult ReadExchangePerformanceFile(const std::string& path, Roster& roster) {
    return ReadPerformanceFile(path, roster, Dialect::Exchange);
}

} // namespace rk7
