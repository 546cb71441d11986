#include "views/table_painter.h"

#include "views/cell_text.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace rk7 {

namespace {

using namespace viewcolors;
using namespace viewgeometry;

std::string_view Car(const Roster& r, int d) {
    return r.CarNumber[d].Text();
}
std::string_view Driver(const Roster& r, int d) {
    return r.DriverName[d].Text();
}
std::string_view DQual(const Roster& r, int d) {
    return r.DriverQualPower[d].Text();
}
std::string_view DRace(const Roster& r, int d) {
    return r.DriverRacePower[d].Text();
}
std::string_view Range(const Roster& r, int d) {
    return r.DriverRange[d].Text();
}
std::string_view Team(const Roster& r, int t) {
    return r.TeamName[t].Text();
}
std::string_view Engine(const Roster& r, int t) {
    return r.EngineName[t].Text();
}
std::string_view TQual(const Roster& r, int t) {
    return r.TeamQualPower[t].Text();
}
std::string_view TRace(const Roster& r, int t) {
    return r.TeamRacePower[t].Text();
}
std::string_view Failure(const Roster& r, int t) {
    return r.TeamFailure[t].Text();
}
// View All shows each team's values on the rows of both its drivers.
std::string_view TeamOf(const Roster& r, int d) {
    return Team(r, TeamOfDriver(d));
}
std::string_view EngineOf(const Roster& r, int d) {
    return Engine(r, TeamOfDriver(d));
}
std::string_view TQualOf(const Roster& r, int d) {
    return TQual(r, TeamOfDriver(d));
}
std::string_view TRaceOf(const Roster& r, int d) {
    return TRace(r, TeamOfDriver(d));
}
std::string_view FailureOf(const Roster& r, int d) {
    return Failure(r, TeamOfDriver(d));
}

constexpr ViewColumn AllColumns[] = {
    {"#", 0, false, Car},
    {"Driver Names", 24, false, Driver},
    {"Team Names", 174, false, TeamOf},
    {"Engine", 274, false, EngineOf},
    {"T Q Power", 360, true, TQualOf},
    {"T R Power", 442, true, TRaceOf},
    {"D Q Power", 524, true, DQual},
    {"D R Power", 606, true, DRace},
    {"Failure", 684, true, FailureOf},
    {"Range", 749, true, Range},
};

constexpr ViewColumn TeamColumns[] = {
    {"Team Names", 0, false, Team},  {"Engine", 100, false, Engine},
    {"T Q Power", 186, true, TQual}, {"T R Power", 268, true, TRace},
    {"Failure", 350, true, Failure}, {nullptr, 432, false, nullptr},
};

constexpr ViewColumn DriverColumns[] = {
    {"#", 0, false, Car},
    {"Driver Names", 24, false, Driver},
    {"D Q Power", 174, true, DQual},
    {"D R Power", 256, true, DRace},
    {"Range", 338, true, Range},
    {nullptr, 420, false, nullptr},
};

// The table fonts: cell height 16 and an average character width of 6 (captions, bold) or 7
// (body), as the tables were laid out for. The face's own proportions are scaled to fit.
QFont TableFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setPixelSize(16);
    const QFontMetricsF metrics(font);
    const qreal height = metrics.ascent() + metrics.descent();
    const int pixelSize = std::max(8, static_cast<int>(16 * 16 / height));
    font.setPixelSize(pixelSize);
    const qreal average = QFontMetricsF(font).averageCharWidth();
    const int wanted = bold ? 6 : 7;
    if (average > 0)
        font.setStretch(std::clamp(static_cast<int>(100 * wanted / average + 0.5), 50, 150));
    return font;
}

const QFont& HeaderFont() {
    static const QFont font = TableFont(true);
    return font;
}

const QFont& BodyFont() {
    static const QFont font = TableFont(false);
    return font;
}

// A horizontal or vertical line from a to b without its end point, as the tables were drawn.
void LineTo(QPainter& p, QPoint a, QPoint b) {
    const QPoint step((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
    if (step.isNull())
        return;
    p.drawLine(a, b - step);
}

void RaisedCell(QPainter& p, int x0, int y0, int x1, int y1, bool printing) {
    p.setPen(QColor(Black));
    LineTo(p, {x0, y0}, {x1, y0});
    LineTo(p, {x1, y0}, {x1, y1});
    LineTo(p, {x1, y1}, {x0, y1});
    LineTo(p, {x0, y1}, {x0, y0});
    if (x1 - x0 > 2 && y1 - y0 > 2)
        p.fillRect(QRect(QPoint(x0 + 1, y0 + 1), QPoint(x1 - 2, y1 - 2)),
                   QColor(printing ? White : LightGray));
    p.setPen(QColor(DarkGray));
    LineTo(p, {x0 + 1, y1 - 1}, {x1 - 1, y1 - 1});
    LineTo(p, {x1 - 1, y1 - 1}, {x1 - 1, y0 + 1});
    p.setPen(QColor(White));
    LineTo(p, {x0 + 1, y1 - 2}, {x0 + 1, y0 + 1});
    LineTo(p, {x0 + 1, y0 + 1}, {x1 - 1, y0 + 1});
}

// Text whose top-left (or, right-aligned, top-right) corner is at (x, y); never clipped.
void TextAt(QPainter& p, const QFontMetrics& metrics, int x, int y, const QString& text,
            bool alignRight) {
    if (alignRight)
        x -= metrics.horizontalAdvance(text);
    p.drawText(QPoint(x, y + metrics.ascent()), text);
}

void PaintTable(QPainter& p, const QRect& client, const Roster& roster, const ViewTable& table,
                bool printing) {
    const int L = client.left(), T = client.top();
    const int R = client.left() + client.width(), B = client.top() + client.height();
    const int n = table.columnCount;
    auto leftOf = [&](int k) {
        return L + table.columns[k].left;
    };
    auto rightOf = [&](int k) {
        return k + 1 < n ? leftOf(k + 1) : R - 1;
    };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);

    for (int k = 0; k < n; ++k)
        RaisedCell(p, leftOf(k), T, rightOf(k), T + HeaderHeight, printing);
    for (int k = 0; k < n; ++k) {
        const int right = k + 1 < n ? rightOf(k) - 4 : R - 4;
        const QRect box(QPoint(leftOf(k) + 4, T + 3), QPoint(right - 1, T + 20));
        if (box.isValid())
            p.fillRect(box, QColor(Teal));
    }
    p.setFont(HeaderFont());
    p.setPen(QColor(White));
    const QFontMetrics headerMetrics(p.font());
    for (int k = 0; k < n; ++k)
        if (table.columns[k].caption)
            TextAt(p, headerMetrics, leftOf(k) + 5, T + 5,
                   QString::fromLatin1(table.columns[k].caption), false);

    for (int k = 0; k < n; ++k)
        RaisedCell(p, leftOf(k), T + HeaderHeight, rightOf(k), B - 1, printing);

    p.setFont(BodyFont());
    p.setPen(QColor(Black));
    const QFontMetrics bodyMetrics(p.font());
    for (int row = 0; row < table.rows; ++row) {
        const int y = T + TextTop + RowPitch * row;
        for (int k = 0; k < n; ++k) {
            const ViewColumn& column = table.columns[k];
            if (!column.text)
                continue;
            const std::string_view text = column.text(roster, row);
            if (text.empty())
                continue;
            const int x = column.alignRight ? (k + 1 < n ? leftOf(k + 1) : R) - 5 : leftOf(k) + 3;
            TextAt(p, bodyMetrics, x, y, CellToQString(text), column.alignRight);
        }
    }
    p.restore();
}

} // namespace

ViewTable TableOf(View view) {
    switch (view) {
    case View::Teams:
        return {TeamColumns, static_cast<int>(std::size(TeamColumns)), TeamCount};
    case View::Drivers:
        return {DriverColumns, static_cast<int>(std::size(DriverColumns)), DriverCount};
    case View::All:
    default:
        return {AllColumns, static_cast<int>(std::size(AllColumns)), DriverCount};
    }
}

void PaintView(QPainter& painter, const QRect& client, const Roster& roster, View view,
               bool printingNow) {
    PaintTable(painter, client, roster, TableOf(view), printingNow);
}

void PaintViews(QPainter& painter, const QRect& client, const Roster& roster,
                const ViewFlags& views, bool printingNow) {
    if (views.ViewAll)
        PaintView(painter, client, roster, View::All, printingNow);
    if (views.ViewTeams)
        PaintView(painter, client, roster, View::Teams, printingNow);
    if (views.ViewDrivers)
        PaintView(painter, client, roster, View::Drivers, printingNow);
}

} // namespace rk7
