#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <string>
#include <string_view>

namespace rk7 {

// Text to number as atol reads it: leading white space, an optional sign, then decimal digits up
// to the first other character; no digits give 0. Values beyond the range of long saturate.
long ReadNumber(std::string_view text);
// Plain decimal, as "%d" writes it.
std::string FormatNumber(long long value);
// 1 to 28.
constexpr bool IsValidPosition(long p) {
    return p >= 1 && p <= PositionCount;
}

// The rules. Each returns the text of its output; "0" when a position it needs is not 1..28.
// A sum too wide for its output cell is clamped to the widest value that fits (999 / -99 for
// team powers, 99999 / -9999 for failure and driver powers).
std::string CalcTeamQualPower(const Roster& roster, long q1, long q2);
std::string CalcTeamRacePower(const Roster& roster, long r1, long r2);
std::string CalcTeamFailure(const Roster& roster, long q1, long q2, long r1, long r2);
std::string CalcDriverQualPower(const Roster& roster, long q);
std::string CalcDriverRacePower(const Roster& roster, long r);
// The RangeByPos entry's text, copied as it is.
std::string CalcDriverRange(const Roster& roster, long r);

// What a pass needs of a form: read the current text of a field of row i, and replace it. The
// team passes read the four team positions and write TeamQualPower or TeamRacePower and
// TeamFailure; the driver passes read DriverQualPos or DriverRacePos and write the driver's
// powers and range.
class CalcForm {
public:
    virtual ~CalcForm() = default;
    virtual std::string FieldText(Field field, int row) const = 0;
    virtual void SetFieldText(Field field, int row, std::string_view text) = 0;
};

// The form passes. Each recomputes every row of its form from the positions in the form and the
// tables in the roster, but only when autoMode is on. Returns whether it ran. A form whose fields
// start a pass when they change must keep the texts a pass writes from starting another one.
bool TeamQualifyingPass(const Roster& roster, bool autoMode, CalcForm& form);
bool TeamRacePass(const Roster& roster, bool autoMode, CalcForm& form);
bool DriverQualifyingPass(const Roster& roster, bool autoMode, CalcForm& form);
bool DriverRacePass(const Roster& roster, bool autoMode, CalcForm& form);

// Rewrites every driver's qualifying and race power in the roster from the driver's stored
// positions, whatever the edit mode. Ranges and team values are left alone.
void RecalcDriverPowers(Roster& roster);

} // namespace rk7
