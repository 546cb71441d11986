#pragma once

#include "model/calc.h"
#include "model/roster.h"

namespace rk7 {

// The roster's own cells seen as a form, so that the calculation passes can run straight over
// the roster, as when every team and driver is recalculated at once. The passes read only the
// position tables and start values of the roster they are given, and write only powers, failure
// and range through the form, so giving them the same roster for both is safe.
class RosterForm : public CalcForm {
public:
    explicit RosterForm(Roster& roster) : m_roster(roster) {}

    std::string FieldText(Field field, int row) const override;
    // Text too long for the cell keeps its first W-1 bytes.
    void SetFieldText(Field field, int row, std::string_view text) override;

private:
    Roster& m_roster;
};

// Runs the team qualifying and race passes over all 14 teams and the driver qualifying and race
// passes over all 28 drivers, as Auto Edit Mode does, from the positions in the roster.
void RecalcRoster(Roster& roster);

} // namespace rk7
