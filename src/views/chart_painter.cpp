#include "views/chart_painter.h"

#include "views/cell_text.h"
#include "views/table_painter.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

namespace rk7 {

namespace {

// The tables' black, dark grey and white, and two greys of the chart's own.
constexpr QRgb Ink = viewcolors::Black;
constexpr QRgb Frame = viewcolors::DarkGray;
constexpr QRgb Panel = viewcolors::White;
constexpr QRgb Grid = 0xffd8d8d8;
constexpr QRgb Band = 0xfff0f0f0; // every other team's drivers
constexpr QRgb NoFill = 0;        // a box that is only an outline
constexpr qreal Gap = 8;          // between panels, and inside a panel's frame

struct ChartFonts {
    QFont body;
    QFont bold;
    QFontMetricsF bodyMetrics;
    QFontMetricsF boldMetrics;
    qreal line;  // a line of body text
    qreal title; // a line of bold text
};

// Fixed pixel sizes: the panels grow with the window, the writing stays readable.
const ChartFonts& Fonts() {
    static const ChartFonts fonts = [] {
        QFont body(QStringLiteral("Arial"));
        body.setStyleHint(QFont::SansSerif);
        body.setPixelSize(12);
        QFont bold = body;
        bold.setWeight(QFont::Bold);
        bold.setPixelSize(13);
        const QFontMetricsF bodyMetrics(body), boldMetrics(bold);
        return ChartFonts{body,
                          bold,
                          bodyMetrics,
                          boldMetrics,
                          std::ceil(bodyMetrics.height()),
                          std::ceil(boldMetrics.height())};
    }();
    return fonts;
}

// A value axis: round steps that cover lo to hi, with room for about `ticks` of them.
struct Scale {
    double lo = 0;
    double hi = 1;
    double step = 1;

    Scale(double least, double most, int ticks) {
        if (most <= least) {
            least -= 1;
            most += 1;
        }
        const double raw = (most - least) / std::max(1, ticks);
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        const double f = raw / magnitude;
        step = std::max(1.0, (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * magnitude);
        lo = std::floor(least / step) * step;
        hi = std::ceil(most / step) * step;
    }
    // Where v falls between a (at lo) and b (at hi).
    qreal At(double v, qreal a, qreal b) const { return a + (b - a) * (v - lo) / (hi - lo); }
    template <typename F>
    void ForEachTick(F&& f) const {
        for (double v = lo; v <= hi + step / 2; v += step)
            f(v);
    }
};

QString Number(double v) {
    return QString::number(static_cast<long>(std::lround(v)));
}

// One row of a bar panel: a team, or a driver under their team.
struct BarRow {
    QString label;
    QString group;   // the team a driver drives for; empty in the team panel
    QString subject; // how a tooltip names the row
    ChartValue qualifying;
    ChartValue race;
    bool qualifyingChanged = false; // in the highlight
    bool raceChanged = false;
};

// The chart as a list of things to draw, in order, and the marks a pointer can rest on. Painting
// and hovering both read it, so a tooltip always belongs to what is under the pointer.
class Scene {
public:
    Scene(const QRectF& client, const ChartData& data, const CellSet* highlight = nullptr)
        : m_highlight(highlight) {
        const QRectF room = client.adjusted(Gap, Gap, -Gap, -Gap);
        if (room.width() < 120 || room.height() < 120) {
            AddText(client, QStringLiteral("Make the window larger to see the chart"),
                    Qt::AlignCenter);
            return;
        }
        // The drivers take a column of their own beside the teams and the position tables, or on
        // an upright page the lower half under them.
        const bool upright = room.height() > room.width();
        const QRectF drivers =
            upright ? QRectF(room.left(), room.top() + std::round(room.height() * 0.45) + Gap,
                             room.width(), room.height() - std::round(room.height() * 0.45) - Gap)
                    : QRectF(room.left() + (room.width() + Gap) / 2, room.top(),
                             (room.width() - Gap) / 2, room.height());
        const QRectF rest =
            upright
                ? QRectF(room.left(), room.top(), room.width(), drivers.top() - Gap - room.top())
                : QRectF(room.left(), room.top(), drivers.width(), room.height());
        const QRectF teams =
            upright
                ? QRectF(rest.left(), rest.top(), (rest.width() - Gap) / 2, rest.height())
                : QRectF(rest.left(), rest.top(), rest.width(), std::round(rest.height() * 0.45));
        const QRectF positions = upright ? QRectF(teams.right() + Gap, rest.top(),
                                                  rest.right() - teams.right() - Gap, rest.height())
                                         : QRectF(rest.left(), teams.bottom() + Gap, rest.width(),
                                                  rest.bottom() - teams.bottom() - Gap);
        TeamPanel(teams, data);
        PositionPanel(positions, data);
        DriverPanel(drivers, data);
    }

    void Paint(QPainter& p) const {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        for (const Item& item : m_items) {
            switch (item.kind) {
            case Item::Box:
                p.setPen(item.outline ? QPen(QColor(item.outline), 0) : QPen(Qt::NoPen));
                p.setBrush(item.color ? QBrush(QColor(item.color)) : QBrush(Qt::NoBrush));
                p.drawRect(item.rect);
                break;
            case Item::Line:
                p.setRenderHint(QPainter::Antialiasing, item.width > 1);
                p.setPen(QPen(QColor(item.color), item.width, Qt::SolidLine, Qt::RoundCap,
                              Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                p.drawPolyline(item.points);
                p.setRenderHint(QPainter::Antialiasing, false);
                break;
            case Item::Text:
                p.setFont(item.bold ? Fonts().bold : Fonts().body);
                p.setPen(QColor(item.color));
                p.drawText(item.rect, item.flags, item.text);
                break;
            }
        }
        p.restore();
    }

    std::vector<ChartMark> TakeMarks() { return std::move(m_marks); }

private:
    struct Item {
        enum Kind { Box, Line, Text } kind;
        QRectF rect;
        QPolygonF points;
        QRgb color = Ink;
        QRgb outline = 0;
        qreal width = 1;
        QString text;
        int flags = 0;
        bool bold = false;
    };

    void AddBox(const QRectF& r, QRgb fill, QRgb outline = 0) {
        m_items.push_back({Item::Box, r, {}, fill, outline, 1, {}, 0, false});
    }
    void AddLine(QPolygonF points, QRgb color, qreal width = 1) {
        m_items.push_back({Item::Line, {}, std::move(points), color, 0, width, {}, 0, false});
    }
    void AddText(const QRectF& r, const QString& text, int flags, QRgb color = Ink,
                 bool bold = false) {
        const QFontMetricsF& metrics = bold ? Fonts().boldMetrics : Fonts().bodyMetrics;
        m_items.push_back({Item::Text,
                           r,
                           {},
                           color,
                           0,
                           1,
                           metrics.elidedText(text, Qt::ElideRight, r.width()),
                           flags,
                           bold});
    }

    static qreal LineHeight() { return Fonts().line; }
    static qreal TitleHeight() { return Fonts().title; }

    // A white panel with its title; returns the room inside for the rest.
    QRectF PanelFrame(const QRectF& frame, const QString& title) {
        AddBox(frame, Panel, Frame);
        const QRectF inner = frame.adjusted(Gap, Gap / 2, -Gap, -Gap);
        AddText(QRectF(inner.left(), inner.top(), inner.width(), TitleHeight()), title,
                Qt::AlignLeft | Qt::AlignVCenter, Ink, true);
        return inner.adjusted(0, TitleHeight() + Gap / 2, 0, 0);
    }

    // Swatches and names, right-aligned on the title line of the panel whose inner room is below.
    void Legend(const QRectF& inner, std::initializer_list<std::pair<QRgb, QString>> entries) {
        const QFontMetricsF& metrics = Fonts().bodyMetrics;
        const qreal y = inner.top() - Gap / 2 - TitleHeight();
        qreal x = inner.right();
        for (auto it = std::rbegin(entries); it != std::rend(entries); ++it) {
            const qreal w = std::ceil(metrics.horizontalAdvance(it->second));
            x -= w;
            AddText(QRectF(x, y, w + 1, TitleHeight()), it->second,
                    Qt::AlignLeft | Qt::AlignVCenter);
            x -= 16;
            AddBox(QRectF(x, y + TitleHeight() / 2 - 5, 11, 10), it->first);
            x -= 12;
        }
    }

    void TeamPanel(const QRectF& frame, const ChartData& data) {
        std::vector<BarRow> rows;
        for (std::size_t t = 0; t < data.teams.size(); ++t) {
            const ChartBar& team = data.teams[t];
            QString name = CellToQString(team.label);
            if (name.isEmpty())
                name = QStringLiteral("Team %1").arg(t + 1);
            rows.push_back({name,
                            {},
                            name,
                            team.qualifying,
                            team.race,
                            Changed(Field::TeamQualPower, int(t)),
                            Changed(Field::TeamRacePower, int(t))});
        }
        BarPanel(frame, QStringLiteral("Team powers"), QStringLiteral("team power"), rows);
    }

    void DriverPanel(const QRectF& frame, const ChartData& data) {
        std::vector<BarRow> rows;
        int number = 0;
        for (std::size_t t = 0; t < data.driverGroups.size(); ++t) {
            const ChartGroup& group = data.driverGroups[t];
            QString team = CellToQString(group.team);
            if (team.isEmpty())
                team = QStringLiteral("Team %1").arg(t + 1);
            for (const ChartBar& driver : group.drivers) {
                QString name = CellToQString(driver.label);
                if (name.isEmpty())
                    name = QStringLiteral("Driver %1").arg(number + 1);
                rows.push_back({name, team, QStringLiteral("%1 (%2)").arg(name, team),
                                driver.qualifying, driver.race,
                                Changed(Field::DriverQualPower, number),
                                Changed(Field::DriverRacePower, number)});
                ++number;
            }
        }
        BarPanel(frame, QStringLiteral("Driver powers"), QStringLiteral("driver power"), rows);
    }

    // Horizontal bar pairs, qualifying above race, on one value axis along the bottom. Rows
    // with a group (the drivers) get the group's name beside them and a band for every other
    // group.
    void BarPanel(const QRectF& frame, const QString& title, const QString& what,
                  const std::vector<BarRow>& rows) {
        const QRectF inner = PanelFrame(frame, title);
        Legend(inner, {{chartcolors::Qualifying, QStringLiteral("Qualifying")},
                       {chartcolors::Race, QStringLiteral("Race")}});
        const QFontMetricsF& metrics = Fonts().bodyMetrics;
        const QFontMetricsF& boldMetrics = Fonts().boldMetrics;
        const bool grouped = !rows.empty() && !rows.front().group.isEmpty();
        qreal groupWidth = 0, labelWidth = 0;
        double least = 0, most = 0;
        bool any = false;
        for (const BarRow& row : rows) {
            if (grouped)
                groupWidth = std::max(groupWidth, boldMetrics.horizontalAdvance(row.group));
            labelWidth = std::max(labelWidth, metrics.horizontalAdvance(row.label));
            for (const ChartValue& v : {row.qualifying, row.race})
                if (v) {
                    least = any ? std::min(least, double(*v)) : double(*v);
                    most = any ? std::max(most, double(*v)) : double(*v);
                    any = true;
                }
        }
        if (grouped)
            groupWidth = std::ceil(std::min(groupWidth, inner.width() * 0.2)) + Gap;
        labelWidth = std::ceil(std::min(labelWidth, inner.width() * 0.22)) + Gap;
        const qreal line = LineHeight();
        // Half a tick label of room on each side, for the numbers at the ends of the axis.
        const QRectF plot(inner.left() + groupWidth + labelWidth + 12, inner.top(),
                          inner.width() - groupWidth - labelWidth - 24,
                          inner.height() - 2 * line - 4);
        if (rows.empty() || plot.width() < 40 || plot.height() < rows.size() * 3)
            return;
        // Powers lie close together far from zero (16200 against 16500): bars from zero would all
        // look alike, so then the axis starts a little below the least of them, and says so.
        const bool fromZero = !(least > 0 && most - least < least);
        const double spread = std::max(1.0, (most - least) / 8);
        const Scale scale(fromZero ? std::min(0.0, least) : least - spread, std::max(0.0, most),
                          std::max(2, int(plot.width() / 90)));
        const double base = fromZero ? 0 : scale.lo;
        const auto x = [&](double v) {
            return scale.At(v, plot.left(), plot.right());
        };
        const qreal pitch = plot.height() / rows.size();
        const qreal barHeight = std::max(1.0, std::floor(pitch * 0.36));
        // The strip of row i that bar k (0 qualifying, 1 race) lies in, across the plot.
        const auto slot = [&](std::size_t i, int k) {
            const qreal top = std::round(plot.top() + i * pitch + (pitch - 2 * barHeight) / 2);
            return QRectF(plot.left(), top + k * barHeight, plot.width(), barHeight);
        };

        // Bands, group names and changed slots first, so the grid and the bars lie over them.
        for (std::size_t i = 0, groupIndex = 0; i < rows.size(); ++groupIndex) {
            std::size_t end = i + 1;
            while (grouped && end < rows.size() && rows[end].group == rows[i].group)
                ++end;
            const QRectF band(inner.left(), plot.top() + i * pitch, inner.width(),
                              (end - i) * pitch);
            if (grouped) {
                if (groupIndex % 2 == 1)
                    AddBox(band, Band);
                AddText(QRectF(band.left(), band.top(), groupWidth - Gap, band.height()),
                        rows[i].group, Qt::AlignLeft | Qt::AlignVCenter, Ink, true);
            }
            i = end;
        }
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (int k : {0, 1})
                if (k == 0 ? rows[i].qualifyingChanged : rows[i].raceChanged)
                    AddBox(slot(i, k), viewcolors::Highlight);
        if (any) {
            scale.ForEachTick([&](double v) {
                const qreal at = x(v);
                AddLine(QPolygonF{QPointF(at, plot.top()), QPointF(at, plot.bottom())},
                        v == base ? Ink : Grid);
                AddText(QRectF(at - 40, plot.bottom() + 2, 80, line), Number(v), Qt::AlignCenter);
            });
            AddText(QRectF(plot.left(), plot.bottom() + 2 + line, plot.width(), line),
                    fromZero ? QStringLiteral("Power")
                             : QStringLiteral("Power, from %1 on").arg(Number(base)),
                    Qt::AlignCenter, Frame);
        } else {
            AddText(plot, QStringLiteral("No powers in the cells"), Qt::AlignCenter, Frame);
        }

        const bool labelsFit = pitch >= line * 0.75;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const BarRow& row = rows[i];
            if (labelsFit)
                AddText(QRectF(inner.left() + groupWidth, plot.top() + i * pitch, labelWidth - Gap,
                               pitch),
                        row.label, Qt::AlignRight | Qt::AlignVCenter);
            int k = 0;
            for (const auto& [value, color, kind] :
                 {std::tuple{row.qualifying, chartcolors::Qualifying, "qualifying"},
                  std::tuple{row.race, chartcolors::Race, "race"}}) {
                const QRectF strip = slot(i, k++);
                if (!value)
                    continue;
                const qreal from = x(base), to = x(double(*value));
                const QRectF bar(QPointF(std::min(from, to), strip.top()),
                                 QPointF(std::max(from, to), strip.bottom()));
                AddBox(bar, color);
                // A zero bar has no width: the pointer still finds it on the zero line.
                m_marks.push_back(
                    {bar.adjusted(-2, 0, 2, 0), QStringLiteral("%1: %2 %3 %4")
                                                    .arg(row.subject, QLatin1String(kind), what)
                                                    .arg(*value)});
            }
        }
    }

    // The four position tables, each in its own plot with its own scale, two by two.
    void PositionPanel(const QRectF& frame, const ChartData& data) {
        const QRectF inner = PanelFrame(frame, QStringLiteral("Position tables"));
        const qreal line = LineHeight();
        AddText(QRectF(inner.left(), inner.bottom() - line, inner.width(), line),
                QStringLiteral("Position"), Qt::AlignCenter, Frame);
        const QRectF area = inner.adjusted(0, 0, 0, -line);
        const qreal w = (area.width() - Gap) / 2, h = (area.height() - Gap) / 2;
        for (std::size_t i = 0; i < data.positions.size(); ++i)
            Series(
                QRectF(area.left() + (i % 2) * (w + Gap), area.top() + (i / 2) * (h + Gap), w, h),
                data.positions[i], chartcolors::Positions[i]);
    }

    void Series(const QRectF& cell, const ChartSeries& series, QRgb color) {
        const QString name = QString::fromLatin1(series.name.data(), qsizetype(series.name.size()));
        const qreal line = LineHeight();
        // The name beside a stroke of the line's colour: the legend of this plot.
        AddLine(QPolygonF{QPointF(cell.left(), cell.top() + line / 2),
                          QPointF(cell.left() + 14, cell.top() + line / 2)},
                color, 2.5);
        AddText(QRectF(cell.left() + 18, cell.top(), cell.width() - 18, line), name,
                Qt::AlignLeft | Qt::AlignVCenter, Ink, true);
        const bool any = std::any_of(series.points.begin(), series.points.end(),
                                     [](const ChartValue& v) { return v.has_value(); });
        const qreal plotTop = cell.top() + line + line / 2 + 2; // room for the top tick's number
        const qreal plotHeight = cell.bottom() - line - 2 - plotTop;
        if (plotHeight < 20)
            return;
        if (!any) {
            AddText(QRectF(cell.left(), plotTop, cell.width(), plotHeight),
                    QStringLiteral("No entries"), Qt::AlignCenter, Frame);
            return;
        }
        const Scale scale(series.min, series.max, std::max(2, int(plotHeight / 32)));
        const QFontMetricsF& metrics = Fonts().bodyMetrics;
        qreal labelWidth = 0;
        scale.ForEachTick([&](double v) {
            labelWidth = std::max(labelWidth, metrics.horizontalAdvance(Number(v)));
        });
        const QRectF plot(cell.left() + std::ceil(labelWidth) + 6, plotTop,
                          cell.width() - std::ceil(labelWidth) - 12, plotHeight);
        if (plot.width() < 40)
            return;
        const auto y = [&](double v) {
            return scale.At(v, plot.bottom(), plot.top());
        };
        const auto x = [&](int position) {
            return plot.left() + plot.width() * (position - 1) / (PositionCount - 1);
        };
        scale.ForEachTick([&](double v) {
            AddLine(QPolygonF{QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v))}, Grid);
            AddText(QRectF(cell.left(), y(v) - line / 2, plot.left() - cell.left() - 4, line),
                    Number(v), Qt::AlignRight | Qt::AlignVCenter);
        });
        for (int position : {1, 7, 14, 21, 28}) {
            AddLine(
                QPolygonF{QPointF(x(position), plot.top()), QPointF(x(position), plot.bottom())},
                Grid);
            AddText(QRectF(x(position) - 20, plot.bottom() + 2, 40, line),
                    QString::number(position), Qt::AlignCenter);
        }
        AddBox(plot, NoFill, Frame);
        // The line breaks where an entry is empty, so a missing entry shows as a gap.
        QPolygonF run;
        const auto flush = [&] {
            if (run.size() > 1)
                AddLine(run, color, 2);
            run.clear();
        };
        for (int p = 1; p <= PositionCount; ++p) {
            const ChartValue& value = series.points[p - 1];
            if (!value) {
                flush();
                continue;
            }
            const QPointF point(x(p), y(double(*value)));
            run << point;
            if (Changed(series.field, p - 1))
                AddBox(QRectF(point.x() - 6, point.y() - 6, 12, 12), viewcolors::Highlight);
            AddBox(QRectF(point.x() - 2, point.y() - 2, 4, 4), color);
            m_marks.push_back(
                {QRectF(point.x() - 4, point.y() - 4, 8, 8),
                 QStringLiteral("%1 at position %2: %3").arg(name).arg(p).arg(*value)});
        }
        flush();
    }

    bool Changed(Field field, int row) const {
        return m_highlight && m_highlight->contains(field, row);
    }

    const CellSet* m_highlight;
    std::vector<Item> m_items;
    std::vector<ChartMark> m_marks;
};

} // namespace

void PaintChart(QPainter& painter, const QRect& client, const ChartData& data,
                const CellSet* highlight) {
    Scene(client, data, highlight).Paint(painter);
}

std::vector<ChartMark> ChartMarks(const QRect& client, const ChartData& data) {
    return Scene(client, data).TakeMarks();
}

} // namespace rk7
