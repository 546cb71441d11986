#include "painter/chart_painter.h"

#include "painter/cell_text.h"
#include "painter/table_painter.h"
#include "painter/view_texts.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include <QCoreApplication>
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

// A value axis in round steps (1, 2 or 5 times a power of ten), about four of them from the least
// value to the greatest. It follows from the values alone, never from the room it is drawn in, so
// the bars keep their lengths against each other and the axis its numbers at any window size.
class Scale {
public:
    Scale(double least, double most) {
        if (most <= least) {
            least -= 1;
            most += 1;
        }
        const double raw = (most - least) / 4;
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        const double f = raw / magnitude;
        m_step = std::max(1.0, (f < 1.5 ? 1 : f < 3 ? 2 : f < 7 ? 5 : 10) * magnitude);
        m_lo = std::floor(least / m_step) * m_step;
        m_intervals = std::max(1, int(std::ceil((most - m_lo) / m_step - 1e-9)));
    }
    double Lo() const { return m_lo; }
    int Intervals() const { return m_intervals; }
    double Tick(int i) const { return m_lo + i * m_step; }
    // Where v falls between a (at the first tick) and b (at the last).
    qreal At(double v, qreal a, qreal b) const {
        return a + (b - a) * (v - m_lo) / (m_intervals * m_step);
    }
    // Every how many ticks a number is written when each needs `need` along an axis of `length`:
    // 1, 2, 5, 10, 20... ticks, so that the numbers written stay round ones. Counted from the first
    // tick, which always has its number.
    int NumberEvery(qreal length, qreal need) const {
        const qreal pitch = length / m_intervals;
        for (int k = 1;; k *= 10)
            for (int f : {1, 2, 5})
                if (f * k * pitch >= need || f * k > m_intervals)
                    return f * k;
    }

private:
    double m_lo = 0;
    double m_step = 1;
    int m_intervals = 1;
};

QString Number(double v) {
    return QString::number(static_cast<long>(std::lround(v)));
}

// A swatch and its name, on a panel's title line.
struct LegendEntry {
    QRgb color;
    const char* name;
};
using Legend = std::span<const LegendEntry>;
constexpr LegendEntry PowerLegend[] = {
    {chartcolors::Qualifying, QT_TRANSLATE_NOOP("rk7::ChartPainter", "Qualifying")},
    {chartcolors::Race, QT_TRANSLATE_NOOP("rk7::ChartPainter", "Race")}};

// A text of the chart in the user's language, when the program installed a translation.
QString Translated(const char* english) {
    return QCoreApplication::translate("rk7::ChartPainter", english);
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
    Scene(const QRect& client, const ChartData& data, const CellSet* highlight = nullptr)
        : m_highlight(highlight) {
        const QRectF room = QRectF(client).adjusted(Gap, Gap, -Gap, -Gap);
        if (room.width() < 120 || room.height() < 120) {
            AddText(client,
                    QCoreApplication::translate("rk7::ChartPainter",
                                                "Make the window larger to see the chart"),
                    Qt::AlignCenter);
            return;
        }
        // The drivers take a column of their own beside the teams and the position tables, or on
        // an upright page the lower part under them. The teams get the height their names need
        // when their usual share is less (a small window): the position tables beside them then
        // keep at least a line to say that they need more room, the drivers under them a third.
        const bool upright = room.height() > room.width();
        const qreal width = std::round((room.width() - Gap) / 2);
        const qreal need = BarPanelHeight(
            width, int(data.teams.size()),
            QCoreApplication::translate("rk7::ChartPainter", "Team powers"), PowerLegend);
        const qreal total = room.height();
        const qreal top = std::round(std::max(
            total * 0.45, std::min(need, total - Gap - (upright ? total / 3 : NotePanelHeight()))));
        const QRectF teams(room.left(), room.top(), width, top);
        const QRectF positions = upright ? QRectF(teams.right() + Gap, room.top(),
                                                  room.right() - teams.right() - Gap, top)
                                         : QRectF(room.left(), teams.bottom() + Gap, width,
                                                  room.bottom() - teams.bottom() - Gap);
        const QRectF drivers = upright ? QRectF(room.left(), teams.bottom() + Gap, room.width(),
                                                room.bottom() - teams.bottom() - Gap)
                                       : QRectF(teams.right() + Gap, room.top(),
                                                room.right() - teams.right() - Gap, room.height());
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
                p.setPen(item.outline ? QPen(QColor(item.outline), item.width > 1 ? item.width : 0,
                                             Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
                                      : QPen(Qt::NoPen));
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
            case Item::Shape:
                p.setRenderHint(QPainter::Antialiasing, true);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(item.color));
                p.drawPolygon(item.points);
                p.setRenderHint(QPainter::Antialiasing, false);
                break;
            case Item::Text:
                p.setFont(item.bold ? Fonts().bold : Fonts().body);
                p.setPen(QColor(item.color));
                // The box is the text's own width: a device that sets it a hair wider (another
                // pixel ratio) must not clip it.
                p.drawText(item.rect, item.flags | Qt::TextDontClip, m_texts[item.text].text);
                break;
            }
        }
        p.restore();
    }

    std::vector<ChartMark> TakeMarks() { return std::move(m_marks); }
    std::vector<ChartText> TakeTexts() { return std::move(m_texts); }

private:
    struct Item {
        enum Kind { Box, Line, Shape, Text } kind;
        QRectF rect;
        QPolygonF points;
        QRgb color = Ink;
        QRgb outline = 0;
        qreal width = 1;
        std::size_t text = 0; // of m_texts
        int flags = 0;
        bool bold = false;
    };

    void AddBox(const QRectF& r, QRgb fill, QRgb outline = 0, qreal width = 1) {
        m_items.push_back({Item::Box, r, {}, fill, outline, width, 0, 0, false});
    }
    void AddLine(QPolygonF points, QRgb color, qreal width = 1) {
        m_items.push_back({Item::Line, {}, std::move(points), color, 0, width, 0, 0, false});
    }
    void AddShape(QPolygonF points, QRgb color) {
        m_items.push_back({Item::Shape, {}, std::move(points), color, 0, 1, 0, 0, false});
    }
    // The text shortened to the width of r and placed in it by flags; its box is its own width
    // and a line high, on whole pixels, so that texts laid out side by side or row by row never
    // share one.
    void AddText(const QRectF& r, const QString& text, int flags, QRgb color = Ink,
                 bool bold = false) {
        const QFontMetricsF& metrics = bold ? Fonts().boldMetrics : Fonts().bodyMetrics;
        // Most texts fit: measured once, they need no eliding, which lays them out again.
        qreal advance = metrics.horizontalAdvance(text);
        QString shown = text;
        if (advance > r.width()) {
            shown = metrics.elidedText(text, Qt::ElideRight, r.width());
            advance = metrics.horizontalAdvance(shown);
        }
        if (shown.isEmpty())
            return;
        const qreal w = std::ceil(advance);
        const qreal h = bold ? TitleHeight() : LineHeight();
        const qreal x = flags & Qt::AlignRight     ? std::round(r.right()) - w
                        : flags & Qt::AlignHCenter ? std::round(r.center().x() - w / 2)
                                                   : std::round(r.left());
        const qreal y = flags & Qt::AlignBottom    ? std::round(r.bottom()) - h
                        : flags & Qt::AlignVCenter ? std::round(r.center().y() - h / 2)
                                                   : std::round(r.top());
        const QRectF box(x, y, w, h);
        m_items.push_back({Item::Text, box, {}, color, 0, 1, m_texts.size(), flags, bold});
        m_texts.push_back({box, std::move(shown)});
    }

    static qreal LineHeight() { return Fonts().line; }
    static qreal TitleHeight() { return Fonts().title; }

    // A panel with its title and one line of text.
    static qreal NotePanelHeight() {
        return Gap / 2 + TitleHeight() + Gap / 2 + LineHeight() + Gap;
    }

    static qreal LegendWidth(Legend legend) {
        qreal width = -12;
        for (const LegendEntry& entry : legend)
            width +=
                std::ceil(Fonts().bodyMetrics.horizontalAdvance(Translated(entry.name))) + 16 + 12;
        return std::max(0.0, width);
    }
    // The legend shares the title's line when both fit on it, else it takes a line of its own.
    static bool LegendBesideTitle(qreal innerWidth, const QString& title, Legend legend) {
        return Fonts().boldMetrics.horizontalAdvance(title) + 2 * Gap + LegendWidth(legend) <=
               innerWidth;
    }
    static qreal HeaderHeight(qreal innerWidth, const QString& title, Legend legend) {
        const bool own = !legend.empty() && !LegendBesideTitle(innerWidth, title, legend);
        return (own ? 2 : 1) * TitleHeight();
    }
    // The height a bar panel of that width needs to give each row a line for its name.
    static qreal BarPanelHeight(qreal width, int rows, const QString& title, Legend legend) {
        return Gap / 2 + HeaderHeight(width - 2 * Gap, title, legend) + Gap / 2 +
               rows * LineHeight() + AxisHeight() + Gap;
    }
    // Under a bar panel's plot: the numbers and the caption of its axis.
    static qreal AxisHeight() { return 2 * LineHeight() + 4; }

    // A white panel with its title and legend; returns the room inside for the rest.
    QRectF PanelFrame(const QRectF& frame, const QString& title, Legend legend = {}) {
        AddBox(frame, Panel, Frame);
        const QRectF inner = frame.adjusted(Gap, Gap / 2, -Gap, -Gap);
        AddText(QRectF(inner.left(), inner.top(), inner.width(), TitleHeight()), title,
                Qt::AlignLeft | Qt::AlignVCenter, Ink, true);
        if (!legend.empty()) {
            const qreal y = LegendBesideTitle(inner.width(), title, legend)
                                ? inner.top()
                                : inner.top() + TitleHeight();
            LegendAt(inner.right(), y, legend);
        }
        return inner.adjusted(0, HeaderHeight(inner.width(), title, legend) + Gap / 2, 0, 0);
    }

    // Swatches and names, right-aligned to `right` on the line from y.
    void LegendAt(qreal right, qreal y, Legend entries) {
        const QFontMetricsF& metrics = Fonts().bodyMetrics;
        qreal x = right;
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            const QString name = Translated(it->name);
            const qreal w = std::ceil(metrics.horizontalAdvance(name));
            x -= w;
            AddText(QRectF(x, y, w + 1, TitleHeight()), name, Qt::AlignLeft | Qt::AlignVCenter);
            x -= 16;
            AddBox(QRectF(x, y + TitleHeight() / 2 - 5, 11, 10), it->color);
            x -= 12;
        }
    }

    void TeamPanel(const QRectF& frame, const ChartData& data) {
        std::vector<BarRow> rows;
        for (std::size_t t = 0; t < data.teams.size(); ++t) {
            const ChartBar& team = data.teams[t];
            QString name = CellToQString(team.label);
            if (name.isEmpty())
                name = QCoreApplication::translate("rk7::ChartPainter", "Team %1").arg(t + 1);
            rows.push_back({name,
                            {},
                            name,
                            team.qualifying,
                            team.race,
                            Changed(Field::TeamQualPower, int(t)),
                            Changed(Field::TeamRacePower, int(t))});
        }
        BarPanel(frame, QCoreApplication::translate("rk7::ChartPainter", "Team powers"),
                 QCoreApplication::translate("rk7::ChartPainter", "team power"), rows);
    }

    void DriverPanel(const QRectF& frame, const ChartData& data) {
        std::vector<BarRow> rows;
        int number = 0;
        for (std::size_t t = 0; t < data.driverGroups.size(); ++t) {
            const ChartGroup& group = data.driverGroups[t];
            QString team = CellToQString(group.team);
            if (team.isEmpty())
                team = QCoreApplication::translate("rk7::ChartPainter", "Team %1").arg(t + 1);
            for (const ChartBar& driver : group.drivers) {
                QString name = CellToQString(driver.label);
                if (name.isEmpty())
                    name = QCoreApplication::translate("rk7::ChartPainter", "Driver %1")
                               .arg(number + 1);
                rows.push_back({name, team, QStringLiteral("%1 (%2)").arg(name, team),
                                driver.qualifying, driver.race,
                                Changed(Field::DriverQualPower, number),
                                Changed(Field::DriverRacePower, number)});
                ++number;
            }
        }
        BarPanel(frame, QCoreApplication::translate("rk7::ChartPainter", "Driver powers"),
                 QCoreApplication::translate("rk7::ChartPainter", "driver power"), rows);
    }

    // Where a bar panel's parts go: the columns of group and row names, the value axis, and the
    // plot the bars lie in.
    struct BarLayout {
        QRectF inner;      // inside the panel's frame
        QRectF plot;       // the bars' area, the axis under it
        qreal groupWidth;  // the column of group names, 0 without groups
        qreal labelWidth;  // the column of row names
        qreal numberWidth; // the widest number on the axis
        qreal pitch;       // from one row to the next
        qreal barHeight;   // of each of a row's two bars
        Scale scale;
        double base; // where the bars start: 0, or a little below the least value
        bool fromZero;
        bool grouped;
        bool any; // any value at all

        qreal X(double v) const { return scale.At(v, plot.left(), plot.right()); }
        // The strip of row i that bar k (0 qualifying, 1 race) lies in, across the plot.
        QRectF Slot(std::size_t i, int k) const {
            const qreal top = std::round(plot.top() + i * pitch + (pitch - 2 * barHeight) / 2);
            return QRectF(plot.left(), top + k * barHeight, plot.width(), barHeight);
        }
    };

    // The layout of the rows' bars in inner; nullopt when they do not fit.
    static std::optional<BarLayout> LayOutBars(const QRectF& inner,
                                               const std::vector<BarRow>& rows) {
        const QFontMetricsF& metrics = Fonts().bodyMetrics;
        const bool grouped = !rows.empty() && !rows.front().group.isEmpty();
        qreal groupWidth = 0, labelWidth = 0;
        double least = 0, most = 0;
        bool any = false;
        for (const BarRow& row : rows) {
            if (grouped)
                groupWidth = std::max(groupWidth, Fonts().boldMetrics.horizontalAdvance(row.group));
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
        labelWidth = std::ceil(std::min(labelWidth, inner.width() * 0.3)) + Gap;
        // Powers lie close together far from zero (16200 against 16500): bars from zero would all
        // look alike, so then the axis starts a little below the least of them, and says so.
        const bool fromZero = !(least > 0 && most - least < least);
        const double spread = std::max(1.0, (most - least) / 8);
        const Scale scale(fromZero ? std::min(0.0, least) : least - spread, std::max(0.0, most));
        qreal numberWidth = 0;
        for (int i = 0; i <= scale.Intervals(); ++i)
            numberWidth = std::max(numberWidth, metrics.horizontalAdvance(Number(scale.Tick(i))));
        numberWidth = std::ceil(numberWidth);
        // Room on the right for half the last number, which is centred on the end of the axis.
        const qreal left = inner.left() + groupWidth + labelWidth + 12;
        const qreal right = inner.right() - std::max(12.0, std::ceil(numberWidth / 2));
        const QRectF plot(left, inner.top(), right - left, inner.height() - AxisHeight());
        if (rows.empty() || plot.width() < 40 || plot.height() < rows.size() * 3)
            return std::nullopt;
        const qreal pitch = plot.height() / rows.size();
        return BarLayout{inner,
                         plot,
                         groupWidth,
                         labelWidth,
                         numberWidth,
                         pitch,
                         std::max(1.0, std::floor(pitch * 0.36)),
                         scale,
                         fromZero ? 0 : scale.Lo(),
                         fromZero,
                         grouped,
                         any};
    }

    // Horizontal bar pairs, qualifying above race, on one value axis along the bottom. Rows
    // with a group (the drivers) get the group's name beside them and a band for every other
    // group. Names get a line each or are left out, and are shortened to their column, so that
    // none runs into another.
    void BarPanel(const QRectF& frame, const QString& title, const QString& what,
                  const std::vector<BarRow>& rows) {
        const std::optional<BarLayout> layout =
            LayOutBars(PanelFrame(frame, title, PowerLegend), rows);
        if (!layout)
            return;
        // Bands, group names and changed slots first, so the grid and the bars lie over them.
        BarBands(*layout, rows);
        BarAxis(*layout);
        for (std::size_t i = 0; i < rows.size(); ++i)
            BarPair(*layout, i, rows[i], what);
    }

    void BarBands(const BarLayout& layout, const std::vector<BarRow>& rows) {
        for (std::size_t i = 0, groupIndex = 0; i < rows.size(); ++groupIndex) {
            std::size_t end = i + 1;
            while (layout.grouped && end < rows.size() && rows[end].group == rows[i].group)
                ++end;
            const QRectF band(layout.inner.left(), layout.plot.top() + i * layout.pitch,
                              layout.inner.width(), (end - i) * layout.pitch);
            if (layout.grouped) {
                if (groupIndex % 2 == 1)
                    AddBox(band, Band);
                if (band.height() >= TitleHeight())
                    AddText(QRectF(band.left(), band.top(), layout.groupWidth - Gap, band.height()),
                            rows[i].group, Qt::AlignLeft | Qt::AlignVCenter, Ink, true);
            }
            i = end;
        }
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (int k : {0, 1})
                if (k == 0 ? rows[i].qualifyingChanged : rows[i].raceChanged)
                    AddBox(layout.Slot(i, k), viewcolors::Highlight);
    }

    // The grid, the numbers under it and the axis caption; or, with no value, why there are no
    // bars.
    void BarAxis(const BarLayout& layout) {
        const QRectF& plot = layout.plot;
        if (!layout.any) {
            AddText(plot,
                    QCoreApplication::translate("rk7::ChartPainter", "No powers in the cells"),
                    Qt::AlignCenter, Frame);
            return;
        }
        const qreal line = LineHeight();
        const Scale& scale = layout.scale;
        const int every = scale.NumberEvery(plot.width(), layout.numberWidth + 8);
        for (int i = 0; i <= scale.Intervals(); ++i) {
            const double v = scale.Tick(i);
            const qreal at = layout.X(v);
            AddLine(QPolygonF{QPointF(at, plot.top()), QPointF(at, plot.bottom())},
                    v == layout.base ? Ink : Grid);
            if (i % every == 0)
                AddText(QRectF(at - layout.numberWidth / 2 - 1, plot.bottom() + 2,
                               layout.numberWidth + 2, line),
                        Number(v), Qt::AlignCenter);
        }
        // The caption is centred under the plot, but may reach beyond its ends.
        const QRectF& inner = layout.inner;
        const qreal half =
            std::min(plot.center().x() - inner.left(), inner.right() - plot.center().x());
        AddText(QRectF(plot.center().x() - half, plot.bottom() + 2 + line, 2 * half, line),
                layout.fromZero
                    ? QCoreApplication::translate("rk7::ChartPainter", "Power")
                    : QCoreApplication::translate("rk7::ChartPainter", "Power, from %1 on")
                          .arg(Number(layout.base)),
                Qt::AlignCenter, Frame);
    }

    // Row i's name and its two bars, each with its tooltip mark.
    void BarPair(const BarLayout& layout, std::size_t i, const BarRow& row, const QString& what) {
        const QRectF& plot = layout.plot;
        if (layout.pitch >= LineHeight())
            AddText(QRectF(layout.inner.left() + layout.groupWidth, plot.top() + i * layout.pitch,
                           layout.labelWidth - Gap, layout.pitch),
                    row.label, Qt::AlignRight | Qt::AlignVCenter);
        int k = 0;
        for (const auto& [value, color, kind, changed] :
             {std::tuple{row.qualifying, chartcolors::Qualifying,
                         QT_TRANSLATE_NOOP("rk7::ChartPainter", "qualifying"),
                         row.qualifyingChanged},
              std::tuple{row.race, chartcolors::Race,
                         QT_TRANSLATE_NOOP("rk7::ChartPainter", "race"), row.raceChanged}}) {
            const QRectF strip = layout.Slot(i, k++);
            if (changed) {
                // A dark arrow in the margin points at the changed bar's strip.
                const qreal mid = strip.center().y();
                AddShape(QPolygonF{QPointF(plot.left() - 11, mid - 4),
                                   QPointF(plot.left() - 3, mid),
                                   QPointF(plot.left() - 11, mid + 4)},
                         Ink);
            }
            if (!value)
                continue;
            const qreal from = layout.X(layout.base), to = layout.X(double(*value));
            const QRectF bar(QPointF(std::min(from, to), strip.top()),
                             QPointF(std::max(from, to), strip.bottom()));
            AddBox(bar, color);
            // A dark frame just outside the bar: the pale slot alone is lost beside it.
            if (changed)
                AddBox(bar.adjusted(-1, -1, 1, 1), NoFill, Ink, 2);
            // A zero bar has no width: the pointer still finds it on the zero line.
            m_marks.push_back({bar.adjusted(-2, 0, 2, 0),
                               QCoreApplication::translate("rk7::ChartPainter", "%1: %2 %3 %4")
                                   .arg(row.subject, Translated(kind), what)
                                   .arg(*value)});
        }
    }

    // The four position tables, each in its own plot with its own scale, two by two. Their
    // titles are bold where all of them fit so, else all plain, which a small window still has
    // room for.
    void PositionPanel(const QRectF& frame, const ChartData& data) {
        const QRectF area =
            PanelFrame(frame, QCoreApplication::translate("rk7::ChartPainter", "Position tables"));
        const qreal w = std::round((area.width() - Gap) / 2);
        const qreal h = std::round((area.height() - Gap) / 2);
        if (h < SeriesHeight(MinPlotHeight)) {
            if (area.height() >= LineHeight())
                AddText(area,
                        QCoreApplication::translate("rk7::ChartPainter",
                                                    "Make the window larger to see the plots"),
                        Qt::AlignCenter, Frame);
            return;
        }
        const bool bold = std::all_of(
            data.positions.begin(), data.positions.end(), [&](const ChartSeries& series) {
                return Fonts().boldMetrics.horizontalAdvance(TitleOf(series)) <= TitleRoom(w);
            });
        for (std::size_t i = 0; i < data.positions.size(); ++i)
            Series(
                QRectF(area.left() + (i % 2) * (w + Gap), area.top() + (i / 2) * (h + Gap), w, h),
                data.positions[i], chartcolors::Positions[i], bold);
    }

    // A position plot's cell around a plot of that height: its title, half the top tick's number
    // above the plot and the positions below it.
    static constexpr qreal MinPlotHeight = 20;
    static qreal SeriesHeight(qreal plot) {
        return TitleHeight() + LineHeight() / 2 + 2 + plot + LineHeight() + 2;
    }

    static QString TitleOf(const ChartSeries& series) { return ViewText(series.title); }
    // A plot's title follows a stroke of the line's colour and may reach into the gap beside the
    // plot's cell, where nothing else is on its line.
    static qreal TitleRoom(qreal cellWidth) { return cellWidth - 16 + Gap / 2; }

    void Series(const QRectF& cell, const ChartSeries& series, QRgb color, bool boldTitle) {
        const QString name = QString::fromLatin1(series.name.data(), qsizetype(series.name.size()));
        const qreal line = LineHeight();
        // The stroke beside the title is the legend of this plot.
        AddLine(QPolygonF{QPointF(cell.left(), cell.top() + TitleHeight() / 2),
                          QPointF(cell.left() + 12, cell.top() + TitleHeight() / 2)},
                color, 2.5);
        AddText(QRectF(cell.left() + 16, cell.top(), TitleRoom(cell.width()), TitleHeight()),
                TitleOf(series), Qt::AlignLeft | Qt::AlignVCenter, Ink, boldTitle);
        const bool any = std::any_of(series.points.begin(), series.points.end(),
                                     [](const ChartValue& v) { return v.has_value(); });
        const qreal plotTop = cell.top() + TitleHeight() + line / 2 + 2;
        const qreal plotHeight = cell.height() - SeriesHeight(0);
        if (!any) {
            AddText(QRectF(cell.left(), plotTop, cell.width(), plotHeight),
                    QCoreApplication::translate("rk7::ChartPainter", "No entries"), Qt::AlignCenter,
                    Frame);
            return;
        }
        const Scale scale(series.min, series.max);
        const int every = scale.NumberEvery(plotHeight, line + 2);
        const QFontMetricsF& metrics = Fonts().bodyMetrics;
        qreal labelWidth = 0;
        for (int i = 0; i <= scale.Intervals(); i += every)
            labelWidth = std::max(labelWidth, metrics.horizontalAdvance(Number(scale.Tick(i))));
        const qreal numberRoom = std::ceil(labelWidth) + 1;
        const QRectF plot(cell.left() + numberRoom + 6, plotTop, cell.width() - numberRoom - 14,
                          plotHeight);
        if (plot.width() < 40)
            return;
        const auto y = [&](double v) {
            return scale.At(v, plot.bottom(), plot.top());
        };
        const auto x = [&](int position) {
            return plot.left() + plot.width() * (position - 1) / (PositionCount - 1);
        };
        for (int i = 0; i <= scale.Intervals(); ++i) {
            const double v = scale.Tick(i);
            AddLine(QPolygonF{QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v))}, Grid);
            if (i % every == 0)
                AddText(QRectF(cell.left(), y(v) - line / 2, numberRoom, line), Number(v),
                        Qt::AlignRight | Qt::AlignVCenter);
        }
        // Positions numbered as often as their numbers fit side by side.
        const qreal need = metrics.horizontalAdvance(QStringLiteral("28")) + 6;
        const qreal unit = plot.width() / (PositionCount - 1);
        static constexpr int Every7[] = {1, 7, 14, 21, 28}, Every14[] = {1, 14, 28},
                             Ends[] = {1, 28};
        const std::span<const int> numbered = unit * 6 >= need    ? std::span<const int>(Every7)
                                              : unit * 13 >= need ? std::span<const int>(Every14)
                                                                  : std::span<const int>(Ends);
        for (int position : numbered) {
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
            if (Changed(series.field, p - 1)) {
                const QRectF halo(point.x() - 6, point.y() - 6, 12, 12);
                AddBox(halo, viewcolors::Highlight);
                AddBox(halo, NoFill, Ink, 2);
            }
            AddBox(QRectF(point.x() - 2, point.y() - 2, 4, 4), color);
            m_marks.push_back(
                {QRectF(point.x() - 4, point.y() - 4, 8, 8),
                 QCoreApplication::translate("rk7::ChartPainter", "%1 at position %2: %3")
                     .arg(name)
                     .arg(p)
                     .arg(*value)});
        }
        flush();
    }

    bool Changed(Field field, int row) const {
        return m_highlight && m_highlight->Contains(field, row);
    }

    const CellSet* m_highlight;
    std::vector<Item> m_items;
    std::vector<ChartMark> m_marks;
    std::vector<ChartText> m_texts;
};

} // namespace

void PaintChart(QPainter& painter, const QRect& client, const ChartData& data,
                const CellSet* highlight) {
    Scene(client, data, highlight).Paint(painter);
}

std::vector<ChartMark> ChartMarks(const QRect& client, const ChartData& data) {
    return Scene(client, data).TakeMarks();
}

std::vector<ChartText> ChartTexts(const QRect& client, const ChartData& data) {
    return Scene(client, data).TakeTexts();
}

} // namespace rk7
