#include "app/main_window.h"

#include "app/commands.h"
#include "app/main_tool_bar.h"
#include "views/roster_view.h"
#include "widgets/app_icon.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>

namespace rk7 {

MainWindow::MainWindow(RosterView* client, const std::map<int, QAction*>& actions)
    : m_client(client) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QString::fromLatin1(Caption));
    setWindowIcon(AppIcon());
    setCentralWidget(client);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
    BuildMenu(actions);
    BuildToolBar(actions);
}

void MainWindow::BuildMenu(const std::map<int, QAction*>& actions) {
    std::map<QString, QMenu*> menus;
    std::function<QMenu*(const QString&)> menuFor = [&](const QString& path) {
        if (QMenu* known = menus[path])
            return known;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString title = slash < 0 ? path : path.mid(slash + 1);
        QMenu* menu =
            slash < 0 ? menuBar()->addMenu(title) : menuFor(path.left(slash))->addMenu(title);
        menu->setObjectName(QStringLiteral("menu:") + path);
        menus[path] = menu;
        return menu;
    };
    for (const MenuItem& item : MainMenu()) {
        QMenu* menu = menuFor(QString::fromLatin1(item.menu));
        if (item.id == 0)
            menu->addSeparator();
        else
            menu->addAction(actions.at(item.id));
    }
    menus.at(QStringLiteral("&Edit"))
        ->menuAction()
        ->setStatusTip(QString::fromLatin1(CommandHint(cmd::EditMenu)));
    menus.at(QStringLiteral("&View"))
        ->menuAction()
        ->setStatusTip(QString::fromLatin1(CommandHint(cmd::ViewMenu)));
}

void MainWindow::BuildToolBar(const std::map<int, QAction*>& actions) {
    m_bar = new MainToolBar(this);
    for (const ToolButton& button : ToolBarButtons()) {
        if (button.id == 0) {
            m_bar->AddSeparator();
            continue;
        }
        QAction* action = actions.at(button.id);
        action->setIcon(ToolButtonIcon(button.bitmap));
        action->setIconVisibleInMenu(false);
        m_bar->addAction(action);
        if (QWidget* w = m_bar->widgetForAction(action))
            w->setObjectName(QStringLiteral("button:%1").arg(button.id));
    }
    addToolBar(Qt::TopToolBarArea, m_bar);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closeQuery && !m_closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace rk7
