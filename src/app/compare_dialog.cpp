#include "app/compare_dialog.h"

#include "views/cell_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rk7 {

namespace {

enum Column { RowColumn, FieldColumn, NowColumn, FileColumn, ColumnCount };

// A cell of the table that sorts as people expect: empty texts first, then figures by value,
// then words regardless of case; equals keep the order of the list (row by row, field by
// field). The Row column sorts by that order alone, so that team 10 follows team 9.
class SortItem : public QTableWidgetItem {
public:
    enum Rank { Empty, Figure, Word };

    SortItem(const QString& text, int order, bool byOrderOnly)
        : QTableWidgetItem(text), m_order(order) {
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (byOrderOnly) {
            m_rank = Figure;
            m_value = order;
        } else if (text.isEmpty()) {
            m_rank = Empty;
        } else {
            bool figure = false;
            m_value = text.trimmed().toDouble(&figure);
            m_rank = figure ? Figure : Word;
        }
    }

    bool operator<(const QTableWidgetItem& item) const override {
        const auto& other = static_cast<const SortItem&>(item);
        if (m_rank != other.m_rank)
            return m_rank < other.m_rank;
        if (m_rank == Figure && m_value != other.m_value)
            return m_value < other.m_value;
        if (m_rank == Word)
            if (const int c = text().compare(other.text(), Qt::CaseInsensitive); c != 0)
                return c < 0;
        return m_order < other.m_order;
    }

private:
    int m_order;
    Rank m_rank = Word;
    double m_value = 0;
};

// Row and Field as wide as their texts, but no wider than this: a spare's name may run to 74
// characters. Every text stays whole in its tool tip.
constexpr int WidestColumn = 260;

} // namespace

CompareDialog::CompareDialog(const std::vector<CellDifference>& differences,
                             const std::vector<Diagnostic>& diagnostics, const QString& fileName,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(QStringLiteral("Compare with %1").arg(fileName));
    setSizeGripEnabled(true);

    m_count = new QLabel(countText(differences.size()), this);
    m_count->setObjectName(QStringLiteral("countLabel"));

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("compareTable"));
    fillTable(differences);

    auto* diagnosticsCaption = new QLabel(QStringLiteral("Diagnostics of the file:"), this);
    m_diagnostics = new QListWidget(this);
    m_diagnostics->setObjectName(QStringLiteral("diagnosticsList"));
    diagnosticsCaption->setBuddy(m_diagnostics);
    fillDiagnostics(diagnostics);

    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("importButton"));
    m_import->setEnabled(!differences.empty());
    m_close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("closeButton"));
    // Enter only looks: importing takes the click on Import.
    m_import->setAutoDefault(false);
    m_close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_count);
    layout->addWidget(m_table, 3);
    layout->addWidget(diagnosticsCaption);
    layout->addWidget(m_diagnostics, 1);
    layout->addWidget(buttons);
    resize(720, 480);
}

QString CompareDialog::countText(std::size_t differences) {
    if (differences == 0)
        return QStringLiteral("No cells differ");
    if (differences == 1)
        return QStringLiteral("1 cell differs");
    return QStringLiteral("%1 cells differ").arg(differences);
}

void CompareDialog::fillTable(const std::vector<CellDifference>& differences) {
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Row"), QStringLiteral("Field"),
                                        QStringLiteral("Now"), QStringLiteral("In the file")});
    m_table->setRowCount(static_cast<int>(differences.size()));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Sorting is off while filling, or each new item would move its row.
    m_table->setSortingEnabled(false);
    int row = 0;
    for (const CellDifference& d : differences) {
        const QString texts[ColumnCount] = {
            CellToQString(RowLabel(d)),
            QString::fromLatin1(d.fieldName.data(), static_cast<qsizetype>(d.fieldName.size())),
            CellToQString(d.now), CellToQString(d.other)};
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new SortItem(texts[column], row, column == RowColumn);
            item->setToolTip(texts[column]);
            m_table->setItem(row, column, item);
        }
        ++row;
    }
    // Shown in the list's order, which sorting by Row gives back.
    m_table->horizontalHeader()->setSortIndicator(RowColumn, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    // Row and Field as wide as their texts; the two texts share the rest of the width.
    QHeaderView* header = m_table->horizontalHeader();
    for (int column : {RowColumn, FieldColumn}) {
        m_table->resizeColumnToContents(column);
        m_table->setColumnWidth(column, std::min(m_table->columnWidth(column), WidestColumn));
    }
    header->setSectionResizeMode(NowColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
}

void CompareDialog::fillDiagnostics(const std::vector<Diagnostic>& diagnostics) {
    // The messages quote the file as it was read, in Windows-1252.
    for (const Diagnostic& d : diagnostics)
        m_diagnostics->addItem(
            QStringLiteral("Line %1: %2").arg(d.line).arg(CellToQString(d.message)));
    if (diagnostics.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("No diagnostics"), m_diagnostics);
        none->setFlags(Qt::NoItemFlags);
    }
}

} // namespace rk7
