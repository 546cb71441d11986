#pragma once

#include "model/cell_set.h"
#include "model/roster.h"
#include "model/roster_parts.h"
#include "painter/table_painter.h"
#include "views/view_snapshot.h"

#include <array>
#include <optional>

#include <QWidget>

namespace rk7 {

// The client area of the main window: paints the chosen view of the roster; whoever changes the
// roster asks it to repaint. A table shown has a cell cursor, which the keyboard moves.
class RosterView : public QWidget {
    Q_OBJECT

public:
    explicit RosterView(const Roster& roster, QWidget* parent = nullptr);

    const Roster& roster() const { return m_roster; }
    const ViewFlags& views() const { return m_views; }
    // The view commands: the shown view switches off, another view replaces it.
    void toggleView(View view);
    void toggleChart();
    // Paints the current views as on the screen (marks and cell cursor too), or for paper.
    void paintInto(QPainter& painter, const QRect& client, bool printingNow) const;
    // The narrowest client the current views fit on.
    int minimumViewWidth() const { return ViewsMinimumWidth(m_roster, m_views); }

    // Repaints when parts (RosterPart bits) hold what the view shows.
    void rosterChanged(RosterPartSet parts);

    // The frame a start shows for the roster as it is now, at the view's size: the views and
    // cell cursor as a start has them, nothing marked. Nothing at a fractional device pixel
    // ratio, whose pixels do not fall into whole rows.
    std::optional<ViewSnapshot> startFrame() const;
    // A start frame kept from an earlier run: the first paint draws it instead of painting, when
    // it has the key the frame painted then would have.
    void useKeptFrame(ViewSnapshot kept) { m_keptFrame = std::move(kept); }
    // Whether the first paint drew the kept frame.
    bool keptFrameShown() const { return m_keptFrameShown; }

    // Cells to mark on the screen (the cells the last change changed); never printed.
    void setHighlight(const CellSet& cells);
    void clearHighlight();
    const CellSet& highlight() const { return m_highlight; }

    // The cell cursor of the table shown; none while the chart or nothing is shown. Each table
    // keeps its own, so that switching back finds it where it was. The arrow keys, Home and End
    // (with Ctrl: the first and last cell) and Page Up and Down move it, as a click does; Enter
    // and a double-click ask for the form that edits its cell.
    std::optional<TableCell> cellCursor() const;
    // Moves the cursor of the table shown, kept on the table's cells.
    void moveCellCursor(int row, int column);

signals:
    void viewsChanged();
    // The cell cursor moved, or the table it stands in was switched.
    void cellCursorMoved();
    // The form that edits cell row of field is wanted, with the keyboard in that cell.
    void editFieldRequested(Field field, int row);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void toggle(bool ViewFlags::*shown);
    std::optional<View> shownTable() const;
    void editAt(const TableCell& cell);
    // Everything the start frame's pixels are painted from, except how the system renders the
    // fonts' glyphs: the program checks that once a kept frame was shown.
    QByteArray startFrameKey(int devicePixelRatio) const;
    bool showsStartFrame() const;

    const Roster& m_roster;
    ViewFlags m_views;
    CellSet m_highlight;
    // By View: All, Teams, Drivers.
    std::array<TableCell, 3> m_cursors{
        {{View::All, 0, 0}, {View::Teams, 0, 0}, {View::Drivers, 0, 0}}};
    std::optional<ViewSnapshot> m_keptFrame; // until the first paint
    bool m_keptFrameShown = false;
};

} // namespace rk7
