#include "model/roster_form.h"

namespace rk7 {

namespace {

// Calls f with the roster cell behind a form field of row.
template <typename R, typename F>
decltype(auto) WithCell(R& r, FormField field, int row, F&& f) {
    switch (field) {
    case FormField::TeamQualPosD1:
        return f(r.TeamQualPosD1(row));
    case FormField::TeamQualPosD2:
        return f(r.TeamQualPosD2(row));
    case FormField::TeamRacePosD1:
        return f(r.TeamRacePosD1(row));
    case FormField::TeamRacePosD2:
        return f(r.TeamRacePosD2(row));
    case FormField::TeamQualPower:
        return f(r.TeamQualPower[row]);
    case FormField::TeamRacePower:
        return f(r.TeamRacePower[row]);
    case FormField::TeamFailure:
        return f(r.TeamFailure[row]);
    case FormField::DriverQualPos:
        return f(r.DriverQualPos[row]);
    case FormField::DriverRacePos:
        return f(r.DriverRacePos[row]);
    case FormField::DriverQualPower:
        return f(r.DriverQualPower[row]);
    case FormField::DriverRacePower:
        return f(r.DriverRacePower[row]);
    case FormField::DriverRange:
        break;
    }
    return f(r.DriverRange[row]);
}

} // namespace

std::string RosterForm::FieldText(FormField field, int row) const {
    const Roster& roster = m_roster;
    return WithCell(roster, field, row, [](const auto& cell) { return cell.Str(); });
}

void RosterForm::SetFieldText(FormField field, int row, std::string_view text) {
    WithCell(m_roster, field, row, [text](auto& cell) { cell.SetText(text); });
}

void RecalcRoster(Roster& roster) {
    RosterForm form(roster);
    TeamQualifyingPass(roster, true, form);
    TeamRacePass(roster, true, form);
    DriverQualifyingPass(roster, true, form);
    DriverRacePass(roster, true, form);
}

} // namespace rk7
