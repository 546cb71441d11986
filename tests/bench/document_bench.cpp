#include "app/store_saver.h"
#include "bench/season_roster.h"
#include "dialogs/prompts.h"
#include "document/roster_document.h"
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

// Answers nothing: the merge below meets no question.
class SilentPrompts : public Prompts {
public:
    void message(QWidget*, const QString&, const QString&, Icon) override {}
    Answer askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
        return Answer::Cancel;
    }
    bool confirm(QWidget*, const QString&, const QString&) override { return false; }
    QString openFileName(QWidget*, const FileDialogSettings&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogSettings&) override { return {}; }
    QString folderName(QWidget*, const QString&, const QString&) override { return {}; }
    bool askReload(QWidget*, const QString&, const QString&) override { return false; }
    Keep askKeepMine(QWidget*, const QString&, const QString&, const QString&) override {
        return Keep::Cancel;
    }
    Reading askReadAsUtf8(QWidget*, const QString&, const QString&) override {
        return Reading::Cancel;
    }
    bool waitUntil(QWidget*, const QString&, const std::function<bool()>&) override {
        return false;
    }
    bool printDialog(QWidget*, PrintSupport&, QPrinter&) override { return false; }
    bool pageSetupDialog(QWidget*, PrintSupport&, QPrinter&) override { return false; }
};

// Edit Teams' OK on a season roster: the folder locked, the store files read to see whether
// another program changed them, the user's cells merged into the roster as it is now, and
// Teams.rk saved (flushed). Arg 1: another program changed Drivers.rk while the form was open,
// so the roster is read again before the merge.
void BM_FormOk(benchmark::State& state) {
    QTemporaryDir folder;
    SilentPrompts prompts;
    RosterDocument document;
    StoreSaver saver(document, prompts);
    const std::string path = QFile::encodeName(folder.path()).toStdString();
    (void)document.load(path);
    document.apply(SeasonRoster(), AllParts, QStringLiteral("Open season.txt"));
    if (!document.save(AllStores)) {
        state.SkipWithError("cannot save into the scratch folder");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const Roster base = document.roster();
        Roster edited = base;
        edited.TeamName[round % TeamCount].SetText(round % 2 ? "Edited" : "Again");
        if (state.range(0)) {
            Roster theirs = base;
            theirs.DriverName[round % DriverCount].SetText(round % 2 ? "Theirs" : "Other");
            ProgramState other;
            other.folder = ResolveRosterFolder(path);
            (void)SaveStores(theirs, other, DriversStore, Durability::NoFlush);
        }
        ++round;
        state.ResumeTiming();
        if (!saver.commitEdit(base, edited, TeamsPart, TeamsStore, QStringLiteral("Edit Teams"))) {
            state.SkipWithError("the OK did not go through");
            return;
        }
    }
    state.SetLabel(state.range(0) ? "another program saved meanwhile" : "nothing else changed");
}
BENCHMARK(BM_FormOk)->ArgName("changed_on_disk")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rk7
