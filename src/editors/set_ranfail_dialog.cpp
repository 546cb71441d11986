#include "editors/set_ranfail_dialog.h"

namespace rk7 {

SetRanFailDialog::SetRanFailDialog(const EditorContext& context, QWidget* parent)
    : PositionTableDialog(parent, QStringLiteral("Edit Range/Failure")), m_context(context) {
    setObjectName(QStringLiteral("SetRanFailDialog"));
    AddFrame(101, Units(0, 0, 297, 212));
    AddFrame(102, Units(0, 212, 297, 25));
    AddOkCancel();
    m_range =
        AddGroup(QStringLiteral("Range"), 0, QStringLiteral("R Pos "), 6604, DriverValueWidth, 0);
    m_failure =
        AddGroup(QStringLiteral("Failure"), 1, QStringLiteral("F Pos "), 6633, DriverValueWidth, 0);
    for (int i = 0; i < PositionCount; ++i) {
        SetCellText(m_failure[i], m_context.roster.FailureByPos[i].Text());
        SetCellText(m_range[i], m_context.roster.RangeByPos[i].Text());
    }
}

void SetRanFailDialog::accept() {
    for (int i = 0; i < PositionCount; ++i) {
        Store(m_context.roster.FailureByPos[i], m_failure[i]);
        Store(m_context.roster.RangeByPos[i], m_range[i]);
    }
    PositionTableDialog::accept();
}

} // namespace rk7
