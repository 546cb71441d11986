#include "painter/cell_text.h"
#include "painter/chart_painter.h"
#include "painter/table_painter.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QImage>
#include <QPainter>
#include <QTest>

namespace rk7 {

class ChartPainterTest : public QObject {
    Q_OBJECT

    static QImage Paint(const ChartData& data, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(1, 2, 3));
        QPainter painter(&image);
        PaintChart(painter, image.rect(), data);
        return image;
    }
    // The chart as the window paints it, onto a device of that pixel ratio: size is the client,
    // in logical units.
    static QImage PaintOnScreen(const Roster& roster, QSize size, qreal ratio,
                                const CellSet* changed = nullptr, bool printing = false) {
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(viewcolors::LightGray));
        QPainter painter(&image);
        PaintViews(painter, QRect(QPoint(), size), roster, ViewFlags{false, false, false, true},
                   printing, changed);
        return image;
    }
    // Pixels of area (logical units) nearly black: text, or the chart's dark marks.
    static int DarkPixels(const QImage& image, const QRectF& area) {
        const qreal ratio = image.devicePixelRatio();
        const QRect device = QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect();
        int dark = 0;
        for (int y = device.top(); y <= device.bottom(); ++y)
            for (int x = device.left(); x <= device.right(); ++x)
                dark += image.valid(x, y) && qGray(image.pixel(x, y)) < 64;
        return dark;
    }
    // The team panel's room: left of the driver panel's title and above the position tables'.
    static QRectF TeamPanelOf(const std::vector<ChartText>& texts) {
        QPointF end;
        for (const ChartText& t : texts) {
            if (t.text == QLatin1String("Driver powers"))
                end.setX(t.box.left());
            if (t.text == QLatin1String("Position tables"))
                end.setY(t.box.top());
        }
        return QRectF(QPointF(), end);
    }
    static const ChartMark* Find(const std::vector<ChartMark>& marks, const QString& words) {
        for (const ChartMark& mark : marks)
            if (mark.tip.contains(words))
                return &mark;
        return nullptr;
    }
    // A season of sorts: powers close together far from zero, as the game has them; or all of
    // them below zero, as a mistyped file may have them.
    static Roster Season(int sign = 1) {
        Roster r;
        for (int t = 0; t < TeamCount; ++t) {
            r.TeamQualPower[t].SetText(std::to_string(sign * (850 - 3 * t)));
            r.TeamRacePower[t].SetText(std::to_string(sign * (820 - 2 * t)));
        }
        for (int d = 0; d < DriverCount; ++d) {
            r.DriverQualPower[d].SetText(std::to_string(sign * (16200 + 10 * d)));
            r.DriverRacePower[d].SetText(std::to_string(sign * (15800 + 10 * d)));
        }
        return r;
    }

private slots:
    // What a tooltip names is what is painted there: the middle of every bar and point has the
    // colour of its kind, at the sizes people use and on a small window, and every bar lies on
    // the client, whichever side of zero the powers are.
    void marksLieOnWhatIsPainted() {
        for (const int sign : {1, -1})
            for (const QSize size : {QSize(1024, 768), QSize(1920, 1080), QSize(640, 480)}) {
                const ChartData data = MakeChartData(Season(sign));
                const QImage image = Paint(data, size);
                const std::vector<ChartMark> marks = ChartMarks(image.rect(), data);
                // Two bars for each team and driver, a point for each position entry.
                QCOMPARE(marks.size(),
                         std::size_t(2 * TeamCount + 2 * DriverCount + 4 * PositionCount));
                for (const ChartMark& mark : marks) {
                    const QString where =
                        QStringLiteral("%1 at %2").arg(mark.tip).arg(size.width());
                    QVERIFY2(QRectF(image.rect()).contains(mark.area), qPrintable(where));
                    const QPoint middle = mark.area.center().toPoint();
                    const QRgb pixel = image.pixel(middle) | 0xff000000;
                    const bool race = mark.tip.contains(QLatin1String(": race "));
                    const bool qualifying = mark.tip.contains(QLatin1String(": qualifying "));
                    if (race || qualifying)
                        QVERIFY2(pixel == (race ? chartcolors::Race : chartcolors::Qualifying),
                                 qPrintable(where));
                    else
                        QVERIFY2(std::find(std::begin(chartcolors::Positions),
                                           std::end(chartcolors::Positions),
                                           pixel) != std::end(chartcolors::Positions),
                                 qPrintable(where));
                }
            }
    }

    // Powers of 16200 and 16470 must not look alike (from zero they would differ by 2%): the
    // axis starts near the least of them.
    // Where values reach below zero the bars grow from zero, left for the negative ones.
    void barsShowTheDifferences() {
        const QRect client(0, 0, 1024, 768);
        std::vector<ChartMark> marks = ChartMarks(client, MakeChartData(Season()));
        const ChartMark* least = Find(marks, QStringLiteral("Marco Venturi (Ferrari): qualifying"));
        const ChartMark* most = Find(marks, QStringLiteral("Patrick Delaney (Lotus): qualifying"));
        QVERIFY(least && most);
        QVERIFY(least->tip.endsWith(QLatin1String(" 16200")));
        QVERIFY2(
            most->area.width() > 1.3 * least->area.width(),
            qPrintable(
                QStringLiteral("%1 against %2").arg(most->area.width()).arg(least->area.width())));

        Roster r = Season();
        r.TeamQualPower[0].SetText("-40");
        r.TeamRacePower[0].SetText("");    // empty: no bar
        r.TeamRacePower[1].SetText("abc"); // not a number: read as 0
        marks = ChartMarks(client, MakeChartData(r));
        const ChartMark* negative =
            Find(marks, QStringLiteral("Ferrari: qualifying team power -40"));
        const ChartMark* positive = Find(marks, QStringLiteral("Mclaren: qualifying team power"));
        QVERIFY(negative && positive);
        QVERIFY(negative->area.right() <= positive->area.left() + 4);
        QVERIFY(!Find(marks, QStringLiteral("Ferrari: race")));
        QVERIFY(Find(marks, QStringLiteral("Mclaren: race team power 0")));
    }

    // The changed cells get the tables' pale yellow behind their bar or point on the screen,
    // the others none; paper never shows it.
    void changedCellsAreMarkedOnTheScreenOnly() {
        const Roster roster = Season();
        CellSet changed;
        changed.Add(Field::DriverQualPower, 0);
        changed.Add(Field::RangeByPos, 9);
        QImage image(1024, 768, QImage::Format_RGB32);
        const auto paint = [&](bool printing) {
            image.fill(Qt::white);
            QPainter painter(&image);
            PaintViews(painter, image.rect(), roster, ViewFlags{false, false, false, true},
                       printing, &changed);
        };
        const std::vector<ChartMark> marks = ChartMarks(image.rect(), MakeChartData(roster));
        // Beside a bar in its strip, or below and beside a point.
        const auto beside = [&](const char* words, bool bar) {
            const ChartMark* mark = Find(marks, QLatin1String(words));
            const QPointF c = mark ? mark->area.center() : QPointF(-9, -9);
            return bar && mark ? QPoint(int(mark->area.right()) + 6, int(c.y()))
                               : QPoint(int(c.x()) + 3, int(c.y()) + 4);
        };
        const QPoint marked[] = {beside("Marco Venturi (Ferrari): qualifying", true),
                                 beside("RangeByPos at position 10:", false)};
        const QPoint plain[] = {beside("Marco Venturi (Ferrari): race", true),
                                beside("Lukas Brandauer (Ferrari): qualifying", true),
                                beside("RangeByPos at position 11:", false)};
        paint(false);
        for (const QPoint& at : marked)
            QVERIFY(image.valid(at) && (image.pixel(at) | 0xff000000) == viewcolors::Highlight);
        for (const QPoint& at : plain)
            QVERIFY(image.valid(at) && (image.pixel(at) | 0xff000000) != viewcolors::Highlight);
        paint(true);
        for (const QPoint& at : marked)
            QVERIFY((image.pixel(at) | 0xff000000) != viewcolors::Highlight);
    }

    // From the smallest window to a large one, and on a screen of twice the pixels: each team is
    // named in ink in the team panel, each driver elsewhere, shortened where the column is narrow,
    // and no text runs into another (names, titles, legends, numbers).
    void textsAreAllThereAndApart() {
        const Roster roster = Season();
        for (const QSize size : {QSize(640, 480), QSize(1024, 768), QSize(1920, 1080)})
            for (const qreal ratio : {1.0, 2.0}) {
                const QString at = QStringLiteral("%1 at %2: ").arg(size.width()).arg(ratio);
                const QImage image = PaintOnScreen(roster, size, ratio);
                const auto texts = ChartTexts(QRect(QPoint(), size), MakeChartData(roster));
                const QRectF teamPanel = TeamPanelOf(texts);
                for (int row = 0; row < TeamCount + DriverCount; ++row) {
                    const bool team = row < TeamCount;
                    const QString name =
                        CellToQString(team ? roster.TeamName[row].Str()
                                           : roster.DriverName[row - TeamCount].Str());
                    QVERIFY2(std::count_if(texts.begin(), texts.end(),
                                           [&](const ChartText& t) {
                                               return (t.text == name ||
                                                       (!team && t.text.endsWith(QChar(0x2026)) &&
                                                        name.startsWith(t.text.chopped(1)))) &&
                                                      teamPanel.contains(t.box) == team &&
                                                      DarkPixels(image, t.box) > 10;
                                           }) == 1,
                             qPrintable(at + name));
                }
                for (auto i = texts.begin(); i != texts.end(); ++i) {
                    QVERIFY2(QRectF(QPoint(), size).contains(i->box), qPrintable(at + i->text));
                    for (auto j = i + 1; j != texts.end(); ++j)
                        QVERIFY2(!i->box.intersects(j->box),
                                 qPrintable(at + i->text + QLatin1String(" on ") + j->text));
                }
            }
    }

    // The power axes come from the powers alone: at every window size the team and the driver
    // axis start at the same number and two bars keep their proportion.
    void powerAxesFollowTheDataAlone() {
        const ChartData data = MakeChartData(Season());
        const auto axes = [&](QRect client) {
            const auto texts = ChartTexts(client, data);
            const QRectF teamPanel = TeamPanelOf(texts);
            long starts[2] = {LONG_MAX, LONG_MAX}; // teams, drivers
            for (const ChartText& text : texts) {
                bool number = false;
                const long value = text.text.toLong(&number);
                const int panel = teamPanel.contains(text.box)          ? 0
                                  : text.box.left() > teamPanel.right() ? 1
                                                                        : -1;
                if (number && panel >= 0)
                    starts[panel] = std::min(starts[panel], value);
            }
            const auto marks = ChartMarks(client, data);
            const double proportion =
                (Find(marks, QStringLiteral("Ferrari: qualifying"))->area.width() - 4) /
                (Find(marks, QStringLiteral("Lotus: race"))->area.width() - 4);
            return std::tuple{starts[0], starts[1], proportion};
        };
        const auto [teams, drivers, proportion] = axes(QRect(0, 0, 1920, 1080));
        for (const QRect client : {QRect(0, 0, 640, 480), QRect(0, 0, 1024, 768)}) {
            const auto [t, d, p] = axes(client);
            QCOMPARE(t, teams);
            QCOMPARE(d, drivers);
            QVERIFY2(std::abs(p / proportion - 1) < 0.01, qPrintable(QString::number(p)));
        }
    }

    // A changed bar gets a dark frame and an arrow in front of its row, a changed point a dark
    // ring: on the screen at any pixel ratio, and nothing for the others; on paper none of it.
    void changedBarsStandOut() {
        const Roster roster = Season();
        CellSet changed;
        changed.Add(Field::DriverQualPower, 0);
        changed.Add(Field::RangeByPos, 9);
        for (const QSize size : {QSize(640, 480), QSize(1920, 1080)})
            for (const qreal ratio : {1.0, 2.0}) {
                const QImage plain = PaintOnScreen(roster, size, ratio);
                const QImage marked = PaintOnScreen(roster, size, ratio, &changed);
                const auto marks = ChartMarks(QRect(QPoint(), size), MakeChartData(roster));
                // Dark pixels the highlight adds around a bar and in front of it, or round a point.
                const auto added = [&](const char* words) {
                    const ChartMark* mark = Find(marks, QLatin1String(words));
                    const QRectF around = mark->area.adjusted(
                        mark->tip.contains(QLatin1String(" power")) ? -14 : -3, -3, 3, 3);
                    return std::pair{DarkPixels(marked, around) - DarkPixels(plain, around),
                                     mark->area.width() * ratio};
                };
                const QString at = QStringLiteral("%1 at %2").arg(size.width()).arg(ratio);
                const auto [dark, width] = added("Venturi (Ferrari): qualifying");
                QVERIFY2(dark >= 2 * width, qPrintable(at));
                QVERIFY2(added("RangeByPos at position 10:").first >= 20 * ratio, qPrintable(at));
                for (const char* other : {"Lotus: race", "Brandauer (Ferrari): qualifying",
                                          "RangeByPos at position 14:"})
                    QVERIFY2(added(other).first == 0, qPrintable(at + QLatin1String(other)));
                QCOMPARE(PaintOnScreen(roster, size, ratio, &changed, true),
                         PaintOnScreen(roster, size, ratio, nullptr, true));
            }
    }

    // An empty entry of a position table leaves a gap; an empty table and a tiny window paint
    // nothing that crashes or spills.
    void gapsAndEmptyTables() {
        Roster r;
        r.DriverPowerByPos[4].SetText("");
        for (int p = 0; p < PositionCount; ++p)
            r.FailureByPos[p].SetText("");
        const ChartData data = MakeChartData(r);
        const std::vector<ChartMark> marks = ChartMarks(QRect(0, 0, 1024, 768), data);
        QVERIFY(Find(marks, QStringLiteral("DriverPowerByPos at position 4:")));
        QVERIFY(!Find(marks, QStringLiteral("DriverPowerByPos at position 5:")));
        QVERIFY(!Find(marks, QStringLiteral("FailureByPos")));
        QVERIFY(Find(marks, QStringLiteral("RangeByPos at position 28:")));

        const QImage tiny = Paint(data, QSize(90, 50));
        QVERIFY(ChartMarks(tiny.rect(), data).empty());
    }
};

} // namespace rk7

QTEST_MAIN(rk7::ChartPainterTest)
#include "chart_painter_test.moc"
