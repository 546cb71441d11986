#include "document/roster_document.h"

#include "model/roster_diff.h"
#include "model/roster_parts.h"

namespace rk7 {

namespace {

bool SameTexts(const Roster& a, const Roster& b, RosterPartSet parts) {
    for (StoreFile file : StoreFiles)
        if ((StoresOf(parts) & file) && !SameStoreTexts(a, b, file))
            return false;
    return true;
}

} // namespace

void RosterDocument::setAutoMode(bool on) {
    if (m_state.autoMode == on)
        return;
    m_state.autoMode = on;
    emit autoModeChanged(on);
}

LoadStoreReport RosterDocument::load(const std::string& folder) {
    // Nothing of the roster shown before may stay: a file missing here keeps the built-in cells.
    m_roster = Roster();
    ProgramState fresh;
    fresh.autoMode = m_state.autoMode;
    m_state = fresh;
    LoadStoreReport report = LoadStore(m_roster, m_state, folder);
    m_keptOverDisk = {};
    m_lastChanges.Clear();
    stamp(AllStores);
    m_steps.clear();
    m_done = 0;
    emit changed(AllParts);
    emit historyChanged();
    return report;
}

LoadStoreReport RosterDocument::reload() {
    const std::string folder = m_state.folder.path; // load() starts the state afresh
    return load(folder);
}

Status RosterDocument::saveCopy(const std::string& folder) const {
    ProgramState there;
    there.folder = ResolveRosterFolder(folder);
    return SaveStores(m_roster, there, AllStores);
}

void RosterDocument::apply(const Roster& edited, RosterPartSet parts, const QString& name) {
    Roster next = m_roster;
    CopyParts(next, edited, parts);
    takeStep(next, parts, name);
}

std::vector<CellDifference> RosterDocument::applyEdit(const Roster& base, const Roster& edited,
                                                      RosterPartSet parts, const QString& name,
                                                      bool keepMine, bool dryRun) {
    MergedEdit merged = MergeEdit(base, edited, m_roster, parts, keepMine);
    if (!dryRun)
        takeStep(merged.roster, parts, name);
    return std::move(merged.conflicts);
}

void RosterDocument::takeStep(const Roster& next, RosterPartSet parts, const QString& name) {
    if (SameTexts(next, m_roster, parts)) {
        m_roster = next; // what may differ lies after the cells' ends, which nobody sees
        return;
    }
    m_steps.resize(m_done); // what was undone cannot be redone after a new step
    if (m_steps.size() == MaxSteps)
        m_steps.erase(m_steps.begin());
    m_steps.push_back({name, parts, {}, m_roster, next});
    m_done = m_steps.size();
    m_lastChanges = ChangedCells(m_roster, next);
    m_roster = next;
    m_state.unsavedStores |= StoresOf(parts);
    emit changed(parts);
    emit historyChanged();
}

Status RosterDocument::save(StoreFileSet stores) {
    Status written = SaveStores(m_roster, m_state, stores);
    if (!written)
        return written;
    stamp(stores);
    if (canUndo())
        m_steps[m_done - 1].saved |= stores & StoresOf(m_steps[m_done - 1].parts);
    emit saved(stores);
    return written;
}

Status RosterDocument::restore(const Roster& cells, RosterPartSet parts, StoreFileSet stores) {
    Roster next = m_roster;
    CopyParts(next, cells, parts);
    if (stores)
        if (Status written = SaveStores(next, m_state, stores); !written)
            return written;
    stamp(stores);
    m_lastChanges = ChangedCells(m_roster, next);
    m_roster = next;
    m_state.unsavedStores |= StoresOf(parts).without(stores);
    emit changed(parts);
    if (stores)
        emit saved(stores);
    return Status::Ok();
}

Status RosterDocument::undo() {
    if (!canUndo())
        return Status::Ok();
    const Step& step = m_steps[m_done - 1];
    if (Status restored = restore(step.before, step.parts, step.saved); !restored)
        return restored;
    --m_done;
    emit historyChanged();
    return Status::Ok();
}

Status RosterDocument::redo() {
    if (!canRedo())
        return Status::Ok();
    const Step& step = m_steps[m_done];
    if (Status restored = restore(step.after, step.parts, step.saved); !restored)
        return restored;
    ++m_done;
    emit historyChanged();
    return Status::Ok();
}

StoreFileSet RosterDocument::unsavedStores() const {
    return UnsavedStoreFiles(m_roster, m_state) | m_keptOverDisk;
}

void RosterDocument::stamp(StoreFileSet stores) {
    m_keptOverDisk = m_keptOverDisk.without(stores);
}

StoreFileSet RosterDocument::changedOnDisk() const {
    // Read as a fresh load would read the folder, a save cut short included, and compared with
    // what the files held when this program last read or wrote them.
    Roster fresh;
    const LoadStoreReport report =
        PeekStore(fresh, m_state.folder.path, std::chrono::milliseconds(0));
    if (!report.folder)
        return {}; // busy or unreadable: looked at again on the next change
    StoreFileSet changed;
    for (std::size_t i = 0; i < StoreFiles.size(); ++i)
        if (!m_state.storedBytes[i].empty() &&
            SerializeStore(fresh, StoreFiles[i]) != m_state.storedBytes[i])
            changed |= StoreFiles[i];
    return changed;
}

void RosterDocument::keepOverDisk(StoreFileSet stores) {
    // What is on disk now counts as seen; the roster's cells stay unsaved over it.
    Roster fresh;
    (void)PeekStore(fresh, m_state.folder.path);
    for (std::size_t i = 0; i < StoreFiles.size(); ++i)
        if (stores & StoreFiles[i])
            m_state.storedBytes[i] = SerializeStore(fresh, StoreFiles[i]);
    m_keptOverDisk |= stores;
}

PerformanceReadResult RosterDocument::import(const std::string& path,
                                             std::optional<Dialect> dialect, const QString& name) {
    Roster read = m_roster;
    PerformanceReadResult result = ReadPerformanceFile(path, read, dialect);
    if (result.touched)
        apply(read, PartsOf(result.touched), name);
    return result;
}

} // namespace rk7
