#pragma once

#include "model/cell_set.h"
#include "model/roster.h"
#include "views/table_painter.h"

#include <QWidget>

namespace rk7 {

// The client area of the main window: paints the chosen view of the roster; whoever changes the
// roster asks it to repaint.
class RosterView : public QWidget {
    Q_OBJECT

public:
    explicit RosterView(const Roster& roster, QWidget* parent = nullptr);

    const ViewFlags& views() const { return m_views; }
    // The view commands: the shown view switches off, another view replaces it.
    void toggleView(View view);
    void toggleChart();
    // Paints the current views as on the screen, or for paper.
    void paintInto(QPainter& painter, const QRect& client, bool printingNow) const;
    // The narrowest client the current views fit on.
    int minimumViewWidth() const { return ViewsMinimumWidth(m_roster, m_views); }

    // Repaints when parts (RosterPart bits) hold what the view shows.
    void rosterChanged(unsigned parts);

    // Cells to mark on the screen (the cells the last change changed); never printed.
    void setHighlight(const CellSet& cells);
    void clearHighlight();
    const CellSet& highlight() const { return m_highlight; }

signals:
    void viewsChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void toggle(bool ViewFlags::*shown);

    const Roster& m_roster;
    ViewFlags m_views;
    CellSet m_highlight;
};

} // namespace rk7
