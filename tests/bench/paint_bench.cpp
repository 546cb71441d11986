#include "bench/season_roster.h"
#include "model/roster_diff.h"
#include "painter/table_painter.h"
#include "views/roster_view.h"
#include "views/view_snapshot.h"

#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace rk7 {
namespace {

// One paint of the client window showing View All: the background, then the table.
void PaintViewAll(QImage& image, const Roster& roster, const CellSet* highlight = nullptr) {
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(viewcolors::LightGray));
    PaintViews(painter, image.rect(), roster, ViewFlags{}, false, highlight);
}

// The measured paint, a function of its own so that callgrind can count its instructions
// (scripts/count-instructions.sh).
[[gnu::noinline]] void PaintViewAllOnce(QImage& image, const Roster& roster,
                                        const CellSet* highlight = nullptr) {
    PaintViewAll(image, roster, highlight);
}

void BM_PaintViewAll(benchmark::State& state) {
    const Roster roster = SeasonRoster();
    QImage image(1920, 1080, QImage::Format_RGB32);
    PaintViewAll(image, roster); // fonts and glyph caches as after the first paint
    for (auto _ : state) {
        PaintViewAllOnce(image, roster);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintViewAll)->Unit(benchmark::kMicrosecond);

// The same with the cells marked that a whole season's import changes in the built-in roster.
void BM_PaintViewAllHighlighted(benchmark::State& state) {
    const Roster roster = SeasonRoster();
    const CellSet changed = ChangedCells(Roster(), roster);
    QImage image(1920, 1080, QImage::Format_RGB32);
    PaintViewAll(image, roster, &changed);
    for (auto _ : state) {
        PaintViewAllOnce(image, roster, &changed);
        benchmark::ClobberMemory();
    }
    state.counters["marked"] = changed.Size();
}
BENCHMARK(BM_PaintViewAllHighlighted)->Unit(benchmark::kMicrosecond);

// The start frame of View All at 1920x1080 taken, as the program does once its window is up and
// when it closes: painted strip by strip and compressed.
void BM_TakeStartFrame(benchmark::State& state) {
    const Roster roster = SeasonRoster();
    RosterView view(roster);
    view.resize(1920, 1080);
    std::optional<ViewSnapshot> frame = view.startFrame(); // fonts and glyphs loaded
    for (auto _ : state) {
        frame = view.startFrame();
        benchmark::DoNotOptimize(frame->bytes().constData());
    }
    state.counters["bytes"] = double(frame->bytes().size());
}
BENCHMARK(BM_TakeStartFrame)->Unit(benchmark::kMicrosecond);

// A kept start frame drawn, as a start's first paint does instead of painting.
[[gnu::noinline]] void DrawStartFrameOnce(QImage& image, const ViewSnapshot& frame) {
    QPainter painter(&image);
    frame.draw(painter);
}

void BM_DrawStartFrame(benchmark::State& state) {
    const Roster roster = SeasonRoster();
    RosterView view(roster);
    view.resize(1920, 1080);
    const ViewSnapshot frame = *ViewSnapshot::FromBytes(view.startFrame()->bytes());
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawStartFrameOnce(image, frame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawStartFrame)->Unit(benchmark::kMicrosecond);

// One paint of the client window showing the chart, which reads its figures from the roster
// each time; a function of its own for callgrind, as above.
[[gnu::noinline]] void PaintChartOnce(QImage& image, const Roster& roster) {
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(viewcolors::LightGray));
    PaintViews(painter, image.rect(), roster, ViewFlags{false, false, false, true}, false);
}

void BM_PaintChart(benchmark::State& state) {
    const Roster roster = SeasonRoster();
    QImage image(1920, 1080, QImage::Format_RGB32);
    {
        QPainter painter(&image); // fonts loaded, as after the first paint
        PaintViews(painter, image.rect(), roster, ViewFlags{false, false, false, true}, false);
    }
    for (auto _ : state) {
        PaintChartOnce(image, roster);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintChart)->Unit(benchmark::kMicrosecond);

// The floor under the figures above: only the window's background fill, no table.
void BM_FillBackground(benchmark::State& state) {
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor(viewcolors::LightGray));
        painter.end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillBackground)->Unit(benchmark::kMicrosecond);

// A change of the drivers and the repaint of the roster view showing View All, as the window
// does it, without an assistive client (0) and with one (1) that takes every event the view sends
// and asks it for the interface it names, as the AT-SPI bridge does.
void BM_ViewRosterChange(benchmark::State& state) {
    const bool client = state.range(0) == 1;
    const Roster roster = SeasonRoster();
    RosterView view(roster);
    view.resize(1920, 1080);
    QImage image(view.size(), QImage::Format_RGB32);
    if (client) {
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            benchmark::DoNotOptimize(event->accessibleInterface());
        });
        QAccessible::setActive(true);
        // Qt's AT-SPI bridge comes up once it has found the accessibility bus.
        for (int wait = 0; wait < 100 && !QAccessible::isActive(); ++wait)
            QTest::qWait(100);
        if (!QAccessible::isActive()) {
            state.SkipWithError("no assistive client can be active here: run under "
                                "tests/gui/with_accessibility_bus.sh");
            QAccessible::installUpdateHandler(nullptr);
            return;
        }
    }
    view.render(&image);
    for (auto _ : state) {
        view.rosterChanged(DriversPart);
        view.render(&image);
        benchmark::ClobberMemory();
    }
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(nullptr);
}
BENCHMARK(BM_ViewRosterChange)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What a screen reader pays to read all of View All through the accessible table: every header
// and cell text, the cells made once and kept.
void BM_AccessibleReadViewAll(benchmark::State& state) {
    const Roster roster = SeasonRoster();
    RosterView view(roster);
    view.resize(1920, 1080);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    qsizetype characters = 0;
    for (auto _ : state) {
        characters = 0;
        for (int i = 0; i < table->childCount(); ++i)
            characters += table->child(i)->text(QAccessible::Name).size();
        benchmark::DoNotOptimize(characters);
    }
    state.counters["cells"] = table->childCount();
}
BENCHMARK(BM_AccessibleReadViewAll)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rk7
