#include "editors/spare_dialog.h"

namespace rk7 {

namespace {

// The form has no headings: each edit's tooltip says what it holds.
constexpr FormColumn Columns[SpareDialog::ColumnCount] = {
    {Field::SpareName, "name", 30, 75},
    {Field::SpareRacePower, "race power", 106, 26},
    {Field::SpareQualPower, "qualifying power", 133, 26},
    {Field::SpareRange, "range", 160, 26},
};

} // namespace

SpareDialog::SpareDialog(const EditorContext& context, QWidget* parent)
    : FormDialog(parent, QStringLiteral("Enter Spare Drivers"), QSize(201, 146)),
      m_context(context) {
    setObjectName(QStringLiteral("spareDialog"));
    addOkCancel(127);
    for (int s = 0; s < SpareCount; ++s) {
        const int y = 16 + 13 * s;
        for (int c = 0; c < ColumnCount; ++c) {
            m_edits[c][s] = addColumnEdit(Columns[c], s, 0, y);
            m_edits[c][s]->setToolTip(
                QStringLiteral("Spare %1: %2").arg(s).arg(QLatin1String(Columns[c].text)));
        }
        addLabelFor(m_edits[Name][s], QStringLiteral("Spare %1").arg(s), units(5, y, 33, 8));
    }
    showCells(m_context.roster);
}

void SpareDialog::accept() {
    storeCells(m_context.roster);
    FormDialog::accept();
}

} // namespace rk7
