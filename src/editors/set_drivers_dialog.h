#pragma once

#include "editors/editor_dialog.h"

#include <array>

class QComboBox;

namespace rk7 {

// The drivers form: car number, name, the wanted positions, and the powers and range that Auto
// Edit Mode derives from them. Drivers 1-14 stand on the left, 15-28 on the right.
class SetDriversDialog : public CalcFormDialog {
    Q_OBJECT

public:
    enum Column { Name, QualPos, RacePos, RacePower, QualPower, Range };
    static constexpr int ColumnCount = 6;

    SetDriversDialog(const EditorContext& context, QWidget* parent);

    QLineEdit* edit(Column column, int driver) const { return m_edits[column][driver]; }
    QComboBox* carNumber(int driver) const { return m_cars[driver]; }

public slots:
    void accept() override;

protected:
    // The car numbers are chosen in their boxes.
    QWidget* fieldWidget(Field field, int row) const override;

private:
    void enterSpareDrivers();

    EditorContext m_context;
    std::array<std::array<QLineEdit*, DriverCount>, ColumnCount> m_edits{};
    std::array<QComboBox*, DriverCount> m_cars{};
};

} // namespace rk7
