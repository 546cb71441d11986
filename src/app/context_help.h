#pragma once

#include "app/command.h"
#include "dialogs/help_window.h"

#include <QObject>
#include <QPointer>

namespace rk7 {

// F1 help for the whole program: F1 shows the contents, or the topic of the highlighted menu
// item; Shift+F1 enters context-help mode, in which the next command shows its topic instead of
// running; Escape leaves the mode. Owns the help window, made on first use.
class ContextHelp : public QObject {
    Q_OBJECT

public:
    explicit ContextHelp(QObject* parent = nullptr);
    ~ContextHelp() override;

    bool active() const { return m_active; }
    void setActive(bool on);
    // In context-help mode: leaves it and shows the command's topic; true then, and the command
    // must not run.
    bool takeCommand(Command command);

    void showContents();
    void showTopic(Command command);
    // The page and anchor of a command, e.g. "qrc:/help/files.html#open-native-file".
    static QString topicUrl(Command command);
    // The help window, if it was ever shown.
    HelpWindow* window() const { return m_window; }
    void closeWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The help window, handed to the modal form that is open, if any.
    HelpWindow& windowForModal();

    QPointer<HelpWindow> m_window;
    bool m_active = false;
};

} // namespace rk7
