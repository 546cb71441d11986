#include "views/rk7_power_window.h"

#include <QPainter>

namespace rk7 {

TRK7_PowerWindow::TRK7_PowerWindow(const Roster& roster, QWidget* parent)
    : QWidget(parent), m_roster(roster) {
    setObjectName(QStringLiteral("TRK7_PowerWindow"));
    // The table and the grey around it are painted whole every time, on Qt's back buffer, so
    // a repaint never shows an erased background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(viewcolors::LightGray));
    setPalette(grey);
}

void TRK7_PowerWindow::ToggleView(View view) {
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
    emit ViewsChanged();
}

void TRK7_PowerWindow::PaintInto(QPainter& painter, const QRect& client, bool printingNow) const {
    PaintViews(painter, client, m_roster, m_views, printingNow);
}

void TRK7_PowerWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(viewcolors::LightGray));
    PaintInto(painter, rect(), false);
}

} // namespace rk7
