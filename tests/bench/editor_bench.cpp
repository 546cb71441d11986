#include "bench/season_roster.h"
#include "editors/set_drivers_dialog.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace rk7 {
namespace {

// Counts the paint events that the widgets it watches receive.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* form) {
        form->installEventFilter(this);
        for (QWidget* child : form->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    long Paints() const { return m_paints; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_paints;
        return false;
    }

private:
    long m_paints = 0;
};

// One keystroke in a race-position field: "2" turns "1" into "12", Backspace turns it back.
// Either changes the position, so DriverRacePass rewrites the 28 rows' powers and ranges.
void TypeKey(QLineEdit* edit, bool digit) {
    QTest::keyClick(edit, digit ? Qt::Key_2 : Qt::Key_Backspace);
}

// The keystroke and what the user then waits for: the event loop paints the fields the
// keystroke changed into the window's backing store and flushes it.
[[gnu::noinline]] void KeystrokeAndRepaint(QLineEdit* edit, bool digit) {
    TypeKey(edit, digit);
    QCoreApplication::processEvents();
}

// The keystroke followed by a repaint of the whole form, every control of it.
[[gnu::noinline]] void KeystrokeAndFullRepaint(QWidget* form, QLineEdit* edit, bool digit) {
    TypeKey(edit, digit);
    form->repaint();
    QCoreApplication::processEvents();
}

struct DriversForm {
    Roster roster = SeasonRoster();
    bool autoMode = true;
    std::unique_ptr<SetDriversDialog> dialog;
    QLineEdit* edit = nullptr;

    DriversForm() {
        roster.DriverRacePos[0].SetText("1");
        dialog = std::make_unique<SetDriversDialog>(
            EditorContext{roster,
                          {[this] { return autoMode; },
                           [this](bool on) {
                               autoMode = on;
                           }},
                          [](const Roster&, RosterPartSet, StoreFileSet) {
                              return true;
                          }},
            nullptr);
        dialog->show();
        dialog->activateWindow();
        edit = dialog->edit(SetDriversDialog::RacePos, 0);
        edit->setFocus();
        edit->end(false);
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
    }
};

void BM_DriverRacePositionKeystroke(benchmark::State& state) {
    DriversForm form;
    PaintCounter counter(form.dialog.get());
    const bool full = state.range(0) != 0;
    bool digit = true;
    long keys = 0;
    for (auto _ : state) {
        if (full)
            KeystrokeAndFullRepaint(form.dialog.get(), form.edit, digit);
        else
            KeystrokeAndRepaint(form.edit, digit);
        digit = !digit;
        ++keys;
    }
    // The field holds what the last keystroke made of it, and the pass followed it.
    const long position = digit ? 1 : 12;
    const QString power = QString::fromStdString(CalcDriverRacePower(form.roster, position));
    if (form.edit->text() != QString::number(position))
        state.SkipWithError("the keystrokes did not reach the field");
    else if (form.dialog->edit(SetDriversDialog::RacePower, 0)->text() != power)
        state.SkipWithError("the pass did not follow the keystrokes");
    state.counters["paints_per_key"] =
        benchmark::Counter(static_cast<double>(counter.Paints()) / static_cast<double>(keys));
}
BENCHMARK(BM_DriverRacePositionKeystroke)
    ->ArgName("full_form")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rk7
