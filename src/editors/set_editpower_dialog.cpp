#include "editors/set_editpower_dialog.h"

#include "editors/set_ranfail_dialog.h"
#include "model/calc.h"
#include "model/program_state.h"
#include "model/roster_parts.h"
#include "model/store.h"

#include <QPushButton>

namespace rk7 {

SetEditpowerDialog::SetEditpowerDialog(const EditorContext& context, QWidget* parent)
    : PositionTableDialog(parent, QStringLiteral("Edit Powers")), m_context(context) {
    setObjectName(QStringLiteral("SetEditpowerDialog"));
    AddFrame(101, Units(0, 0, 296, 212));
    AddFrame(102, Units(0, 212, 296, 25));
    AddOkCancel();
    QPushButton* rangeFailure =
        AddButton(RangeFailureId, QStringLiteral("Range/Failure"), Units(85, 215, 60, 14));
    connect(rangeFailure, &QPushButton::clicked, this, &SetEditpowerDialog::EditRangeFailure);

    const QString startQual = QStringLiteral("Start Qual"),
                  startRace = QStringLiteral("Start Race");
    m_driverStartQual = AddLabelledField(0, 0, 0, startQual, 4131, StartValueWidth);
    m_driverStartRace = AddLabelledField(0, 1, 0, startRace, 4132, StartValueWidth);
    m_driverPowers = AddGroup(QStringLiteral("Driver Powers"), 0, QStringLiteral("D Pos "), 4102,
                              DriverPowerByPosWidth, 1);
    m_teamStartQual = AddLabelledField(1, 0, 0, startQual, 4161, StartValueWidth);
    m_teamStartRace = AddLabelledField(1, 1, 0, startRace, 4162, StartValueWidth);
    m_teamPowers = AddGroup(QStringLiteral("Team Powers"), 1, QStringLiteral("T Pos "), 4133,
                            TeamPowerByPosWidth, 1);

    const Roster& r = m_context.roster;
    for (int i = 0; i < PositionCount; ++i) {
        SetCellText(m_driverPowers[i], r.DriverPowerByPos[i].Text());
        SetCellText(m_teamPowers[i], r.TeamPowerByPos[i].Text());
    }
    SetCellText(m_driverStartQual, r.DriverStartQual.Text());
    SetCellText(m_driverStartRace, r.DriverStartRace.Text());
    SetCellText(m_teamStartQual, r.TeamStartQual.Text());
    SetCellText(m_teamStartRace, r.TeamStartRace.Text());
}

void SetEditpowerDialog::EditRangeFailure() {
    SetRanFailDialog rangeFailure(m_context, nullptr);
    if (rangeFailure.exec() != QDialog::Accepted)
        return;
    // Saved at once, whatever becomes of this form; a failure is reported and the tables stay
    // edited in memory.
    m_context.commit(RangeFailurePart, RanFailStore);
}

void SetEditpowerDialog::accept() {
    Roster& r = m_context.roster;
    for (int i = 0; i < PositionCount; ++i) {
        Store(r.DriverPowerByPos[i], m_driverPowers[i]);
        Store(r.TeamPowerByPos[i], m_teamPowers[i]);
    }
    Store(r.DriverStartQual, m_driverStartQual);
    Store(r.TeamStartQual, m_teamStartQual);
    Store(r.DriverStartRace, m_driverStartRace);
    Store(r.TeamStartRace, m_teamStartRace);
    // The driver powers change in memory only; Drivers.rk gets them at its next save.
    RecalcDriverPowers(r);
    PositionTableDialog::accept();
}

} // namespace rk7
