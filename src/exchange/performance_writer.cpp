#include "exchange/performance_file.h"
#include "exchange/performance_lines.h"

namespace rk7 {

namespace {

// Ample for either dialect with every cell full, so the text is built without reallocating.
constexpr std::size_t ExpectedFileBytes = 16 * 1024;

void AppendTeamHeader(std::string& out, int team) {
    // Two digits with a leading zero: "[Team #00]" to "[Team #13]".
    out += "[Team #";
    out += static_cast<char>('0' + team / 10);
    out += static_cast<char>('0' + team % 10);
    out += ']';
    out += CrLf;
}

void AppendPositionLines(std::string& out, const Roster& roster, int team) {
    for (std::size_t i = 0; i < PositionLines.size(); ++i) {
        out += PositionLines[i].key;
        out += '=';
        out += PositionCell(roster, team, i).Text();
        out += CrLf;
    }
}

} // namespace

std::string FormatPerformanceFile(const Roster& roster, Dialect dialect) {
    const bool native = dialect == Dialect::Native;
    std::string out;
    out.reserve(ExpectedFileBytes);
    out += Banner(dialect);
    out += CrLf;
    // The native dialect has one empty line after the banner and one closing every team block;
    // the exchange dialect opens every team block with one instead.
    if (native)
        out += CrLf;
    for (int t = 0; t < TeamCount; ++t) {
        if (!native)
            out += CrLf;
        AppendTeamHeader(out, t);
        AppendNameLine(out, roster, t);
        AppendPerformanceLine(out, roster, t);
        AppendDriverLine(out, roster, FirstDriverOf(t));
        AppendDriverLine(out, roster, SecondDriverOf(t));
        if (native) {
            AppendPositionLines(out, roster, t);
            out += CrLf;
        }
    }
    out += CrLf;
    out += "[Spare Drivers]";
    out += CrLf;
    for (int s = 0; s < SpareCount; ++s)
        AppendSpareLine(out, roster, s);
    if (!native) {
        out += CrLf;
        out += "[File]\r\nVersion=185\r\nDriverZero=0\r\n";
    }
    return out;
}

std::string FormatNativePerformanceFile(const Roster& roster) {
    return FormatPerformanceFile(roster, Dialect::Native);
}

std::string FormatExchangePerformanceFile(const Roster& roster) {
    return FormatPerformanceFile(roster, Dialect::Exchange);
}

Status WritePerformanceFile(const Roster& roster, Dialect dialect, const std::string& path,
                            Durability durability) {
    return WriteFileAtomically(path, FormatPerformanceFile(roster, dialect), durability);
}

Status WriteNativePerformanceFile(const Roster& roster, const std::string& path,
                                  Durability durability) {
    return WritePerformanceFile(roster, Dialect::Native, path, durability);
}

Status WriteExchangePerformanceFile(const Roster& roster, const std::string& path,
                                    Durability durability) {
    return WritePerformanceFile(roster, Dialect::Exchange, path, durability);
}

} // namespace rk7
