#pragma once

#include "editors/position_table_dialog.h"

namespace rk7 {

// The range and failure values of each position.
class SetRanFailDialog : public PositionTableDialog {
    Q_OBJECT

public:
    SetRanFailDialog(const EditorContext& context, QWidget* parent);

    QLineEdit* range(int position) const { return m_range[position - 1]; }
    QLineEdit* failure(int position) const { return m_failure[position - 1]; }

public slots:
    void accept() override;

private:
    EditorContext m_context;
    Column m_range{};
    Column m_failure{};
};

} // namespace rk7
