#include "views/roster_view_accessible.h"

#include "model/chart_data.h"
#include "painter/cell_text.h"
#include "painter/chart_painter.h"
#include "painter/view_texts.h"
#include "views/roster_view.h"

#include <optional>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QPointer>

namespace rk7 {

namespace {

// Counts the changes of what the view shows, so that an interface asked later knows whether what
// it kept still holds, whether or not a client was told. Counting is all it costs without one.
class AccessibilityHook : public QObject {
public:
    explicit AccessibilityHook(RosterView* view) : QObject(view) {
        setObjectName(QStringLiteral("accessibilityHook"));
    }
    int viewsRevision = 0;
    int rosterRevision = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

AccessibilityHook* HookOf(const RosterView* view) {
    return view->findChild<AccessibilityHook*>(QString(), Qt::FindDirectChildrenOnly);
}

class RosterTableAccessible;

// A body cell of the table, or (row -1) the header of its column. It reads the view each time it
// is asked, so it follows the roster without being told.
class RosterCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    RosterCellAccessible(RosterTableAccessible* table, int row, int column)
        : m_table(table), m_row(row), m_column(column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override {
        return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row < 0 ? 0 : m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    int row() const { return m_row; }
    int column() const { return m_column; }

private:
    RosterTableAccessible* m_table;
    int m_row;
    int m_column;
};

// The view as a table: see roster_view_accessible.h. Its children are the column headers, then
// the body cells row by row.
class RosterTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit RosterTableAccessible(RosterView* view)
        : QAccessibleWidget(view, QAccessible::Table), m_hook(HookOf(view)) {}
    ~RosterTableAccessible() override { dropCells(); }

    RosterView* rosterView() const { return static_cast<RosterView*>(widget()); }
    std::optional<View> shownTable() const {
        const std::optional<TableCell> cursor = rosterView()->cellCursor();
        return cursor ? std::optional<View>(cursor->view) : std::nullopt;
    }
    bool chartShown() const { return rosterView()->views().Chart; }

    // The texts the table reads, header (row -1) and body.
    QString cellText(int row, int column) const;
    // Where a cell is, in the view's coordinates.
    QRect cellArea(int row, int column) const;
    QAccessibleInterface* cell(int row, int column) const;

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::Role role() const override {
        return chartShown() ? QAccessible::Chart : QAccessible::Table;
    }
    QString text(QAccessible::Text t) const override;
    int childCount() const override { return columnCount() * (rowCount() + 1); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        if (index < 0 || index >= childCount())
            return nullptr;
        return cell(index / columns - 1, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* c = dynamic_cast<const RosterCellAccessible*>(child);
        if (!c || c->parent() != this || !c->isValid())
            return -1;
        return (c->row() + 1) * columnCount() + c->column();
    }
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override {
        const std::optional<TableCell> cursor = rosterView()->cellCursor();
        return cursor && rosterView()->hasFocus() ? cell(cursor->row, cursor->column) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row >= 0 && row < rowCount() && column >= 0 && column < columnCount()
                   ? cell(row, column)
                   : nullptr;
    }
    // The cell cursor is the one selected cell.
    int selectedCellCount() const override { return rosterView()->cellCursor() ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (const std::optional<TableCell> cursor = rosterView()->cellCursor())
            return {cell(cursor->row, cursor->column)};
        return {};
    }
    QString columnDescription(int column) const override { return cellText(-1, column); }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override {
        if (event->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset)
            dropCells();
    }

private:
    // The chart's marks, made again only when the roster or the views changed.
    const std::vector<ChartMark>& chartMarks() const;
    // The cells handed out belong to the table shown; another one gets cells of its own.
    void dropCells() const {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    QPointer<AccessibilityHook> m_hook;
    mutable QHash<int, QAccessible::Id> m_cells; // by child index
    mutable int m_cellsRevision = -1;
    mutable std::vector<ChartMark> m_marks;
    mutable std::optional<std::pair<int, QSize>> m_marksMadeFor; // roster revision, view size
};

int RosterTableAccessible::columnCount() const {
    if (chartShown())
        return 1;
    const std::optional<View> view = shownTable();
    if (!view)
        return 0;
    const ViewSchema table = SchemaOf(*view);
    const int n = static_cast<int>(table.columns.size());
    return table.columns[n - 1].Filler() ? n - 1 : n; // the filler is no column of the table
}

int RosterTableAccessible::rowCount() const {
    if (chartShown())
        return static_cast<int>(chartMarks().size());
    const std::optional<View> view = shownTable();
    return view ? SchemaOf(*view).rows : 0;
}

const std::vector<ChartMark>& RosterTableAccessible::chartMarks() const {
    // The marks are laid out as for the view, or for a common window when the view is too small
    // to draw them: the texts are the same.
    QRect client = rosterView()->rect();
    if (client.width() < 640 || client.height() < 480)
        client = QRect(0, 0, 1024, 768);
    const std::pair<int, QSize> madeFor{m_hook ? m_hook->rosterRevision : -1, client.size()};
    if (m_marksMadeFor != madeFor || !m_hook) {
        m_marks = ChartMarks(client, MakeChartData(rosterView()->roster()));
        m_marksMadeFor = madeFor;
    }
    return m_marks;
}

QString RosterTableAccessible::cellText(int row, int column) const {
    if (column < 0 || column >= columnCount() || row >= rowCount())
        return QString();
    if (chartShown())
        return row < 0 ? QCoreApplication::translate("rk7::RosterView", "Bar or point")
                       : chartMarks()[row].tip;
    const ViewColumn& c = SchemaOf(*shownTable()).columns[column];
    if (row < 0)
        return ViewText(c.Caption()); // as the table paints it, in the program's language
    return CellToQString(c.Text(rosterView()->roster(), row)); // as the table paints it
}

QRect RosterTableAccessible::cellArea(int row, int column) const {
    if (column < 0 || column >= columnCount() || row >= rowCount())
        return QRect();
    const QRect client = rosterView()->rect();
    if (chartShown()) {
        if (row < 0 || client.width() < 640 || client.height() < 480)
            return client;
        return chartMarks()[row].area.toAlignedRect();
    }
    const std::optional<View> view = shownTable();
    if (!view)
        return QRect();
    if (row >= 0)
        return TableCellArea(client, TableCell{*view, row, column});
    const QRect below = TableCellArea(client, TableCell{*view, 0, column});
    return QRect(below.left(), client.top(), below.width(), viewgeometry::HeaderHeight);
}

QAccessibleInterface* RosterTableAccessible::cell(int row, int column) const {
    const int viewsRevision = m_hook ? m_hook->viewsRevision : -1;
    if (viewsRevision != m_cellsRevision) {
        dropCells();
        m_cellsRevision = viewsRevision;
    }
    const int index = (row + 1) * columnCount() + column;
    if (const auto known = m_cells.constFind(index); known != m_cells.cend())
        return QAccessible::accessibleInterface(*known);
    auto* made = new RosterCellAccessible(const_cast<RosterTableAccessible*>(this), row, column);
    m_cells.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

QString RosterTableAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        if (chartShown())
            return QCoreApplication::translate("rk7::RosterView", "Chart");
        switch (shownTable().value_or(View::All)) {
        case View::All:
            if (shownTable())
                return QCoreApplication::translate("rk7::RosterView", "View All");
            return QCoreApplication::translate("rk7::RosterView", "No view shown");
        case View::Teams:
            return QCoreApplication::translate("rk7::RosterView", "View Teams");
        case View::Drivers:
            return QCoreApplication::translate("rk7::RosterView", "View Drivers");
        }
    }
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty() &&
        chartShown())
        return QCoreApplication::translate("rk7::RosterView",
                                           "The team and driver powers and the four position "
                                           "tables: %n values, one a row, as their tips read",
                                           nullptr, rowCount());
    return QAccessibleWidget::text(t);
}

QAccessibleInterface* RosterTableAccessible::childAt(int x, int y) const {
    const QPoint at = rosterView()->mapFromGlobal(QPoint(x, y));
    const int columns = columnCount();
    for (int row = -1; row < rowCount(); ++row)
        for (int column = 0; column < columns; ++column)
            if (cellArea(row, column).contains(at))
                return cell(row, column);
    return nullptr;
}

bool RosterCellAccessible::isValid() const {
    return m_table->isValid() && m_row < m_table->rowCount() && m_column < m_table->columnCount();
}

QWindow* RosterCellAccessible::window() const {
    return m_table->window();
}

QAccessibleInterface* RosterCellAccessible::parent() const {
    return m_table;
}

QAccessibleInterface* RosterCellAccessible::table() const {
    return m_table;
}

QString RosterCellAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? m_table->cellText(m_row, m_column) : QString();
}

QRect RosterCellAccessible::rect() const {
    const QRect area = m_table->cellArea(m_row, m_column);
    if (area.isEmpty())
        return QRect();
    return QRect(m_table->rosterView()->mapToGlobal(area.topLeft()), area.size());
}

bool RosterCellAccessible::isSelected() const {
    const std::optional<TableCell> cursor = m_table->rosterView()->cellCursor();
    return m_row >= 0 && cursor && cursor->row == m_row && cursor->column == m_column;
}

QAccessible::State RosterCellAccessible::state() const {
    QAccessible::State state;
    if (m_row < 0)
        return state;
    state.readOnly = true; // a form edits it
    if (m_table->chartShown())
        return state;
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    state.focused = state.selected && m_table->rosterView()->hasFocus();
    state.invisible = m_table->cellArea(m_row, m_column).isEmpty();
    return state;
}

QList<QAccessibleInterface*> RosterCellAccessible::columnHeaderCells() const {
    if (m_row < 0)
        return {};
    return {m_table->child(m_column)};
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("rk7::RosterView") && object && object->isWidgetType())
        return new RosterTableAccessible(static_cast<RosterView*>(object));
    return nullptr;
}

// The cell cursor as the accessible focus: a client hears the cell it stands on.
void SendCursorFocus(RosterView* view) {
    if (!QAccessible::isActive() || !view->hasFocus())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    if (QAccessibleInterface* focused = table ? table->focusChild() : nullptr) {
        QAccessibleEvent event(focused, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

bool AccessibilityHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        SendCursorFocus(static_cast<RosterView*>(watched));
    return false;
}

} // namespace

void MakeAccessible(RosterView* view) {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
    auto* hook = new AccessibilityHook(view);
    view->installEventFilter(hook);
    QObject::connect(view, &RosterView::viewsChanged, hook, [view, hook] {
        ++hook->viewsRevision;
        ++hook->rosterRevision; // the chart's marks too, when it is switched on
        if (!QAccessible::isActive())
            return;
        QAccessibleTableModelChangeEvent reset(view, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
        QAccessibleEvent renamed(view, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    });
    QObject::connect(view, &RosterView::cellCursorMoved, hook, [view] { SendCursorFocus(view); });
}

void AccessibleRosterChanged(RosterView* view) {
    AccessibilityHook* hook = HookOf(view);
    if (!hook)
        return;
    ++hook->rosterRevision;
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
    if (!cells)
        return;
    if (view->views().Chart) {
        // Marks come and go with the values they show.
        QAccessibleTableModelChangeEvent reset(view, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
        return;
    }
    if (cells->rowCount() == 0)
        return;
    QAccessibleTableModelChangeEvent changed(view, QAccessibleTableModelChangeEvent::DataChanged);
    changed.setFirstRow(0);
    changed.setLastRow(cells->rowCount() - 1);
    changed.setFirstColumn(0);
    changed.setLastColumn(cells->columnCount() - 1);
    QAccessible::updateAccessibility(&changed);
    // The cell in focus may read differently now.
    if (QAccessibleInterface* focused = table->focusChild()) {
        QAccessibleEvent renamed(focused, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

} // namespace rk7
