#pragma once

#include <QString>

class QWidget;

namespace rk7 {

class Prompts;
class RosterDocument;

// Saves the document's store files for the GUI: a store folder that does not exist is offered
// to be made first, and a failure is reported, its changes staying pending.
class StoreSaver {
public:
    StoreSaver(RosterDocument& document, Prompts& prompts, QString folder)
        : m_document(document), m_prompts(prompts), m_folder(std::move(folder)) {}

    void setFolder(QString folder) { m_folder = std::move(folder); }
    // Messages belong to window.
    void setWindow(QWidget* window) { m_window = window; }
    // Saves the store files (StoreFile bits) together; true when they were saved.
    bool save(unsigned stores);
    // Before the roster is let go (exit, another folder): when some cells differ from the store
    // files, asks Save / Discard / Cancel and saves on Save. False on Cancel or a failed save.
    bool offerToSave();

private:
    // True when the store folder exists, or the user agreed to have it made and it was.
    bool makeFolder();

    RosterDocument& m_document;
    Prompts& m_prompts;
    QString m_folder;
    QWidget* m_window = nullptr;
};

} // namespace rk7
