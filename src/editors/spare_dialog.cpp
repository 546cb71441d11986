#include "editors/spare_dialog.h"

namespace rk7 {

namespace {

struct SpareColumn {
    const char* value; // what the box holds; the form has no headings, so its tooltip says
    int firstId;
    int x, w;
    std::size_t cellWidth;
};

constexpr SpareColumn Columns[SpareDialog::ColumnCount] = {
    {"name", 7001, 30, 75, SpareNameWidth},
    {"race power", 7011, 106, 26, DriverValueWidth},
    {"qualifying power", 7019, 133, 26, DriverValueWidth},
    {"range", 7027, 160, 26, DriverValueWidth},
};

template <typename F>
void WithCell(Roster& r, int column, int s, F&& f) {
    switch (column) {
    case SpareDialog::Name:
        return f(r.SpareName[s]);
    case SpareDialog::RacePower:
        return f(r.SpareRacePower[s]);
    case SpareDialog::QualPower:
        return f(r.SpareQualPower[s]);
    default:
        return f(r.SpareRange[s]);
    }
}

} // namespace

SpareDialog::SpareDialog(const EditorContext& context, QWidget* parent)
    : FormDialog(parent, QStringLiteral("Enter Spare Drivers"), QSize(201, 146)),
      m_context(context) {
    setObjectName(QStringLiteral("SpareDialog"));
    AddOkCancel(127);
    for (int s = 0; s < SpareCount; ++s) {
        const int y = 16 + 13 * s;
        for (int c = 0; c < ColumnCount; ++c) {
            const SpareColumn& column = Columns[c];
            m_edits[c][s] =
                AddEdit(column.firstId + s, Units(column.x, y, column.w, 11), column.cellWidth);
            m_edits[c][s]->setToolTip(
                QStringLiteral("Spare %1: %2").arg(s).arg(QLatin1String(column.value)));
            WithCell(m_context.roster, c, s,
                     [&](auto& cell) { SetCellText(m_edits[c][s], cell.Text()); });
        }
        AddLabelFor(m_edits[Name][s], QStringLiteral("Spare %1").arg(s), Units(5, y, 33, 8));
    }
}

void SpareDialog::accept() {
    for (int s = 0; s < SpareCount; ++s)
        for (int c = 0; c < ColumnCount; ++c)
            WithCell(m_context.roster, c, s, [&](auto& cell) { Store(cell, m_edits[c][s]); });
    FormDialog::accept();
}

} // namespace rk7
