#pragma once

#include "app/command.h"
#include "version.h"

#include <functional>
#include <map>
#include <type_traits>

#include <QMainWindow>

namespace rk7 {

class ContextHelp;
class MainToolBar;
class RosterView;

// The main window: menu, tool bar, status bar and the roster view. It owns one action per
// command; menu and tool bar share them.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* Caption = "RK7 Power V" RK7_VERSION;

    // In context-help mode the commands show their topics through help instead of running.
    MainWindow(RosterView* view, ContextHelp& help);

    RosterView* view() const { return m_view; }
    MainToolBar* toolBar() const { return m_toolBar; }
    QAction* action(Command command) const { return m_actions.at(command); }
    // A menu of the menu bar by its path, e.g. "&File".
    QMenu* menu(const QString& path) const { return m_menus.at(path); }

    // Runs slot (a member function of receiver, or a callable) when the command is triggered, and
    // enables the command; a command that nothing runs stays disabled.
    template <typename Receiver, typename Slot>
    void connectCommand(Command command, Receiver* receiver, Slot slot) {
        if constexpr (std::is_member_function_pointer_v<Slot>)
            bindCommand(command, receiver, [receiver, slot] { (receiver->*slot)(); });
        else
            bindCommand(command, receiver, std::function<void()>(std::move(slot)));
    }

    // Asked before the window closes; false keeps it open.
    void setCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }

    // No context menu on the bars: the tool bar stays as long as the window.
    QMenu* createPopupMenu() override { return nullptr; }

signals:
    // A file was dropped on the window: a Performance File to compare, the program hopes.
    void fileDropped(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void buildMenu();
    void buildToolBar();
    void bindCommand(Command command, QObject* receiver, std::function<void()> slot);
    // The view actions' check marks follow the views shown.
    void syncViewChecks();

    RosterView* m_view;
    ContextHelp& m_help;
    MainToolBar* m_toolBar = nullptr;
    std::map<Command, QAction*> m_actions;
    std::map<QString, QMenu*> m_menus;
    std::function<bool()> m_closeQuery;
};

} // namespace rk7
