#pragma once

#include "exchange/performance_file.h"
#include "model/roster_diff.h"

#include <vector>

#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace rk7 {

// What importing a Performance File would change, before it does: one line per cell that
// differs (its row, its field, the text now and the text in the file), sortable by any column,
// and the file's diagnostics below. Import accepts the dialog, Close rejects it; the caller
// imports.
class CompareDialog : public QDialog {
    Q_OBJECT

public:
    // fileName is what the title names: "Compare with season.txt".
    CompareDialog(const std::vector<CellDifference>& differences,
                  const std::vector<Diagnostic>& diagnostics, const QString& fileName,
                  QWidget* parent = nullptr);

    // "3 cells differ", "1 cell differs", "No cells differ".
    static QString countText(std::size_t differences);

private:
    void fillTable(const std::vector<CellDifference>& differences);
    void fillDiagnostics(const std::vector<Diagnostic>& diagnostics);

    QTableWidget* m_table;
    QLabel* m_count;
    QListWidget* m_diagnostics;
    QPushButton* m_import;
    QPushButton* m_close;
};

} // namespace rk7
