#include "editors/position_table_dialog.h"

#include <QLabel>

namespace rk7 {

namespace {
constexpr int GroupX[2] = {5, 169};    // label x of a group's first column
constexpr int HeadingX[2] = {63, 226}; // centre of a group's heading
constexpr int ColumnStep = 64;         // from a group's first column to its second
constexpr int FieldOffset = 36;        // from a label to its field
} // namespace

PositionTableDialog::PositionTableDialog(QWidget* parent, const QString& caption)
    : FormDialog(parent, caption, QSize(297, 237)) {}

QLineEdit* PositionTableDialog::addLabelledField(int left, int column, int line,
                                                 const QString& label, Field field, int row) {
    const int x = GroupX[left] + column * ColumnStep;
    const int y = 16 + 13 * line;
    addPanelLabel(label, x, y);
    return addFieldEdit(units(x + FieldOffset, y, 25, 11), field, row);
}

PositionTableDialog::Column PositionTableDialog::addGroup(const QString& heading, int left,
                                                          const QString& labelPrefix, Field field,
                                                          int firstLine) {
    addLabel(heading, units(HeadingX[left] - 40, 3, 80, 10), Qt::AlignHCenter);
    Column fields{};
    for (int p = 1; p <= PositionCount; ++p) {
        const int column = (p - 1) / 14;
        const int line = firstLine + (p - 1) % 14;
        fields[p - 1] =
            addLabelledField(left, column, line, labelPrefix + QString::number(p), field, p - 1);
    }
    return fields;
}

} // namespace rk7
