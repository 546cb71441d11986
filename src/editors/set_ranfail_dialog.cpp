#include "editors/set_ranfail_dialog.h"

namespace rk7 {

SetRanFailDialog::SetRanFailDialog(const EditorContext& context, QWidget* parent)
    : PositionTableDialog(parent, tr("Edit Range/Failure")), m_context(context) {
    setObjectName(QStringLiteral("setRanFailDialog"));
    addFrame(QStringLiteral("fieldsFrame"), units(0, 0, 297, 212));
    addFrame(QStringLiteral("buttonFrame"), units(0, 212, 297, 25));
    addOkCancel();
    m_range = addGroup(tr("Range"), 0, tr("R Pos "), Field::RangeByPos, 0);
    m_failure = addGroup(tr("Failure"), 1, tr("F Pos "), Field::FailureByPos, 0);
    showCells(m_context.roster);
}

void SetRanFailDialog::accept() {
    storeCells(m_context.roster);
    PositionTableDialog::accept();
}

} // namespace rk7
