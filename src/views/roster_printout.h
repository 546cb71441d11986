#pragma once

#include "model/roster.h"
#include "painter/table_painter.h"

#include <QRect>
#include <QSizeF>
#include <QString>

class QPainter;

namespace rk7 {

// The views of the roster as one printed page. The view is painted on a client
// rectangle the size of the printable page in screen pixels, stretched over the printable page,
// so fonts and columns keep their size on screen while the last column reaches the page's edge.
class RosterPrintout {
public:
    // roster and views are read at each paint, so that the page follows them.
    RosterPrintout(const Roster& roster, const ViewFlags& views, QString title);

    const QString& title() const { return m_title; }
    // Every printout is one page.
    static constexpr int PageCount = 1;
    bool hasPage(int page) const { return page >= 1 && page <= PageCount; }

    // The client size the view is laid out on: the printable size in screen pixels.
    static QSize logicalClientSize(QSizeF printablePixels, QSizeF printerDpi, QSizeF screenDpi);

    // Paints page `page` so that the printable page covers target (device coordinates of the
    // painter); printablePixels and printerDpi describe the printer's page.
    void paintPage(QPainter& painter, int page, const QRect& target, QSizeF printablePixels,
                   QSizeF printerDpi) const;

private:
    const Roster& m_roster;
    const ViewFlags& m_views;
    QString m_title;
};

} // namespace rk7
