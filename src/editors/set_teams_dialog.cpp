#include "editors/set_teams_dialog.h"

#include <QRadioButton>

namespace rk7 {

namespace {

struct TeamColumn {
    const char* heading; // nullptr: shares the heading of the column before
    int firstId;
    int x, w;
    std::size_t cellWidth;
};

constexpr TeamColumn Columns[SetTeamsDialog::ColumnCount] = {
    {"Team Names", 3002, 5, 50, TeamNameWidth}, {"Engines", 3016, 58, 50, TeamNameWidth},
    {"Qual Pos", 3030, 111, 15, PositionWidth}, {nullptr, 3044, 129, 15, PositionWidth},
    {"Race Pos", 3058, 147, 15, PositionWidth}, {nullptr, 3072, 165, 15, PositionWidth},
    {"R Pwr", 3086, 183, 20, TeamPowerWidth},   {"Q Pwr", 3100, 206, 20, TeamPowerWidth},
    {"Failure", 3114, 229, 25, FailureWidth},
};

// The roster cell behind a column of row t.
template <typename F>
void WithCell(Roster& r, int column, int t, F&& f) {
    switch (column) {
    case SetTeamsDialog::Name:
        return f(r.TeamName[t]);
    case SetTeamsDialog::Engine:
        return f(r.EngineName[t]);
    case SetTeamsDialog::QualD1:
        return f(r.TeamQualPosD1(t));
    case SetTeamsDialog::QualD2:
        return f(r.TeamQualPosD2(t));
    case SetTeamsDialog::RaceD1:
        return f(r.TeamRacePosD1(t));
    case SetTeamsDialog::RaceD2:
        return f(r.TeamRacePosD2(t));
    case SetTeamsDialog::RacePower:
        return f(r.TeamRacePower[t]);
    case SetTeamsDialog::QualPower:
        return f(r.TeamQualPower[t]);
    default:
        return f(r.TeamFailure[t]);
    }
}

} // namespace

SetTeamsDialog::SetTeamsDialog(const EditorContext& context, QWidget* parent)
    : CalcFormDialog(parent, QStringLiteral("Teams"), QSize(258, 237)), m_context(context) {
    setObjectName(QStringLiteral("SetTeamsDialog"));
    AddFrame(103, Units(0, 0, 258, 208));
    AddFrame(104, Units(0, 208, 258, 28));
    AddOkCancel();

    for (int c = 0; c < ColumnCount; ++c) {
        const TeamColumn& column = Columns[c];
        if (column.heading)
            AddLabel(QString::fromLatin1(column.heading), Units(column.x, 3, 50, 10));
    }
    // Row by row, so that Tab moves along a team's row.
    for (int t = 0; t < TeamCount; ++t)
        for (int c = 0; c < ColumnCount; ++c) {
            const TeamColumn& column = Columns[c];
            m_edits[c][t] = AddEdit(column.firstId + t, Units(column.x, 16 + 13 * t, column.w, 11),
                                    column.cellWidth);
        }

    // Only what the user does to a position starts a pass (textEdited, not textChanged): neither
    // the filling below nor the texts a pass writes start another one.
    const Roster& roster = m_context.roster;
    for (int t = 0; t < TeamCount; ++t) {
        for (int c : {QualD1, QualD2})
            connect(m_edits[c][t], &QLineEdit::textEdited, this,
                    [this, &roster] { TeamQualifyingPass(roster, m_context.autoMode, *this); });
        for (int c : {RaceD1, RaceD2})
            connect(m_edits[c][t], &QLineEdit::textEdited, this,
                    [this, &roster] { TeamRacePass(roster, m_context.autoMode, *this); });
    }

    for (int t = 0; t < TeamCount; ++t)
        for (int c : {Name, Engine, RacePower, QualPower, Failure})
            WithCell(m_context.roster, c, t,
                     [&](auto& cell) { SetCellText(m_edits[c][t], cell.Text()); });
    for (int t = 0; t < TeamCount; ++t)
        for (int c : {QualD1, QualD2, RaceD1, RaceD2})
            WithCell(m_context.roster, c, t,
                     [&](auto& cell) { SetCellText(m_edits[c][t], cell.Text()); });
    std::vector<QLineEdit*> computed;
    for (int c : {RacePower, QualPower, Failure})
        computed.insert(computed.end(), m_edits[c].begin(), m_edits[c].end());
    AddModeButtons(m_context.autoMode, {87, 217}, {156, 219}, std::move(computed));
    ApplyEditMode();
    m_edits[Name][0]->setFocus();
    // Opening recomputes the race powers and failures; qualifying powers wait for a change.
    TeamRacePass(roster, m_context.autoMode, *this);
}

QLineEdit* SetTeamsDialog::EditFor(FormField field, int row) const {
    switch (field) {
    case FormField::TeamQualPosD1:
        return m_edits[QualD1][row];
    case FormField::TeamQualPosD2:
        return m_edits[QualD2][row];
    case FormField::TeamRacePosD1:
        return m_edits[RaceD1][row];
    case FormField::TeamRacePosD2:
        return m_edits[RaceD2][row];
    case FormField::TeamQualPower:
        return m_edits[QualPower][row];
    case FormField::TeamRacePower:
        return m_edits[RacePower][row];
    case FormField::TeamFailure:
        return m_edits[Failure][row];
    default:
        return nullptr;
    }
}

void SetTeamsDialog::accept() {
    for (int t = 0; t < TeamCount; ++t)
        for (int c = 0; c < ColumnCount; ++c)
            WithCell(m_context.roster, c, t, [&](auto& cell) { Store(cell, m_edits[c][t]); });
    FormDialog::accept();
}

} // namespace rk7
