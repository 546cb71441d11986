#pragma once

#include <QObject>

namespace rk7 {

class MainWindow;
class Prompts;
class RosterDocument;

// Undo and redo of the roster's steps. The menu items name the step they would undo or redo,
// and are disabled when there is none.
class EditCommands : public QObject {
    Q_OBJECT

public:
    EditCommands(RosterDocument& document, MainWindow& window, Prompts& prompts,
                 QObject* parent = nullptr);

    void undo();
    void redo();

private:
    // The menu items follow the history.
    void syncActions();

    RosterDocument& m_document;
    MainWindow& m_window;
    Prompts& m_prompts;
};

} // namespace rk7
