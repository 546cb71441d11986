#pragma once

#include "model/program_state.h"
#include "model/roster.h"
#include "views/table_painter.h"

#include <QBasicTimer>
#include <QWidget>

namespace rk7 {

// The client area of the main window: paints the chosen view of the roster and repaints it
// shortly after anything sets RosterChanged.
class TRK7_PowerWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int RepaintPeriodMs = 200;

    TRK7_PowerWindow(const Roster& roster, ProgramState& state, QWidget* parent = nullptr);

    const ViewFlags& Views() const { return m_views; }
    // The view commands: the shown view switches off, another view replaces it.
    void ToggleView(View view);
    // Starts the repaint timer.
    void StartRepaintTimer();
    // Paints the current views as on the screen, or for paper.
    void PaintInto(QPainter& painter, const QRect& client, bool printingNow) const;
    // The narrowest client the current views fit on.
    int MinimumViewWidth() const { return ViewsMinimumWidth(m_roster, m_views); }

signals:
    void ViewsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    const Roster& m_roster;
    ProgramState& m_state;
    ViewFlags m_views;
    QBasicTimer m_repaintTimer;
};

} // namespace rk7
