#include "views/roster_view.h"

#include <QPainter>

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
    const ViewFlags old = m_views;
    m_views = ViewFlags{false, false, false};
    switch (view) {
    case View::All:
        m_views.ViewAll = !old.ViewAll;
        break;
    case View::Teams:
        m_views.ViewTeams = !old.ViewTeams;
        break;
    case View::Drivers:
        m_views.ViewDrivers = !old.ViewDrivers;
        break;
    }
    update();
    emit viewsChanged();
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

void RosterView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(viewcolors::LightGray));
    paintInto(painter, rect(), false);
}

} // namespace rk7
