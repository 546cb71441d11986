#include "views/roster_view.h"

#include "model/roster_parts.h"
#include "model/store.h"
#include "painter/chart_painter.h"
#include "painter/table_fonts.h"
#include "painter/view_texts.h"
#include "version.h"
#include "views/roster_view_accessible.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace rk7 {

namespace {

// The view on the screen: the grey, then the views over it.
void PaintClient(QPainter& painter, const QRect& client, const Roster& roster,
                 const ViewFlags& views, const CellSet* highlight, const TableCell* cursor) {
    painter.fillRect(client, QColor(viewcolors::LightGray));
    PaintViews(painter, client, roster, views, false, highlight, cursor);
}

std::optional<int> WholeRatio(qreal ratio) {
    if (ratio < 1 || ratio != std::floor(ratio))
        return std::nullopt;
    return static_cast<int>(ratio);
}

// Where a start puts the cell cursor: the first cell of View All, which a start shows.
constexpr TableCell StartCursor{View::All, 0, 0};

} // namespace

RosterView::RosterView(const Roster& roster, QWidget* parent) : QWidget(parent), m_roster(roster) {
    setObjectName(QStringLiteral("rosterView"));
    // The table and the grey around it are painted whole every time, on Qt's back buffer, so
    // a repaint never shows an erased background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(viewcolors::LightGray));
    setPalette(grey);
    // The keyboard's place in the main window: its cell cursor.
    setFocusPolicy(Qt::StrongFocus);
    MakeAccessible(this);
}

void RosterView::toggleView(View view) {
    switch (view) {
    case View::All:
        return toggle(&ViewFlags::ViewAll);
    case View::Teams:
        return toggle(&ViewFlags::ViewTeams);
    case View::Drivers:
        return toggle(&ViewFlags::ViewDrivers);
    }
}

void RosterView::toggleChart() {
    toggle(&ViewFlags::Chart);
}

void RosterView::toggle(bool ViewFlags::*shown) {
    const bool wasShown = m_views.*shown;
    m_views = ViewFlags{false, false, false, false};
    m_views.*shown = !wasShown;
    update();
    emit viewsChanged();
    emit cellCursorMoved(); // into the table now shown, or out of sight
}

std::optional<View> RosterView::shownTable() const {
    if (m_views.ViewAll)
        return View::All;
    if (m_views.ViewTeams)
        return View::Teams;
    if (m_views.ViewDrivers)
        return View::Drivers;
    return std::nullopt;
}

std::optional<TableCell> RosterView::cellCursor() const {
    const std::optional<View> view = shownTable();
    if (!view)
        return std::nullopt;
    return m_cursors[static_cast<int>(*view)];
}

void RosterView::moveCellCursor(int row, int column) {
    const std::optional<View> view = shownTable();
    if (!view)
        return;
    const ViewSchema table = SchemaOf(*view);
    int lastColumn = static_cast<int>(table.columns.size()) - 1;
    if (table.columns[lastColumn].Filler())
        --lastColumn;
    TableCell& cursor = m_cursors[static_cast<int>(*view)];
    const TableCell moved{*view, std::clamp(row, 0, table.rows - 1),
                          std::clamp(column, 0, lastColumn)};
    if (moved == cursor)
        return;
    update(TableCellArea(rect(), cursor) | TableCellArea(rect(), moved));
    cursor = moved;
    emit cellCursorMoved();
}

void RosterView::editAt(const TableCell& cell) {
    const ViewColumn& column = SchemaOf(cell.view).columns[cell.column];
    if (column.Filler())
        return;
    // A team's cell in View All stands on the rows of both its drivers.
    emit editFieldRequested(column.field->field,
                            column.perTeam ? TeamOfDriver(cell.row) : cell.row);
}

void RosterView::keyPressEvent(QKeyEvent* event) {
    const std::optional<TableCell> at = cellCursor();
    if (!at) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    // Page Up and Down move by the rows the view has room for.
    const int page = std::max(1, (height() - viewgeometry::TextTop) / viewgeometry::RowPitch);
    constexpr int Far = 1 << 16; // beyond any row or column; the move keeps to the table
    int row = at->row, column = at->column;
    switch (event->key()) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Home:
        column = 0;
        row = ctrl ? 0 : row;
        break;
    case Qt::Key_End:
        column = Far;
        row = ctrl ? Far : row;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        editAt(*at);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    moveCellCursor(row, column);
}

void RosterView::mousePressEvent(QMouseEvent* event) {
    if (const std::optional<View> view = shownTable(); view && event->button() == Qt::LeftButton)
        if (const std::optional<TableCell> cell =
                TableCellAt(rect(), *view, event->position().toPoint()))
            moveCellCursor(cell->row, cell->column);
    QWidget::mousePressEvent(event);
}

void RosterView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const std::optional<View> view = shownTable(); view && event->button() == Qt::LeftButton)
        if (const std::optional<TableCell> cell =
                TableCellAt(rect(), *view, event->position().toPoint())) {
            moveCellCursor(cell->row, cell->column);
            editAt(*cell);
            return;
        }
    QWidget::mouseDoubleClickEvent(event);
}

void RosterView::rosterChanged(RosterPartSet parts) {
    // The tables show teams and drivers; the chart the position tables as well.
    const RosterPartSet shown = m_views.Chart
                                    ? TeamsPart | DriversPart | PowerTablesPart | RangeFailurePart
                                    : TeamsPart | DriversPart;
    if (parts & shown) {
        update();
        AccessibleRosterChanged(this);
    }
}

void RosterView::setHighlight(const CellSet& cells) {
    if (cells == m_highlight)
        return;
    m_highlight = cells;
    update();
}

void RosterView::clearHighlight() {
    setHighlight(CellSet());
}

void RosterView::paintInto(QPainter& painter, const QRect& client, bool printingNow) const {
    const std::optional<TableCell> cursor = printingNow ? std::nullopt : cellCursor();
    PaintViews(painter, client, m_roster, m_views, printingNow, &m_highlight,
               cursor ? &*cursor : nullptr);
}

bool RosterView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // Only the chart has tips: what a bar or a point shows, read from the roster as it is now.
    const auto* help = static_cast<QHelpEvent*>(event);
    if (m_views.Chart)
        for (const ChartMark& mark : ChartMarks(rect(), MakeChartData(m_roster)))
            if (mark.area.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), mark.tip, this, mark.area.toAlignedRect());
                return true;
            }
    QToolTip::hideText();
    event->ignore();
    return true;
}

bool RosterView::showsStartFrame() const {
    const ViewFlags start;
    return m_views == start && m_highlight.Empty() && m_cursors[0] == StartCursor;
}

QByteArray RosterView::startFrameKey(int devicePixelRatio) const {
    const ViewFonts& fonts = TableFonts();
    QByteArray key = QByteArrayLiteral("rk7power " RK7_VERSION ", Qt ") + qVersion() + ", " +
                     QGuiApplication::platformName().toUtf8() + '\n';
    key += QByteArray::number(width()) + 'x' + QByteArray::number(height()) + '@' +
           QByteArray::number(devicePixelRatio) + '\n';
    key += fonts.header.key().toUtf8() + '\n' + fonts.body.key().toUtf8() + '\n';
    key += AllViewTexts().toUtf8();
    for (StoreFile file : StoreFiles)
        key += QByteArray::fromStdString(SerializeStore(m_roster, file));
    return key;
}

std::optional<ViewSnapshot> RosterView::startFrame() const {
    const std::optional<int> ratio = WholeRatio(devicePixelRatio());
    if (!ratio || width() < 1 || height() < 1)
        return std::nullopt;
    const QRect client = rect();
    return ViewSnapshot::Take(startFrameKey(*ratio), size(), *ratio, [&](QPainter& painter) {
        PaintClient(painter, client, m_roster, ViewFlags{}, nullptr, &StartCursor);
    });
}

void RosterView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (const std::optional<ViewSnapshot> kept = std::exchange(m_keptFrame, std::nullopt)) {
        const std::optional<int> ratio = WholeRatio(devicePixelRatio());
        // A strip that does not decompress is painted over whole below.
        if (ratio && showsStartFrame() && kept->key() == startFrameKey(*ratio) &&
            kept->draw(painter)) {
            m_keptFrameShown = true;
            return;
        }
    }
    const std::optional<TableCell> cursor = cellCursor();
    PaintClient(painter, rect(), m_roster, m_views, &m_highlight, cursor ? &*cursor : nullptr);
}

} // namespace rk7
