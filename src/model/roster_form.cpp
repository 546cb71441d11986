#include "model/roster_form.h"

namespace rk7 {

std::string RosterForm::FieldText(Field field, int row) const {
    const Roster& roster = m_roster;
    return SchemaOf(field).At(roster, row).Str();
}

void RosterForm::SetFieldText(Field field, int row, std::string_view text) {
    SchemaOf(field).At(m_roster, row).SetText(text);
}

void RecalcRoster(Roster& roster) {
    RosterForm form(roster);
    TeamQualifyingPass(roster, true, form);
    TeamRacePass(roster, true, form);
    DriverQualifyingPass(roster, true, form);
    DriverRacePass(roster, true, form);
}

} // namespace rk7
