#pragma once

#include <QObject>

namespace rk7 {

class MainWindow;
class Prompts;
class RosterDocument;
class StoreSaver;

// Undo and redo of the roster's steps. The menu items name the step they would undo or redo,
// and are disabled when there is none.
class EditCommands : public QObject {
    Q_OBJECT

public:
    EditCommands(RosterDocument& document, StoreSaver& saver, MainWindow& window, Prompts& prompts,
                 QObject* parent = nullptr);

    void undo();
    void redo();

private:
    // The menu items follow the history.
    void syncActions();
    // Undoes or redoes under the folder's lock, once what another program saved is read: the
    // step's save never goes over it unseen.
    void step(bool forward);

    RosterDocument& m_document;
    StoreSaver& m_saver;
    MainWindow& m_window;
    Prompts& m_prompts;
};

} // namespace rk7
