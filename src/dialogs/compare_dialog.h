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
// and the file's diagnostics below. Ctrl+C copies the selected rows for a spreadsheet. Import
// accepts the dialog, Close rejects it; the caller imports.
class CompareDialog : public QDialog {
    Q_OBJECT

public:
    // fileName is what the title names: "Compare with season.txt".
    CompareDialog(const std::vector<CellDifference>& differences,
                  const std::vector<Diagnostic>& diagnostics, const QString& fileName,
                  QWidget* parent = nullptr);

    // "3 cells differ", "1 cell differs", "No cells differ".
    static QString countText(std::size_t differences);

    // Shows the "Read as UTF-8" button, for a file that looks like UTF-8 but was read as
    // Windows-1252; it asks for readAsUtf8().
    void offerUtf8(bool offer);
    // The same file read as UTF-8: its differences and diagnostics replace the ones shown.
    void showUtf8Reading(const std::vector<CellDifference>& differences,
                         const std::vector<Diagnostic>& diagnostics);

signals:
    void readAsUtf8();

private:
    void showComparison(const std::vector<CellDifference>& differences,
                        const std::vector<Diagnostic>& diagnostics);
    void fillTable(const std::vector<CellDifference>& differences);
    void fillDiagnostics(const std::vector<Diagnostic>& diagnostics);

    QTableWidget* m_table;
    QLabel* m_count;
    QLabel* m_diagnosticsCaption;
    QListWidget* m_diagnostics;
    QPushButton* m_utf8;
    QPushButton* m_import;
    QPushButton* m_close;
};

} // namespace rk7
