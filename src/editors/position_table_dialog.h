#pragma once

#include "editors/editor_dialog.h"
#include "model/roster_schema.h"

#include <array>

namespace rk7 {

// The power tables and the range/failure tables share one arrangement: two groups side by side,
// each with positions 1-14 down its left column and 15-28 down its right one.
class PositionTableDialog : public FormDialog {
    Q_OBJECT

public:
    using Column = std::array<QLineEdit*, PositionCount>;

protected:
    PositionTableDialog(QWidget* parent, const QString& caption);

    // A group under heading for the 28 cells of field; left is 0 for the left group, 1 for the
    // right one. Line firstLine holds position 1 and 15.
    Column addGroup(const QString& heading, int left, const QString& labelPrefix, Field field,
                    int firstLine);
    // A label and the field for cell row of field, on line k of a group's column (0 or 1).
    QLineEdit* addLabelledField(int left, int column, int line, const QString& label, Field field,
                                int row = 0);
};

} // namespace rk7
