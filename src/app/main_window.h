#pragma once

#include "version.h"

#include <functional>
#include <map>

#include <QMainWindow>

namespace rk7 {

class MainToolBar;
class RosterView;

// The main window: menu, tool bar, status bar and the client area.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* Caption = "RK7 Power V" RK7_VERSION;

    // actions holds one action per command id; menu and tool bar share them.
    MainWindow(RosterView* client, const std::map<int, QAction*>& actions);

    RosterView* Client() const { return m_client; }
    MainToolBar* Bar() const { return m_bar; }
    // Asked before the window closes; false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }

    // No context menu on the bars: the tool bar stays as long as the frame.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu(const std::map<int, QAction*>& actions);
    void BuildToolBar(const std::map<int, QAction*>& actions);

    RosterView* m_client;
    MainToolBar* m_bar = nullptr;
    std::function<bool()> m_closeQuery;
};

} // namespace rk7
