#pragma once

#include "editors/editor_dialog.h"

#include <array>

namespace rk7 {

// The teams form: names, engines, the four wanted positions, and the powers and failure that Auto
// Edit Mode derives from them.
class SetTeamsDialog : public CalcFormDialog {
    Q_OBJECT

public:
    enum Column { Name, Engine, QualD1, QualD2, RaceD1, RaceD2, RacePower, QualPower, Failure };
    static constexpr int ColumnCount = 9;

    SetTeamsDialog(const EditorContext& context, QWidget* parent);

    QLineEdit* edit(Column column, int team) const { return m_edits[column][team]; }

public slots:
    void accept() override;

private:
    EditorContext m_context;
    std::array<std::array<QLineEdit*, TeamCount>, ColumnCount> m_edits{};
};

} // namespace rk7
