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
    addFrame(101, units(0, 0, 296, 212));
    addFrame(102, units(0, 212, 296, 25));
    addOkCancel();
    QPushButton* rangeFailure =
        addButton(RangeFailureId, QStringLiteral("Range/Failure"), units(85, 215, 60, 14));
    connect(rangeFailure, &QPushButton::clicked, this, &SetEditpowerDialog::editRangeFailure);

    const QString startQual = QStringLiteral("Start Qual"),
                  startRace = QStringLiteral("Start Race");
    addLabelledField(0, 0, 0, startQual, 4131, Field::DriverStartQual);
    addLabelledField(0, 1, 0, startRace, 4132, Field::DriverStartRace);
    m_driverPowers = addGroup(QStringLiteral("Driver Powers"), 0, QStringLiteral("D Pos "), 4102,
                              Field::DriverPowerByPos, 1);
    addLabelledField(1, 0, 0, startQual, 4161, Field::TeamStartQual);
    addLabelledField(1, 1, 0, startRace, 4162, Field::TeamStartRace);
    m_teamPowers = addGroup(QStringLiteral("Team Powers"), 1, QStringLiteral("T Pos "), 4133,
                            Field::TeamPowerByPos, 1);
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
