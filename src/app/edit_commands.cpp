#include "app/edit_commands.h"

#include "app/main_window.h"
#include "app/prompts.h"
#include "app/roster_document.h"

#include <QAction>

namespace rk7 {

EditCommands::EditCommands(RosterDocument& document, MainWindow& window, Prompts& prompts,
                           QObject* parent)
    : QObject(parent), m_document(document), m_window(window), m_prompts(prompts) {
    window.connectCommand(Command::Undo, this, &EditCommands::undo);
    window.connectCommand(Command::Redo, this, &EditCommands::redo);
    connect(&document, &RosterDocument::historyChanged, this, &EditCommands::syncActions);
    syncActions();
}

void EditCommands::undo() {
    if (Status undone = m_document.undo(); !undone)
        m_prompts.reportError(&m_window, QString::fromStdString(undone.Error()));
}

void EditCommands::redo() {
    if (Status redone = m_document.redo(); !redone)
        m_prompts.reportError(&m_window, QString::fromStdString(redone.Error()));
}

void EditCommands::syncActions() {
    const auto sync = [](QAction* action, const QString& verb, bool can, const QString& step) {
        action->setEnabled(can);
        action->setText(can ? verb + QLatin1Char(' ') + step : verb);
    };
    sync(m_window.action(Command::Undo), QStringLiteral("&Undo"), m_document.canUndo(),
         m_document.undoName());
    sync(m_window.action(Command::Redo), QStringLiteral("&Redo"), m_document.canRedo(),
         m_document.redoName());
}

} // namespace rk7
