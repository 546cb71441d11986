#include "app/context_help.h"

#include "dialogs/help_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace rk7 {

ContextHelp::ContextHelp(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

ContextHelp::~ContextHelp() {
    if (qApp)
        qApp->removeEventFilter(this);
    setActive(false);
    delete m_window;
}

void ContextHelp::setActive(bool on) {
    if (on == m_active)
        return;
    m_active = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool ContextHelp::takeCommand(Command command) {
    if (!m_active)
        return false;
    setActive(false);
    showTopic(command);
    return true;
}

HelpWindow& ContextHelp::windowForModal() {
    if (!m_window)
        m_window = new HelpWindow();
    // A modal form blocks every other window but its own: help asked for inside one belongs to
    // it while it is open, so that it can be scrolled and clicked.
    m_window->setOwner(QApplication::activeModalWidget());
    return *m_window;
}

void ContextHelp::showContents() {
    windowForModal().showContents();
}

QString ContextHelp::topicUrl(Command command) {
    const CommandInfo& info = InfoOf(command);
    return QStringLiteral("qrc:/help/%1.html#%2")
        .arg(QLatin1String(info.helpPage), QLatin1String(info.name));
}

void ContextHelp::showTopic(Command command) {
    windowForModal().showPage(topicUrl(command));
}

void ContextHelp::closeWindow() {
    if (m_window)
        m_window->close();
}

bool ContextHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
        // The key reaches the filter first on its way through the pop-up's window, before the
        // menu itself: ask which menu is open rather than who receives the key.
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QAction* item = menu ? menu->activeAction() : nullptr;
        const auto command =
            item && item->data().isValid() ? CommandFromNumber(item->data().toInt()) : std::nullopt;
        if (key->modifiers() & Qt::ShiftModifier) {
            setActive(true);
        } else if (command) {
            // F1 on a highlighted menu item: its topic, and the command is not run.
            for (QWidget* popup = QApplication::activePopupWidget(); popup;
                 popup = QApplication::activePopupWidget())
                popup->close();
            showTopic(*command);
        } else {
            showContents();
        }
        return true;
    }
    if (key->key() == Qt::Key_Escape && m_active) {
        setActive(false);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rk7
