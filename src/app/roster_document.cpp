#include "app/roster_document.h"

#include "model/roster_parts.h"

namespace rk7 {

LoadStoreReport RosterDocument::load(const std::string& folder) {
    LoadStoreReport report = LoadStore(m_roster, m_state, folder);
    emit changed(AllParts);
    return report;
}

void RosterDocument::apply(const Roster& edited, unsigned parts) {
    CopyParts(m_roster, edited, parts);
    m_state.UnsavedStores |= StoresOf(parts);
    emit changed(parts);
}

Status RosterDocument::save(unsigned stores) {
    return SaveStores(m_roster, m_state, stores);
}

unsigned RosterDocument::unsavedStores() const {
    return UnsavedStoreFiles(m_roster, m_state);
}

PerformanceReadResult RosterDocument::import(const std::string& path,
                                             std::optional<Dialect> dialect) {
    Roster read = m_roster;
    PerformanceReadResult result = ReadPerformanceFile(path, read, dialect);
    if (result.touched)
        apply(read, PartsOf(result.touched));
    return result;
}

} // namespace rk7
