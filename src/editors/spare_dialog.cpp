#include "editors/spare_dialog.h"

namespace rk7 {

namespace {

struct SpareColumn {
    int firstId;
    int x, w;
    std::size_t cellWidth;
};

constexpr SpareColumn Columns[SpareDialog::ColumnCount] = {
    {7001, 30, 75, SpareNameWidth},
    {7011, 106, 26, DriverValueWidth},
    {7019, 133, 26, DriverValueWidth},
    {7027, 160, 26, DriverValueWidth},
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
    : EditorDialog(parent, QStringLiteral("Enter Spare Drivers"), QSize(201, 146)),
      m_context(context) {
    setObjectName(QStringLiteral("SpareDialog"));
    AddOkCancel(127);
    for (int s = 0; s < SpareCount; ++s) {
        const int y = 16 + 13 * s;
        AddLabel(QStringLiteral("Spare %1").arg(s), Units(5, y, 33, 8));
        for (int c = 0; c < ColumnCount; ++c) {
            const SpareColumn& column = Columns[c];
            m_edits[c][s] =
                AddEdit(column.firstId + s, Units(column.x, y, column.w, 11), column.cellWidth);
            WithCell(m_context.roster, c, s,
                     [&](auto& cell) { SetCellText(m_edits[c][s], cell.Text()); });
        }
    }
}

void SpareDialog::accept() {
    for (int s = 0; s < SpareCount; ++s)
        for (int c = 0; c < ColumnCount; ++c)
            WithCell(m_context.roster, c, s, [&](auto& cell) { Store(cell, m_edits[c][s]); });
    m_context.state.UnsavedStores |= DriversStore;
    EditorDialog::accept();
}

} // namespace rk7
