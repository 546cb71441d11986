#include "editors/spare_dialog.h"

namespace rk7 {

namespace {

// The form has no headings: each edit's tooltip says what it holds.
constexpr FormColumn Columns[SpareDialog::ColumnCount] = {
    {Field::SpareName, QT_TRANSLATE_NOOP("rk7::SpareDialog", "name"), 30, 75},
    {Field::SpareRacePower, QT_TRANSLATE_NOOP("rk7::SpareDialog", "race power"), 106, 26},
    {Field::SpareQualPower, QT_TRANSLATE_NOOP("rk7::SpareDialog", "qualifying power"), 133, 26},
    {Field::SpareRange, QT_TRANSLATE_NOOP("rk7::SpareDialog", "range"), 160, 26},
};

} // namespace

SpareDialog::SpareDialog(const EditorContext& context, QWidget* parent)
    : FormDialog(parent, tr("Enter Spare Drivers"), QSize(201, 146)), m_context(context) {
    setObjectName(QStringLiteral("spareDialog"));
    addOkCancel(127);
    for (int s = 0; s < SpareCount; ++s) {
        const int y = 16 + 13 * s;
        for (int c = 0; c < ColumnCount; ++c) {
            m_edits[c][s] = addColumnEdit(Columns[c], s, 0, y);
            m_edits[c][s]->setToolTip(tr("Spare %1: %2").arg(s).arg(tr(Columns[c].text)));
        }
        addLabelFor(m_edits[Name][s], tr("Spare %1").arg(s), units(5, y, 33, 8));
    }
    showCells(m_context.roster);
}

void SpareDialog::accept() {
    storeCells(m_context.roster);
    FormDialog::accept();
}

} // namespace rk7
