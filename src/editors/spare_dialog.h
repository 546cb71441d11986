#pragma once

#include "editors/editor_dialog.h"

#include <array>

namespace rk7 {

// The eight spare drivers: name, race power, qualifying power and range, typed as they are.
class SpareDialog : public FormDialog {
    Q_OBJECT

public:
    enum Column { Name, RacePower, QualPower, Range };
    static constexpr int ColumnCount = 4;

    // parent may be null (opened from the drivers form).
    SpareDialog(const EditorContext& context, QWidget* parent);

    QLineEdit* edit(Column column, int spare) const { return m_edits[column][spare]; }

public slots:
    // Writes the rows into the roster; they reach Drivers.rk at its next save.
    void accept() override;

private:
    EditorContext m_context;
    std::array<std::array<QLineEdit*, SpareCount>, ColumnCount> m_edits{};
};

} // namespace rk7
