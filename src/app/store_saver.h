#pragma once

#include "model/roster_parts.h"

#include <QString>

class QWidget;

namespace rk7 {

class FolderLock;
class Prompts;
class RosterDocument;

// Writes the document's store files for the GUI, and keeps what another program wrote from being
// lost: under the roster folder's lock, a store file another program changed is read first (or,
// when the roster holds changes of its own there, the user chooses), and a form's edit is merged
// cell by cell. A missing roster folder is offered to be made; a failure is reported, its changes
// staying pending.
class StoreSaver {
public:
    StoreSaver(RosterDocument& document, Prompts& prompts)
        : m_document(document), m_prompts(prompts) {}

    // Messages belong to window.
    void setWindow(QWidget* window) { m_window = window; }

    // Takes the roster folder's lock for as long as lock is held. While another program holds
    // it the window stays alive, with a note the user can give up on. False when the user gave
    // up or the folder could not be locked (reported); true with no lock for a folder that does
    // not exist yet.
    bool lockFolder(FolderLock& lock);
    // Store files that another program changed since they were loaded or saved: read again,
    // or, where the roster holds changes that no store file has, the user is asked whether to
    // reload them or keep the roster's. Call with the folder locked.
    void takeDiskChanges();
    // Saves the store files (StoreFile bits) together; true when they were saved.
    bool save(StoreFileSet stores);
    // A form's OK: the cells of the parts (RosterPart bits) that the user changed from base to
    // edited go into the roster as it is now, as the undo step name, then the store files are
    // saved. Cells another program changed meanwhile are asked about. False when the user
    // cancelled or gave up waiting: nothing changed, and the form stays open.
    bool commitEdit(const Roster& base, const Roster& edited, RosterPartSet parts,
                    StoreFileSet stores, const QString& name);
    // Before the roster is let go (exit, another folder): when some cells differ from the store
    // files, asks Save / Discard / Cancel and saves on Save. False on Cancel or a failed save.
    bool offerToSave();

private:
    // True when the roster folder exists, or the user agreed to have it made and it was.
    bool makeFolder();
    QString folder() const;

    RosterDocument& m_document;
    Prompts& m_prompts;
    QWidget* m_window = nullptr;
};

} // namespace rk7
