#include "dialogs/compare_dialog.h"

#include "painter/cell_text.h"

#include <algorithm>

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
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
            // Figures line up by their units, as in a spreadsheet.
            if (figure)
                setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
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

// A field as a spreadsheet reads it back from tab-separated text, as Copy View writes it: quoted,
// its quotes doubled, when it holds a tab or a line break or starts with a quote.
QString TsvField(const QString& text) {
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && !text.startsWith(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The table whose Ctrl+C copies every selected row, in the order and with the columns shown,
// rather than the current cell alone.
class CompareTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event != QKeySequence::Copy) {
            QTableWidget::keyPressEvent(event);
            return;
        }
        event->accept();
        std::vector<int> rows;
        for (const QModelIndex& index : selectionModel()->selectedRows())
            rows.push_back(visualRow(index.row()));
        if (rows.empty())
            return;
        std::sort(rows.begin(), rows.end());
        const QHeaderView* header = horizontalHeader();
        QString text;
        for (int visual : rows) {
            const int row = verticalHeader()->logicalIndex(visual);
            QStringList fields;
            for (int at = 0; at < header->count(); ++at)
                if (const int column = header->logicalIndex(at); !header->isSectionHidden(column))
                    fields << TsvField(item(row, column) ? item(row, column)->text() : QString());
            text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
        QGuiApplication::clipboard()->setText(text);
    }
};

// The diagnostics: as tall as its lines, wrapped to its width, up to MaxLines of one line each;
// more scroll. The table above takes the rest of the height.
class DiagnosticsList : public QListWidget {
public:
    static constexpr int MaxLines = 4;

    explicit DiagnosticsList(QWidget* parent) : QListWidget(parent) {
        setWordWrap(true);
        setResizeMode(QListView::Adjust); // wrap again as the width changes
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override {
        // One unwrapped line tall per line: what MaxLines of them take.
        const int line = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
        const int height = std::clamp(contentsSize().height(), line, MaxLines * line);
        return {QListWidget::sizeHint().width(), height + 2 * frameWidth()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // Called once the items are laid out at the new width, where wrapped lines change height.
    void updateGeometries() override {
        QListWidget::updateGeometries();
        if (contentsSize().height() != m_laidOutHeight) {
            m_laidOutHeight = contentsSize().height();
            updateGeometry();
        }
    }

private:
    int m_laidOutHeight = -1;
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
    setWindowTitle(tr("Compare with %1").arg(fileName));
    setSizeGripEnabled(true);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("countLabel"));

    m_table = new CompareTable(this);
    m_table->setObjectName(QStringLiteral("compareTable"));

    m_diagnosticsCaption = new QLabel(tr("Diagnostics of the file:"), this);
    m_diagnostics = new DiagnosticsList(this);
    m_diagnostics->setObjectName(QStringLiteral("diagnosticsList"));
    m_diagnosticsCaption->setBuddy(m_diagnostics);

    // Apart from Import and Close, at the left: it only reads the file again. A box of its own
    // gives it the same size as theirs.
    auto* readAgain = new QDialogButtonBox(this);
    m_utf8 = readAgain->addButton(tr("Read as &UTF-8"), QDialogButtonBox::ActionRole);
    m_utf8->setObjectName(QStringLiteral("utf8Button"));
    m_utf8->setAutoDefault(false);
    m_utf8->hide();
    connect(m_utf8, &QPushButton::clicked, this, &CompareDialog::readAsUtf8);
    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("importButton"));
    m_close = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("closeButton"));
    // Enter only looks: importing takes the click on Import.
    m_import->setAutoDefault(false);
    m_close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    showComparison(differences, diagnostics);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_count);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_diagnosticsCaption);
    layout->addWidget(m_diagnostics);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(readAgain);
    buttonRow->addWidget(buttons, 1);
    layout->addLayout(buttonRow);
    resize(720, 480);
}

void CompareDialog::offerUtf8(bool offer) {
    m_utf8->setVisible(offer);
}

void CompareDialog::showUtf8Reading(const std::vector<CellDifference>& differences,
                                    const std::vector<Diagnostic>& diagnostics) {
    showComparison(differences, diagnostics);
    m_diagnosticsCaption->setText(tr("Diagnostics of the file, read as UTF-8:"));
    m_utf8->hide();
}

void CompareDialog::showComparison(const std::vector<CellDifference>& differences,
                                   const std::vector<Diagnostic>& diagnostics) {
    m_count->setText(countText(differences.size()));
    fillTable(differences);
    fillDiagnostics(diagnostics);
    m_import->setEnabled(!differences.empty());
}

QString CompareDialog::countText(std::size_t differences) {
    if (differences == 0)
        return tr("No cells differ");
    if (differences == 1)
        return tr("1 cell differs");
    return tr("%1 cells differ").arg(differences);
}

void CompareDialog::fillTable(const std::vector<CellDifference>& differences) {
    // Filled again (read as UTF-8), the rows keep the order the user sorted them in.
    QHeaderView* header = m_table->horizontalHeader();
    const int sortColumn = m_table->columnCount() > 0 ? header->sortIndicatorSection() : RowColumn;
    const Qt::SortOrder sortOrder =
        m_table->columnCount() > 0 ? header->sortIndicatorOrder() : Qt::AscendingOrder;
    m_table->setSortingEnabled(false);
    m_table->clear();
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({tr("Row"), tr("Field"), tr("Now"), tr("In the file")});
    m_table->setRowCount(static_cast<int>(differences.size()));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Sorting is off while filling (above), or each new item would move its row.
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
    // At first in the list's order, which sorting by Row gives back.
    header->setSortIndicator(sortColumn, sortOrder);
    m_table->setSortingEnabled(true);
    // Row and Field as wide as their texts; the two texts share the rest of the width.
    for (int column : {RowColumn, FieldColumn}) {
        m_table->resizeColumnToContents(column);
        m_table->setColumnWidth(column, std::min(m_table->columnWidth(column), WidestColumn));
    }
    header->setSectionResizeMode(NowColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
}

void CompareDialog::fillDiagnostics(const std::vector<Diagnostic>& diagnostics) {
    m_diagnostics->clear();
    // The messages quote the file as it was read, in Windows-1252.
    for (const Diagnostic& d : diagnostics)
        m_diagnostics->addItem(tr("Line %1: %2").arg(d.line).arg(CellToQString(d.message)));
    if (diagnostics.empty()) {
        auto* none = new QListWidgetItem(tr("No diagnostics"), m_diagnostics);
        none->setFlags(Qt::NoItemFlags);
    }
}

} // namespace rk7
