#include "model/calc.h"

#include <charconv>
#include <climits>

namespace rk7 {

long ReadNumber(std::string_view text) {
    std::size_t i = 0;
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Accumulate negatively so that LONG_MIN is reachable, saturating on overflow: value * 10 -
    // digit stays at or above LONG_MIN while value is above LONG_MIN / 10, or equal to it and
    // the digit at most the last digit of LONG_MIN.
    constexpr long Limit = LONG_MIN / 10;
    constexpr int LastDigit = -static_cast<int>(LONG_MIN % 10);
    long value = 0;
    bool saturated = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (saturated)
            continue;
        if (value < Limit || (value == Limit && digit > LastDigit)) {
            saturated = true;
            value = LONG_MIN;
        } else {
            value = value * 10 - digit;
        }
    }
    if (!negative)
        return value == LONG_MIN ? LONG_MAX : -value;
    return value;
}

std::string FormatNumber(long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

// The widest value a cell of width W holds: W-1 characters, one of them a minus sign when
// negative.
template <std::size_t W>
std::string Fitted(long long value) {
    long long most = 1;
    for (std::size_t i = 0; i + 1 < W; ++i)
        most *= 10;
    const long long least = -(most / 10 - 1);
    return FormatNumber(value > most - 1 ? most - 1 : value < least ? least : value);
}

// Table entries and start values are at most five characters, so these sums cannot overflow.
long long Entry(const auto& table, long p) {
    return ReadNumber(table[p - 1].Text());
}

const std::string Zero = "0";

} // namespace

std::string CalcTeamQualPower(const Roster& r, long q1, long q2) {
    if (!IsValidPosition(q1) || !IsValidPosition(q2))
        return Zero;
    return Fitted<TeamPowerWidth>(ReadNumber(r.TeamStartQual.Text()) + Entry(r.TeamPowerByPos, q1) +
                                  Entry(r.TeamPowerByPos, q2));
}

std::string CalcTeamRacePower(const Roster& r, long r1, long r2) {
    if (!IsValidPosition(r1) || !IsValidPosition(r2))
        return Zero;
    return Fitted<TeamPowerWidth>(ReadNumber(r.TeamStartRace.Text()) + Entry(r.TeamPowerByPos, r1) +
                                  Entry(r.TeamPowerByPos, r2));
}

std::string CalcTeamFailure(const Roster& r, long q1, long q2, long r1, long r2) {
    for (long p : {q1, q2, r1, r2})
        if (!IsValidPosition(p))
            return Zero;
    return Fitted<FailureWidth>(Entry(r.FailureByPos, q1) + Entry(r.FailureByPos, q2) +
                                Entry(r.FailureByPos, r1) + Entry(r.FailureByPos, r2));
}

std::string CalcDriverQualPower(const Roster& r, long q) {
    if (!IsValidPosition(q))
        return Zero;
    return Fitted<DriverValueWidth>(ReadNumber(r.DriverStartQual.Text()) +
                                    Entry(r.DriverPowerByPos, q));
}

std::string CalcDriverRacePower(const Roster& r, long p) {
    if (!IsValidPosition(p))
        return Zero;
    return Fitted<DriverValueWidth>(ReadNumber(r.DriverStartRace.Text()) +
                                    Entry(r.DriverPowerByPos, p));
}

std::string CalcDriverRange(const Roster& r, long p) {
    if (!IsValidPosition(p))
        return Zero;
    return r.RangeByPos[p - 1].Str();
}

namespace {

// A position as the editor's working copy holds it: the field's text cut to the cell.
long FormPosition(const CalcForm& form, Field field, int row) {
    const std::string text = form.FieldText(field, row);
    return ReadNumber(std::string_view(text).substr(0, PositionWidth - 1));
}

template <typename Body>
bool PassInAutoMode(bool autoMode, Body&& body) {
    if (!autoMode)
        return false;
    body();
    return true;
}

enum class TeamPass { Qualifying, Race };

bool RunTeamPass(TeamPass pass, const Roster& r, bool autoMode, CalcForm& form) {
    return PassInAutoMode(autoMode, [&] {
        for (int t = 0; t < TeamCount; ++t) {
            const long q1 = FormPosition(form, Field::TeamQualPosD1, t);
            const long q2 = FormPosition(form, Field::TeamQualPosD2, t);
            const long r1 = FormPosition(form, Field::TeamRacePosD1, t);
            const long r2 = FormPosition(form, Field::TeamRacePosD2, t);
            if (pass == TeamPass::Qualifying)
                form.SetFieldText(Field::TeamQualPower, t, CalcTeamQualPower(r, q1, q2));
            else
                form.SetFieldText(Field::TeamRacePower, t, CalcTeamRacePower(r, r1, r2));
            form.SetFieldText(Field::TeamFailure, t, CalcTeamFailure(r, q1, q2, r1, r2));
        }
    });
}

} // namespace

bool TeamQualifyingPass(const Roster& r, bool autoMode, CalcForm& form) {
    return RunTeamPass(TeamPass::Qualifying, r, autoMode, form);
}

bool TeamRacePass(const Roster& r, bool autoMode, CalcForm& form) {
    return RunTeamPass(TeamPass::Race, r, autoMode, form);
}

bool DriverQualifyingPass(const Roster& r, bool autoMode, CalcForm& form) {
    return PassInAutoMode(autoMode, [&] {
        for (int d = 0; d < DriverCount; ++d) {
            const long q = FormPosition(form, Field::DriverQualPos, d);
            form.SetFieldText(Field::DriverQualPower, d, CalcDriverQualPower(r, q));
        }
    });
}

bool DriverRacePass(const Roster& r, bool autoMode, CalcForm& form) {
    return PassInAutoMode(autoMode, [&] {
        for (int d = 0; d < DriverCount; ++d) {
            const long p = FormPosition(form, Field::DriverRacePos, d);
            form.SetFieldText(Field::DriverRacePower, d, CalcDriverRacePower(r, p));
            form.SetFieldText(Field::DriverRange, d, CalcDriverRange(r, p));
        }
    });
}

void RecalcDriverPowers(Roster& r) {
    for (int d = 0; d < DriverCount; ++d)
        r.DriverQualPower[d].SetText(CalcDriverQualPower(r, ReadNumber(r.DriverQualPos[d].Text())));
    for (int d = 0; d < DriverCount; ++d)
        r.DriverRacePower[d].SetText(CalcDriverRacePower(r, ReadNumber(r.DriverRacePos[d].Text())));
}

} // namespace rk7
