#pragma once

#include "editors/position_table_dialog.h"

namespace rk7 {

// The power tables: what each position adds to a driver's and a team's start values.
class SetEditpowerDialog : public PositionTableDialog {
    Q_OBJECT

public:
    SetEditpowerDialog(const EditorContext& context, QWidget* parent);

    QLineEdit* driverPower(int position) const { return m_driverPowers[position - 1]; }
    QLineEdit* teamPower(int position) const { return m_teamPowers[position - 1]; }

public slots:
    // Stores the tables, then recalculates every driver's powers from the stored positions.
    void accept() override;

private:
    void editRangeFailure();

    EditorContext m_context;
    Column m_driverPowers{};
    Column m_teamPowers{};
};

} // namespace rk7
