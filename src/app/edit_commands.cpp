#include "app/edit_commands.h"

#include "app/main_window.h"
#include "app/store_saver.h"
#include "dialogs/prompts.h"
#include "document/roster_document.h"
#include "model/folder_transaction.h"

#include <QAction>

namespace rk7 {

EditCommands::EditCommands(RosterDocument& document, StoreSaver& saver, MainWindow& window,
                           Prompts& prompts, QObject* parent)
    : QObject(parent), m_document(document), m_saver(saver), m_window(window), m_prompts(prompts) {
    window.connectCommand(Command::Undo, this, &EditCommands::undo);
    window.connectCommand(Command::Redo, this, &EditCommands::redo);
    connect(&document, &RosterDocument::historyChanged, this, &EditCommands::syncActions);
    syncActions();
}

void EditCommands::undo() {
    step(false);
}

void EditCommands::redo() {
    step(true);
}

void EditCommands::step(bool forward) {
    FolderLock lock;
    if (!m_saver.lockFolder(lock))
        return;
    m_saver.takeDiskChanges(); // a reload starts the history afresh: nothing left to step
    if (Status done = forward ? m_document.redo() : m_document.undo(); !done)
        m_prompts.reportError(&m_window, QString::fromStdString(done.Error()));
}

void EditCommands::syncActions() {
    // The step's name comes after the verb in English, not in every language.
    const auto sync = [](QAction* action, const QString& verb, const QString& verbAndStep, bool can,
                         const QString& step) {
        action->setEnabled(can);
        action->setText(can ? verbAndStep.arg(step) : verb);
    };
    sync(m_window.action(Command::Undo), tr("&Undo"), tr("&Undo %1"), m_document.canUndo(),
         m_document.undoName());
    sync(m_window.action(Command::Redo), tr("&Redo"), tr("&Redo %1"), m_document.canRedo(),
         m_document.redoName());
}

} // namespace rk7
