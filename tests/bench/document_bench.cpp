#include "app/roster_document.h"
#include "bench/season_roster.h"
#include "model/roster_parts.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace rk7 {
namespace {

// Undoing an Edit Teams step and redoing it, each with the save of Teams.rk that the step made
// (flushed, as the program saves): what Ctrl+Z costs the user.
void BM_UndoEditTeams(benchmark::State& state) {
    QTemporaryDir folder;
    RosterDocument document;
    (void)document.load(QFile::encodeName(folder.path()).toStdString());
    document.apply(SeasonRoster(), AllParts, QStringLiteral("Open season.txt"));
    if (!document.save(AllStores)) {
        state.SkipWithError("cannot save into the scratch folder");
        return;
    }
    Roster edited = document.roster();
    edited.TeamName[3].SetText("Edited");
    document.apply(edited, TeamsPart, QStringLiteral("Edit Teams"));
    if (!document.save(TeamsStore)) {
        state.SkipWithError("cannot save Teams.rk");
        return;
    }
    for (auto _ : state) {
        if (!document.undo() || !document.redo()) {
            state.SkipWithError("undo or redo failed");
            return;
        }
    }
    state.SetLabel("undo + redo, each saving Teams.rk");
}
BENCHMARK(BM_UndoEditTeams)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rk7
