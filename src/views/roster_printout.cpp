#include "views/roster_printout.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace rk7 {

namespace {

QSizeF ScreenDpi() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
    return {96, 96};
}

} // namespace

RosterPrintout::RosterPrintout(const Roster& roster, const ViewFlags& views, QString title)
    : m_roster(roster), m_views(views), m_title(std::move(title)) {}

QSize RosterPrintout::logicalClientSize(QSizeF printablePixels, QSizeF printerDpi,
                                        QSizeF screenDpi) {
    return {qRound(printablePixels.width() * screenDpi.width() / printerDpi.width()),
            qRound(printablePixels.height() * screenDpi.height() / printerDpi.height())};
}

void RosterPrintout::paintPage(QPainter& painter, int page, const QRect& target,
                               QSizeF printablePixels, QSizeF printerDpi) const {
    if (!hasPage(page))
        return;
    QSize client = logicalClientSize(printablePixels, printerDpi, ScreenDpi());
    // A view wider than the page (View All on a portrait page) would squeeze its last column
    // until the figures run into their neighbours: it is scaled down whole instead, still
    // reaching the page's edges. A view that fits prints as it always did.
    if (const int needed = ViewsMinimumWidth(m_roster, m_views);
        needed > client.width() && client.width() > 0)
        client = QSize(needed, qRound(qreal(client.height()) * needed / client.width()));
    painter.save();
    painter.setViewport(target);
    painter.setWindow(QRect(QPoint(0, 0), client));
    PaintViews(painter, QRect(QPoint(0, 0), client), m_roster, m_views, true);
    painter.restore();
}

} // namespace rk7
