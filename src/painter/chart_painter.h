#pragma once

#include "model/cell_set.h"
#include "model/chart_data.h"

#include <vector>

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace rk7 {

// Something of the chart the pointer can rest on, a bar or a point, and what it shows.
struct ChartMark {
    QRectF area;
    QString tip;
};

// A text of the chart as it is painted: the box it takes (its own width and a line's height, where
// its alignment puts it) and what it reads once shortened to its room.
struct ChartText {
    QRectF box;
    QString text;
};

// Paints the chart of data into client (logical units, as for the tables): the team powers top
// left, the four position tables below them, each on its own scale, and the driver powers
// grouped by team on the right. The panels are white on any ground, so screen and paper look
// alike; whoever paints fills the ground. The bars and points of the cells in highlight (when
// given) get a pale yellow slot or halo behind them, as the tables mark their cells, and a dark
// outline, a changed bar also a marker beside its row, so that they stand out from the bars.
void PaintChart(QPainter& painter, const QRect& client, const ChartData& data,
                const CellSet* highlight = nullptr);

// The bars and points of the chart painted into client, with what each shows; an empty cell
// has none.
std::vector<ChartMark> ChartMarks(const QRect& client, const ChartData& data);

// The texts of the chart painted into client, in the order they are painted.
std::vector<ChartText> ChartTexts(const QRect& client, const ChartData& data);

namespace chartcolors {
inline constexpr QRgb Qualifying = 0xff3a6fb0;
inline constexpr QRgb Race = 0xffe07b22;
// DriverPowerByPos, TeamPowerByPos, RangeByPos, FailureByPos
inline constexpr QRgb Positions[4] = {0xff008080, 0xff7b3fa0, 0xff2e8b3a, 0xffc0392b};
} // namespace chartcolors

} // namespace rk7
