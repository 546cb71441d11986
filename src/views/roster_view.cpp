#include "views/roster_view.h"

#include "model/roster_parts.h"
#include "views/chart_painter.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace rk7 {

RosterView::RosterView(const Roster& roster, QWidget* parent) : QWidget(parent), m_roster(roster) {
    setObjectName(QStringLiteral("rosterView"));
    // The table and the grey around it are painted whole every time, on Qt's back buffer, so
    // a repaint never shows an erased background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(viewcolors::LightGray));
    setPalette(grey);
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
}

void RosterView::rosterChanged(unsigned parts) {
    // The tables show teams and drivers; the chart the position tables as well.
    const unsigned shown = m_views.Chart
                               ? TeamsPart | DriversPart | PowerTablesPart | RangeFailurePart
                               : TeamsPart | DriversPart;
    if (parts & shown)
        update();
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
    PaintViews(painter, client, m_roster, m_views, printingNow, &m_highlight);
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

void RosterView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(viewcolors::LightGray));
    paintInto(painter, rect(), false);
}

} // namespace rk7
