#include "editors/set_editpower_dialog.h"

#include "editors/set_ranfail_dialog.h"
#include "model/calc.h"
#include "model/program_state.h"
#include "model/roster_parts.h"
#include "model/store.h"

#include <QPushButton>

namespace rk7 {

SetEditpowerDialog::SetEditpowerDialog(const EditorContext& context, QWidget* parent)
    : PositionTableDialog(parent, tr("Edit Powers")), m_context(context) {
    setObjectName(QStringLiteral("setEditpowerDialog"));
    addFrame(QStringLiteral("fieldsFrame"), units(0, 0, 296, 212));
    addFrame(QStringLiteral("buttonFrame"), units(0, 212, 296, 25));
    addOkCancel();
    QPushButton* rangeFailure =
        addButton(QStringLiteral("rangeFailure"), tr("Range/Failure"), units(85, 215, 60, 14));
    connect(rangeFailure, &QPushButton::clicked, this, &SetEditpowerDialog::editRangeFailure);

    const QString startQual = tr("Start Qual"), startRace = tr("Start Race");
    addLabelledField(0, 0, 0, startQual, Field::DriverStartQual);
    addLabelledField(0, 1, 0, startRace, Field::DriverStartRace);
    m_driverPowers = addGroup(tr("Driver Powers"), 0, tr("D Pos "), Field::DriverPowerByPos, 1);
    addLabelledField(1, 0, 0, startQual, Field::TeamStartQual);
    addLabelledField(1, 1, 0, startRace, Field::TeamStartRace);
    m_teamPowers = addGroup(tr("Team Powers"), 1, tr("T Pos "), Field::TeamPowerByPos, 1);
    showCells(m_context.roster);
}

void SetEditpowerDialog::editRangeFailure() {
    // Saved at once on its OK, whatever becomes of this form; a failure is reported and the
    // tables stay edited in memory.
    const Roster base = m_context.roster;
    SetRanFailDialog rangeFailure(m_context, this); // over this form
    rangeFailure.setAcceptCheck(
        [&] { return m_context.commit(base, RangeFailurePart, RanFailStore); });
    rangeFailure.exec();
}

void SetEditpowerDialog::accept() {
    Roster& r = m_context.roster;
    storeCells(r);
    // The driver powers change in memory only; Drivers.rk gets them at its next save.
    RecalcDriverPowers(r);
    PositionTableDialog::accept();
}

} // namespace rk7
