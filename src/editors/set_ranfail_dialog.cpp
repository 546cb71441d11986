#include "editors/set_ranfail_dialog.h"

namespace rk7 {

SetRanFailDialog::SetRanFailDialog(const EditorContext& context, QWidget* parent)
    : PositionTableDialog(parent, QStringLiteral("Edit Range/Failure")), m_context(context) {
    setObjectName(QStringLiteral("SetRanFailDialog"));
    AddFrame(101, Units(0, 0, 297, 212));
    AddFrame(102, Units(0, 212, 297, 25));
    AddOkCancel();
    m_range =
        AddGroup(QStringLiteral("Range"), 0, QStringLiteral("R Pos "), 6604, Field::RangeByPos, 0);
    m_failure = AddGroup(QStringLiteral("Failure"), 1, QStringLiteral("F Pos "), 6633,
                         Field::FailureByPos, 0);
    ShowCells(m_context.roster);
}

void SetRanFailDialog::accept() {
    StoreCells(m_context.roster);
    PositionTableDialog::accept();
}

} // namespace rk7
