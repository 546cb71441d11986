#pragma once

#include "exchange/performance_file.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/status.h"
#include "model/store.h"

#include <optional>
#include <string>

#include <QObject>

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
    // The edit mode, which the forms switch for the whole program.
    bool& autoMode() { return m_state.AutoMode; }

    // Reads the store files of folder over the roster.
    LoadStoreReport load(const std::string& folder);
    // Takes the parts (RosterPart bits) of edited into the roster. Their store files count as
    // unsaved until saved.
    void apply(const Roster& edited, unsigned parts);
    // Saves the store files (StoreFile bits) together.
    Status save(unsigned stores);
    // The store files whose cells differ from what the files hold.
    unsigned unsavedStores() const;
    // Reads a Performance File over the roster; nothing is saved.
    PerformanceReadResult import(const std::string& path, std::optional<Dialect> dialect);

signals:
    // parts: RosterPart bits of what may have changed.
    void changed(unsigned parts);

private:
    Roster m_roster;
    ProgramState m_state;
};

} // namespace rk7
