#include "editors/set_teams_dialog.h"

#include <QRadioButton>

namespace rk7 {

namespace {

constexpr FormColumn Columns[SetTeamsDialog::ColumnCount] = {
    {Field::TeamName, QT_TRANSLATE_NOOP("rk7::SetTeamsDialog", "Team Names"), 5, 50},
    {Field::EngineName, QT_TRANSLATE_NOOP("rk7::SetTeamsDialog", "Engines"), 58, 50},
    {Field::TeamQualPosD1, QT_TRANSLATE_NOOP("rk7::SetTeamsDialog", "Qual Pos"), 111, 15},
    {Field::TeamQualPosD2, nullptr, 129, 15},
    {Field::TeamRacePosD1, QT_TRANSLATE_NOOP("rk7::SetTeamsDialog", "Race Pos"), 147, 15},
    {Field::TeamRacePosD2, nullptr, 165, 15},
    {Field::TeamRacePower, QT_TRANSLATE_NOOP("rk7::SetTeamsDialog", "R Pwr"), 183, 20},
    {Field::TeamQualPower, QT_TRANSLATE_NOOP("rk7::SetTeamsDialog", "Q Pwr"), 206, 20},
    {Field::TeamFailure, QT_TRANSLATE_NOOP("rk7::SetTeamsDialog", "Failure"), 229, 25},
};

} // namespace

SetTeamsDialog::SetTeamsDialog(const EditorContext& context, QWidget* parent)
    : CalcFormDialog(parent, tr("Teams"), QSize(258, 237)), m_context(context) {
    setObjectName(QStringLiteral("setTeamsDialog"));
    addFrame(QStringLiteral("fieldsFrame"), units(0, 0, 258, 208));
    addFrame(QStringLiteral("buttonFrame"), units(0, 208, 258, 28));
    addOkCancel();

    for (int c = 0; c < ColumnCount; ++c) {
        const FormColumn& column = Columns[c];
        if (column.text)
            addLabel(tr(column.text), units(column.x, 3, 50, 10));
    }
    // Row by row, so that Tab moves along a team's row.
    for (int t = 0; t < TeamCount; ++t)
        for (int c = 0; c < ColumnCount; ++c)
            m_edits[c][t] = addColumnEdit(Columns[c], t, 0, 16 + 13 * t);

    // Only what the user does to a position starts a pass (textEdited, not textChanged): neither
    // the filling below nor the texts a pass writes start another one.
    const Roster& roster = m_context.roster;
    for (int t = 0; t < TeamCount; ++t) {
        for (int c : {QualD1, QualD2})
            connect(m_edits[c][t], &QLineEdit::textEdited, this, [this, &roster] {
                TeamQualifyingPass(roster, m_context.mode.isAuto(), *this);
            });
        for (int c : {RaceD1, RaceD2})
            connect(m_edits[c][t], &QLineEdit::textEdited, this,
                    [this, &roster] { TeamRacePass(roster, m_context.mode.isAuto(), *this); });
    }

    showCells(m_context.roster);
    std::vector<QLineEdit*> computed;
    for (int c : {RacePower, QualPower, Failure})
        computed.insert(computed.end(), m_edits[c].begin(), m_edits[c].end());
    addModeButtons(m_context.mode, {87, 217}, {156, 219}, std::move(computed));
    applyEditMode();
    // Opening recomputes the race powers and failures; qualifying powers wait for a change.
    TeamRacePass(roster, m_context.mode.isAuto(), *this);
}

void SetTeamsDialog::accept() {
    storeCells(m_context.roster);
    FormDialog::accept();
}

} // namespace rk7
