#pragma once

#include "exchange/performance_file.h"
#include "model/cell_set.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/roster_diff.h"
#include "model/status.h"
#include "model/store.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

namespace rk7 {

// The roster the program shows and edits, with the program-wide state beside it. Everything in
// the program that changes the roster does it through here, and every change is announced by
// changed(), on which the views repaint.
class RosterDocument : public QObject {
    Q_OBJECT

public:
    explicit RosterDocument(QObject* parent = nullptr) : QObject(parent) {}

    const Roster& roster() const { return m_roster; }
    const ProgramState& state() const { return m_state; }
    // The roster folder, resolved once when it was loaded: every file the document reads or
    // writes is named from here.
    const RosterFolder& folder() const { return m_state.folder; }
    // The edit mode, which the forms switch for the whole program.
    bool autoMode() const { return m_state.autoMode; }
    void setAutoMode(bool on);

    // Reads the store files of folder over the built-in roster, as at start-up, whatever roster
    // was shown before; the undo history starts afresh.
    LoadStoreReport load(const std::string& folder);
    // Reads the roster folder again, the same way.
    LoadStoreReport reload();
    // Writes the whole roster, all four store files as one transaction, into another folder.
    // The document stays on its own folder; load the other to go on there.
    Status saveCopy(const std::string& folder) const;

    // What a form's OK does: the cells of the parts (RosterPart bits) that the user changed from
    // base to edited are taken into the roster as it is now, as one step called name. Cells that
    // another change took elsewhere meanwhile are conflicts; keepMine decides them. Returns the
    // conflicts (empty when there were none); with dryRun nothing changes, so that the user can
    // be asked first.
    std::vector<CellDifference> applyEdit(const Roster& base, const Roster& edited,
                                          RosterPartSet parts, const QString& name, bool keepMine,
                                          bool dryRun = false);
    // Takes the parts (RosterPart bits) of edited into the roster, as one step of the undo
    // history called name; nothing when the roster holds them already. Their store files count
    // as unsaved until saved.
    void apply(const Roster& edited, RosterPartSet parts, const QString& name);
    // Saves the store files (StoreFile bits) together. Those among the last step's files become
    // files that undoing and redoing the step save again.
    Status save(StoreFileSet stores);

    // The undo history. Undo and redo restore the step's cells and save the store files the
    // step saved, so that the files and the roster agree as they did; when that save fails,
    // nothing changes and the failure is returned.
    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    QString undoName() const { return canUndo() ? m_steps[m_done - 1].name : QString(); }
    QString redoName() const { return canRedo() ? m_steps[m_done].name : QString(); }
    Status undo();
    Status redo();
    // The cells that the last step, undo or redo changed; none after a load.
    const CellSet& lastChanges() const { return m_lastChanges; }
    // The store files whose cells differ from what the files hold, and those another program
    // changed under cells the user chose to keep.
    StoreFileSet unsavedStores() const;
    // The store files that another program changed since the roster was loaded or last saved
    // them: those whose cells a fresh load would read differently. A file touched without a
    // change to its cells does not count. The folder's lock is taken for the look (this
    // process's own lock, when it holds it, is no wait).
    StoreFileSet changedOnDisk() const;
    // Keeps the roster as it is over those files: they count as unsaved until saved.
    void keepOverDisk(StoreFileSet stores);
    // Reads a Performance File over the roster as one step called name; nothing is saved.
    PerformanceReadResult import(const std::string& path, std::optional<Dialect> dialect,
                                 const QString& name);

signals:
    void autoModeChanged(bool on);
    // parts: RosterPart bits of what may have changed.
    void changed(RosterPartSet parts);
    // The undo history changed: a step was taken, undone or redone, or the history was cleared.
    void historyChanged();
    // Store files (StoreFile bits) were written.
    void saved(StoreFileSet stores);

private:
    struct Step {
        QString name;
        RosterPartSet parts;
        StoreFileSet saved; // the store files the step wrote
        Roster before;
        Roster after;
    };
    // Sets the parts of the roster to those of cells; first saves the store files given from the
    // roster that results.
    Status restore(const Roster& cells, RosterPartSet parts, StoreFileSet stores);

    // Takes next as the roster, as a new step of the undo history.
    void takeStep(const Roster& next, RosterPartSet parts, const QString& name);
    // The store files now count as holding what the roster holds.
    void stamp(StoreFileSet stores);

    // The oldest steps are forgotten beyond this many.
    static constexpr std::size_t MaxSteps = 100;
    CellSet m_lastChanges;
    StoreFileSet m_keptOverDisk;
    std::vector<Step> m_steps;
    std::size_t m_done = 0; // steps[0, m_done) are done, the rest undone
    Roster m_roster;
    ProgramState m_state;
};

} // namespace rk7
