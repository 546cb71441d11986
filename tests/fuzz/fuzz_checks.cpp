#include "fuzz/fuzz_checks.h"

#include "exchange/dialect.h"
#include "exchange/performance_file.h"
#include "model/calc.h"
#include "model/roster_form.h"
#include "model/roster_schema.h"
#include "model/store.h"
#include "model/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace rk7::fuzz {

namespace {

// Calls f(field, row, cell of each roster...) for every cell of the rosters, so that a broken
// rule can say where.
template <typename F, typename... R>
void ForEachNamedCell(F&& f, const R&... rosters) {
    for (const FieldSchema& field : Fields())
        for (int row = 0; row < field.rows; ++row)
            f(field, row, field.At(rosters, row)...);
}

std::string Where(const FieldSchema& field, int row) {
    return std::string(field.name) + "[" + std::to_string(row) + "]";
}

// Shows a text in a problem line: printable ASCII as it is, everything else as \xNN, cut short.
std::string Shown(std::string_view text) {
    std::string shown = "\"";
    for (std::size_t i = 0; i < text.size() && i < 60; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\' && c != '"') {
            shown += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            shown += hex;
        }
    }
    if (text.size() > 60)
        shown += "...";
    return shown + "\"";
}

// The cell rules. The text part is the raw bytes up to the first NUL, at most W-1 of them, and
// Text() must give exactly those bytes. withNul: the cell must also hold a real NUL within its
// width, as every cell does that was set through the Cell API (a store file may bring cells
// without one; their last byte counts as the NUL).
void CheckCells(const Roster& r, bool withNul, Problems& problems) {
    ForEachNamedCell(
        [&](const FieldSchema& field, int i, ConstCellRef cell) {
            const std::size_t width = cell.bytes.size();
            const std::string_view text = cell.Text();
            const void* nul = std::memchr(cell.bytes.data(), '\0', width);
            const std::size_t expected =
                nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - cell.bytes.data())
                    : width - 1;
            if (withNul && !nul)
                problems.push_back(Where(field, i) + ": no NUL within its " +
                                   std::to_string(width) + " bytes");
            if (text.data() != cell.bytes.data() || text.size() != std::min(expected, width - 1))
                problems.push_back(Where(field, i) + ": Text() is not the bytes before the NUL");
            if (text.size() > width - 1)
                problems.push_back(Where(field, i) + ": text of " + std::to_string(text.size()) +
                                   " bytes in a cell of " + std::to_string(width));
        },
        r);
}

// A roster whose cells that no Performance File carries (and those the exchange dialect does
// not carry) hold values of their own, so that a reader touching them shows.
const Roster& MarkedRoster() {
    static const Roster marked = [] {
        // Appended rather than written "R" + std::to_string(d), which GCC 12 at -O3 flags with a
        // false -Wrestrict.
        const auto mark = [](char letter, int n) {
            std::string text(1, letter);
            text += std::to_string(n);
            return text;
        };
        Roster r;
        for (int d = 0; d < DriverCount; ++d) {
            r.DriverRange[d].SetText(mark('R', d));
            r.DriverQualPos[d].SetText(mark('q', d % 10));
            r.DriverRacePos[d].SetText(mark('r', d % 10));
            r.TeamQualPos[d].SetText(mark('Q', d % 10));
            r.TeamRacePos[d].SetText(mark('P', d % 10));
        }
        return r;
    }();
    return marked;
}

// A reference reading of a file, as plain as it can be, for a few cells to be compared with.
class ReferenceFile {
public:
    explicit ReferenceFile(std::string_view data) {
        while (!data.empty()) {
            const std::size_t end = data.find('\n');
            const std::size_t length = end == std::string_view::npos ? data.size() : end + 1;
            m_lines.push_back(data.substr(0, length));
            data.remove_prefix(length);
        }
    }

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    bool Has(int line) const { return line >= 1 && line <= LineCount(); }
    std::string_view FirstLine() const { return m_lines.empty() ? "" : m_lines[0]; }

    // The text after the first "=" up to the first CR or LF; empty without "=".
    std::string_view Value(int line) const {
        std::string_view text = m_lines[static_cast<std::size_t>(line - 1)];
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            return {};
        text.remove_prefix(equals + 1);
        return text.substr(0, text.find_first_of("\r\n"));
    }

    // Field n (from 0) of the value, split at commas; empty past the last one.
    std::string_view Field(int line, int n) const {
        const std::string_view rest = Rest(line, n);
        return rest.substr(0, rest.find(','));
    }

    // The value from field n on, commas and all.
    std::string_view Rest(int line, int n) const {
        std::string_view value = Value(line);
        for (int i = 0; i < n; ++i) {
            const std::size_t comma = value.find(',');
            if (comma == std::string_view::npos)
                return {};
            value.remove_prefix(comma + 1);
        }
        return value;
    }

private:
    std::vector<std::string_view> m_lines;
};

// What a cell of width W shows after taking text: W-1 bytes at most, ending at a NUL.
std::string_view CellTextOf(std::string_view text, std::size_t width) {
    text = text.substr(0, width - 1);
    return text.substr(0, text.find('\0'));
}

// What a power cell holds after taking a file's field: strtol, less the offset, clamped.
std::string PowerOf(std::string_view field) {
    const std::string copy(field);
    const long number = std::strtol(copy.c_str(), nullptr, 10);
    long power = 0;
    if (number > 99999 + FilePowerOffset)
        power = 99999;
    else if (number < -9999 + FilePowerOffset)
        power = -9999;
    else
        power = number - FilePowerOffset;
    char text[24];
    std::snprintf(text, sizeof text, "%ld", power);
    return text;
}

// Names a cell in a problem line: "team name" of row 3 is "team name 3".
struct Named {
    const char* what;
    int row;
    std::string Str() const { return std::string(what) + " " + std::to_string(row); }
};

template <std::size_t W>
void Expect(const Cell<W>& cell, std::string_view expected, Named where, Problems& problems) {
    if (cell.Text() != expected)
        problems.push_back(where.Str() + " is " + Shown(cell.Text()) + ", the file says " +
                           Shown(expected));
}

template <std::size_t W>
void ExpectText(const Cell<W>& cell, const ReferenceFile& file, int line, int field, Named where,
                Problems& problems) {
    Expect(cell, CellTextOf(file.Field(line, field), W), where, problems);
}

template <std::size_t W>
void ExpectKept(const Cell<W>& cell, const Cell<W>& old, Named where, Problems& problems) {
    if (cell != old)
        problems.push_back(where.Str() + " changed though the file ends before its line");
}

// The cells a reader fills, worked out from the reference reading: team names, engines, team
// powers and failure, car numbers, driver names and powers, positions (native), spare rows.
void CompareWithReference(Dialect dialect, const ReferenceFile& file, const Roster& before,
                          const Roster& r, Problems& problems) {
    const bool native = dialect == Dialect::Native;
    const int block = native ? 14 : 6;
    for (int t = 0; t < TeamCount; ++t) {
        const int nameLine = 4 + block * t;
        if (file.Has(nameLine)) {
            ExpectText(r.TeamName[t], file, nameLine, 0, {"team name", t}, problems);
            ExpectText(r.EngineName[t], file, nameLine, 1, {"engine name", t}, problems);
        } else {
            ExpectKept(r.TeamName[t], before.TeamName[t], {"team name", t}, problems);
            ExpectKept(r.EngineName[t], before.EngineName[t], {"engine name", t}, problems);
        }
        if (file.Has(nameLine + 1)) {
            ExpectText(r.TeamRacePower[t], file, nameLine + 1, 0, {"team race power", t}, problems);
            ExpectText(r.TeamQualPower[t], file, nameLine + 1, 1, {"team qual power", t}, problems);
            Expect(r.TeamFailure[t], CellTextOf(file.Rest(nameLine + 1, 2), FailureWidth),
                   {"team failure", t}, problems);
        } else {
            ExpectKept(r.TeamFailure[t], before.TeamFailure[t], {"team failure", t}, problems);
        }
        for (int d : {FirstDriverOf(t), SecondDriverOf(t)}) {
            const int line = nameLine + 2 + d % 2;
            if (!file.Has(line)) {
                ExpectKept(r.DriverName[d], before.DriverName[d], {"driver name", d}, problems);
                ExpectKept(r.DriverRacePower[d], before.DriverRacePower[d],
                           {"driver race power", d}, problems);
                continue;
            }
            ExpectText(r.CarNumber[d], file, line, 0, {"car number", d}, problems);
            ExpectText(r.DriverName[d], file, line, 1, {"driver name", d}, problems);
            Expect(r.DriverRacePower[d], PowerOf(file.Field(line, 2)), {"driver race power", d},
                   problems);
            Expect(r.DriverQualPower[d], PowerOf(file.Field(line, 3)), {"driver qual power", d},
                   problems);
        }
        if (native) {
            const Cell<PositionWidth>* positions[8] = {&r.DriverQualPos[FirstDriverOf(t)],
                                                       &r.DriverQualPos[SecondDriverOf(t)],
                                                       &r.DriverRacePos[FirstDriverOf(t)],
                                                       &r.DriverRacePos[SecondDriverOf(t)],
                                                       &r.TeamQualPos[t],
                                                       &r.TeamQualPos[TeamCount + t],
                                                       &r.TeamRacePos[t],
                                                       &r.TeamRacePos[TeamCount + t]};
            for (int i = 0; i < 8; ++i) {
                const int line = nameLine + 4 + i;
                if (file.Has(line))
                    Expect(*positions[i], CellTextOf(file.Value(line), PositionWidth),
                           {"position line of team", t}, problems);
            }
        }
    }
    const int firstSpare = native ? 201 : 88;
    for (int s = 0; s < SpareCount; ++s) {
        const int line = firstSpare + s;
        if (!file.Has(line)) {
            ExpectKept(r.SpareName[s], before.SpareName[s], {"spare name", s}, problems);
            continue;
        }
        ExpectText(r.SpareName[s], file, line, 0, {"spare name", s}, problems);
        Expect(r.SpareRacePower[s], PowerOf(file.Field(line, 1)), {"spare race power", s},
               problems);
        Expect(r.SpareQualPower[s], PowerOf(file.Field(line, 2)), {"spare qual power", s},
               problems);
        ExpectText(r.SpareRange[s], file, line, 3, {"spare range", s}, problems);
    }
}

bool Listed(const FieldSchema& field, std::initializer_list<Field> fields) {
    return std::find(fields.begin(), fields.end(), field.field) != fields.end();
}

bool SameBytes(ConstCellRef a, ConstCellRef b) {
    return std::equal(a.bytes.begin(), a.bytes.end(), b.bytes.begin(), b.bytes.end());
}

// Cells of the fields listed must be as they were.
void ExpectColumnsKept(const Roster& before, const Roster& after,
                       std::initializer_list<Field> fields, Problems& problems) {
    ForEachNamedCell(
        [&](const FieldSchema& field, int i, ConstCellRef old, ConstCellRef now) {
            if (!SameBytes(old, now) && Listed(field, fields))
                problems.push_back(Where(field, i) + " was " + Shown(old.Text()) + ", now " +
                                   Shown(now.Text()) + "; no file carries it");
        },
        before, after);
}

// How many lines each reader takes at most: the native file's 208, and the exchange file's
// 95 (it stops after the last spare line).
int LinesRead(Dialect dialect) {
    return dialect == Dialect::Native ? 208 : 95;
}

Problems CheckReader(Dialect dialect, std::string_view data) {
    Problems problems;
    const Roster& before = MarkedRoster();
    Roster r = before;
    const PerformanceReadResult result = ParsePerformanceFile(data, r, dialect);
    // After a UTF-8 byte-order mark the file is read as UTF-8, converted to the cells' code page.
    std::string converted;
    if (data.substr(0, 3) == "\xEF\xBB\xBF") {
        converted = Utf8ToWindows1252(data.substr(3), [](std::size_t, char32_t, bool) {});
        data = converted;
    }
    const ReferenceFile file(data);

    CheckCells(r, true, problems);
    const bool banner = !data.empty() && HasBanner(dialect, file.FirstLine());
    if (result.IsOk() != banner)
        problems.push_back(std::string("banner ") + (banner ? "right" : "wrong") +
                           " but the outcome says otherwise");
    if (result.IsOk() != result.status.IsOk())
        problems.push_back("the outcome and the status disagree");
    if (!result.IsOk()) {
        if (result.outcome != ReadOutcome::NotPerformanceFile ||
            result.status.Error() != NotPerformanceFileText)
            problems.push_back("a refused file gives another outcome or message");
        if (!(r == before) || result.touched.any())
            problems.push_back("a refused file changed the roster or says it did");
        if (!result.diagnostics.empty())
            problems.push_back("a refused file has diagnostics");
        return problems;
    }
    if (result.dialect != dialect)
        problems.push_back("read as the other dialect");
    if (result.touched != (TeamsStore | DriversStore))
        problems.push_back("a read file does not name Teams.rk and Drivers.rk as touched");

    // Diagnostics: in line order, on lines the reader took (or the one after the end), short.
    int last = 0;
    bool endNoted = false;
    for (const Diagnostic& d : result.diagnostics) {
        if (d.line < 2 || d.line > std::min(file.LineCount(), LinesRead(dialect)) + 1 ||
            d.line < last)
            problems.push_back("diagnostic on line " + std::to_string(d.line) + " of " +
                               std::to_string(file.LineCount()) + ": " + d.message);
        if (d.message.empty() || d.message.size() > 200)
            problems.push_back("diagnostic of " + std::to_string(d.message.size()) +
                               " characters on line " + std::to_string(d.line));
        endNoted |= d.message.find("the file ends before this line") != std::string::npos;
        last = d.line;
    }
    if (endNoted != (file.LineCount() < LinesRead(dialect)))
        problems.push_back("file of " + std::to_string(file.LineCount()) + " lines, but the " +
                           (endNoted ? "" : "missing ") + "early-end diagnostic says otherwise");

    ExpectColumnsKept(before, r,
                      {Field::DriverRange, Field::DriverPowerByPos, Field::TeamPowerByPos,
                       Field::RangeByPos, Field::FailureByPos, Field::DriverStartQual,
                       Field::DriverStartRace, Field::TeamStartQual, Field::TeamStartRace},
                      problems);
    if (dialect == Dialect::Exchange)
        ExpectColumnsKept(before, r,
                          {Field::DriverQualPos, Field::DriverRacePos, Field::TeamQualPosD1,
                           Field::TeamQualPosD2, Field::TeamRacePosD1, Field::TeamRacePosD2},
                          problems);
    CompareWithReference(dialect, file, before, r, problems);
    return problems;
}

bool IsPowerColumn(const FieldSchema& field) {
    return Listed(field, {Field::DriverQualPower, Field::DriverRacePower, Field::SpareRacePower,
                          Field::SpareQualPower});
}

// b must say what a says, except in the fields skipped. Powers come back in plain decimal, as
// the writer puts their number in the file.
void ExpectSameRoster(const Roster& a, const Roster& b, std::string_view what,
                      std::initializer_list<Field> skipped, Problems& problems) {
    ForEachNamedCell(
        [&](const FieldSchema& field, int i, ConstCellRef ca, ConstCellRef cb) {
            if (Listed(field, skipped))
                return;
            const bool same = IsPowerColumn(field)
                                  ? cb.Text() == FormatNumber(ReadNumber(ca.Text()))
                                  : cb.Text() == ca.Text();
            if (!same)
                problems.push_back(std::string(what) + ": " + Where(field, i) + " was " +
                                   Shown(ca.Text()) + ", came back " + Shown(cb.Text()));
        },
        a, b);
}

// ": " and the message of the first diagnostic that is not a notice; empty when there is none.
std::string FirstRefusal(const PerformanceReadResult& result) {
    for (const Diagnostic& d : result.diagnostics)
        if (!d.notice)
            return ": " + d.message;
    return {};
}

} // namespace

Problems CheckNativeReader(std::string_view data) {
    return CheckReader(Dialect::Native, data);
}

Problems CheckExchangeReader(std::string_view data) {
    Problems problems = CheckReader(Dialect::Exchange, data);
    // The reader that goes by the banner must read an exchange file exactly as asked to.
    if (DetectDialect(data) == Dialect::Exchange) {
        Roster asked = MarkedRoster();
        Roster detected = MarkedRoster();
        const auto a = ParsePerformanceFile(data, asked, Dialect::Exchange);
        const auto b = ParsePerformanceFile(data, detected);
        if (!(asked == detected) || a.diagnostics != b.diagnostics || b.dialect != a.dialect)
            problems.push_back("detecting the dialect reads the file differently");
    }
    return problems;
}

Problems CheckStoreLoad(std::string_view data) {
    Problems problems;
    const Roster defaults;
    Roster r;
    std::string given[StoreFiles.size()];
    for (std::size_t i = 0; i < StoreFiles.size() && !data.empty(); ++i) {
        std::size_t length = static_cast<unsigned char>(data[0]);
        if (data.size() > 1)
            length |= static_cast<std::size_t>(static_cast<unsigned char>(data[1])) << 8;
        data.remove_prefix(std::min<std::size_t>(2, data.size()));
        given[i] = std::string(data.substr(0, length));
        data.remove_prefix(std::min(length, data.size()));
        DeserializeStore(r, StoreFiles[i], given[i]);
    }
    CheckCells(r, false, problems);

    // Whatever was read is written back byte for byte; what was not keeps the defaults.
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreFile f = StoreFiles[i];
        const std::string bytes = SerializeStore(r, f);
        std::string expected = SerializeStore(defaults, f);
        const std::size_t n = std::min(given[i].size(), expected.size());
        expected.replace(0, n, given[i], 0, n);
        if (bytes.size() != StoreFileSize(f) || bytes != expected)
            problems.push_back(std::string(StoreFileName(f)) + ": " +
                               std::to_string(given[i].size()) +
                               " bytes read do not come back as they were");
    }

    // Whatever the cells hold, the writers and the calculation must cope.
    for (Dialect dialect : {Dialect::Native, Dialect::Exchange}) {
        const std::string text = FormatPerformanceFile(r, dialect);
        Roster back;
        if (!ParsePerformanceFile(text, back, dialect).IsOk())
            problems.push_back(std::string(DialectName(dialect)) + " file refused on reading");
        CheckCells(back, false, problems);
    }
    Roster calculated = r;
    RecalcRoster(calculated);
    CheckCells(calculated, false, problems);
    ForEachNamedCell(
        [&](const FieldSchema& field, int i, ConstCellRef cell) {
            const bool computed =
                Listed(field, {Field::TeamQualPower, Field::TeamRacePower, Field::TeamFailure,
                               Field::DriverQualPower, Field::DriverRacePower});
            // A clamped result is still a whole number, never a cut one.
            if (computed && FormatNumber(ReadNumber(cell.Text())) != cell.Text())
                problems.push_back(Where(field, i) + " calculated as " + Shown(cell.Text()));
        },
        calculated);
    return problems;
}

Problems CheckReadNumber(std::string_view data) {
    Problems problems;
    const long got = ReadNumber(data);
    const std::string copy(data); // strtol stops at the first NUL, as ReadNumber stops there
    const long want = std::strtol(copy.c_str(), nullptr, 10);
    if (got != want)
        problems.push_back("ReadNumber(" + Shown(data) + ") is " + std::to_string(got) +
                           ", strtol says " + std::to_string(want));
    const std::string formatted = FormatNumber(got);
    if (ReadNumber(formatted) != got || ReadNumber(formatted + "x9") != got)
        problems.push_back("FormatNumber(" + std::to_string(got) + ") reads back otherwise");
    const Roster defaults;
    if (!IsValidPosition(got) &&
        (CalcDriverQualPower(defaults, got) != "0" || CalcDriverRange(defaults, got) != "0"))
        problems.push_back("position " + std::to_string(got) + " selected a table entry");
    return problems;
}

Problems CheckRoundTrip(std::string_view data) {
    Problems problems;
    Roster first = MarkedRoster();
    if (!ParseNativePerformanceFile(data, first).IsOk())
        return problems; // refusals are the reader target's business

    // Read what the program writes, into a roster that started elsewhere: only DriverRange,
    // which no file gives, may differ, and powers come back in plain decimal.
    // A strict reading must take the program's own file: no diagnostic but a notice.
    const std::string written = FormatNativePerformanceFile(first);
    Roster second;
    const auto again = ParseNativePerformanceFile(written, second);
    if (!again.IsOk() || again.Refusals() != 0)
        problems.push_back("the program's own file gives " + std::to_string(again.Refusals()) +
                           " diagnostics" + FirstRefusal(again));
    CheckCells(second, true, problems);
    ExpectSameRoster(first, second, "native round trip", {Field::DriverRange}, problems);

    // One round is enough: the file written from the second roster is the same file.
    Roster sameRanges = first;
    sameRanges.DriverRange = second.DriverRange;
    if (FormatNativePerformanceFile(second) != FormatNativePerformanceFile(sameRanges))
        problems.push_back("the native file changes on a second round");

    // The exchange dialect over the same roster: positions and ranges stay, the rest returns.
    const std::string exchange = FormatExchangePerformanceFile(first);
    Roster third = first;
    const auto exchanged = ParseExchangePerformanceFile(exchange, third);
    if (!exchanged.IsOk() || exchanged.Refusals() != 0)
        problems.push_back("the program's own exchange file gives diagnostics" +
                           FirstRefusal(exchanged));
    ExpectSameRoster(first, third, "exchange round trip", {}, problems);
    if (FormatExchangePerformanceFile(third) != exchange)
        problems.push_back("the exchange file changes on a second round");
    return problems;
}

int RunOrAbort(Check check, const std::uint8_t* data, std::size_t size) {
    const Problems problems = check(std::string_view(reinterpret_cast<const char*>(data), size));
    if (problems.empty())
        return 0;
    for (const std::string& problem : problems)
        std::fprintf(stderr, "rule broken: %s\n", problem.c_str());
    std::abort();
}

} // namespace rk7::fuzz
