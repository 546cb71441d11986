#pragma once

#include "model/cell_set.h"
#include "model/roster.h"
#include "model/roster_schema.h"
#include "painter/table_fonts.h"

#include <optional>

#include <QColor>
#include <QFont>
#include <QRect>

class QPainter;

namespace rk7 {

// What the client window shows, a table or the chart; at most one is set, and none leaves the
// area empty.
struct ViewFlags {
    bool ViewAll = true;
    bool ViewTeams = false;
    bool ViewDrivers = false;
    bool Chart = false;

    friend bool operator==(const ViewFlags&, const ViewFlags&) = default;
};

// A body cell of a table view: its row (a driver, or a team in View Teams) and its column, as
// SchemaOf(view) counts them from the left.
struct TableCell {
    View view = View::All;
    int row = 0;
    int column = 0;

    friend bool operator==(const TableCell&, const TableCell&) = default;
};

// Paints the set views of the roster into client (logical units of the painter: pixels on the
// screen; on a page, the mapped client size). printingNow paints white cell faces for paper.
// On the screen, the cells of highlight (when given) get a pale yellow face behind their text,
// a team's cell on the rows of both its drivers in View All, and in the chart behind their bar
// or point; the cell of cursor (when given, and its table is painted) gets a dotted focus
// rectangle. Paper never shows either.
void PaintViews(QPainter& painter, const QRect& client, const Roster& roster,
                const ViewFlags& views, bool printingNow, const CellSet* highlight = nullptr,
                const TableCell* cursor = nullptr);
void PaintView(QPainter& painter, const QRect& client, const Roster& roster, View view,
               bool printingNow, const CellSet* highlight = nullptr,
               const TableCell* cursor = nullptr);

// Where a body cell is painted in client: its column's face, one row pitch high from just above
// its text; empty when the client is too short to show it.
QRect TableCellArea(const QRect& client, const TableCell& cell);
// The body cell at point of the table view painted in client; none on a caption, on the
// filler, or below the last row.
std::optional<TableCell> TableCellAt(const QRect& client, View view, QPoint point);

// The narrowest client on which the last column of every set table still holds its caption and
// its texts; 0 when no table is set (the chart fits any client). The other columns have fixed
// widths.
int ViewsMinimumWidth(const Roster& roster, const ViewFlags& views);

namespace viewcolors {
inline constexpr QRgb Black = 0xff000000;
inline constexpr QRgb DarkGray = 0xff808080;
inline constexpr QRgb LightGray = 0xffc0c0c0;
inline constexpr QRgb White = 0xffffffff;
inline constexpr QRgb Teal = 0xff008080;
inline constexpr QRgb Highlight = 0xfffff7b0; // a changed cell's face on the screen
} // namespace viewcolors

namespace viewgeometry {
inline constexpr int HeaderHeight = 24;
inline constexpr int RowPitch = 15;
inline constexpr int TextTop = HeaderHeight + 5;
} // namespace viewgeometry

} // namespace rk7
