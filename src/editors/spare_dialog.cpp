#include "editors/spare_dialog.h"

namespace rk7 {

namespace {

struct SpareColumn {
    const char* value; // what the box holds; the form has no headings, so its tooltip says
    int firstId;
    int x, w;
    Field field;
};

constexpr SpareColumn Columns[SpareDialog::ColumnCount] = {
    {"name", 7001, 30, 75, Field::SpareName},
    {"race power", 7011, 106, 26, Field::SpareRacePower},
    {"qualifying power", 7019, 133, 26, Field::SpareQualPower},
    {"range", 7027, 160, 26, Field::SpareRange},
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
            const SpareColumn& column = Columns[c];
            m_edits[c][s] = addFieldEdit(units(column.x, y, column.w, 11), column.field, s);
            m_edits[c][s]->setToolTip(
                QStringLiteral("Spare %1: %2").arg(s).arg(QLatin1String(column.value)));
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
