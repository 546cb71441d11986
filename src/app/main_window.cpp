#include "app/main_window.h"

#include "app/context_help.h"
#include "views/roster_view.h"
#include "widgets/accessible_text.h"
#include "widgets/app_icon.h"
#include "widgets/main_tool_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

namespace rk7 {

namespace {

// The menu texts and hints of the command table in the user's language.
QString CommandText(const char* text) {
    return QCoreApplication::translate("rk7::Command", text);
}

} // namespace

MainWindow::MainWindow(RosterView* view, ContextHelp& help) : m_view(view), m_help(help) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QString::fromLatin1(Caption));
    setAcceptDrops(true); // a Performance File dropped here is compared with the roster
    setWindowIcon(AppIcon());
    setCentralWidget(view);
    view->setFocus(); // the keys move its cell cursor
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
    createActions();
    buildMenu();
    buildToolBar();
    connect(view, &RosterView::viewsChanged, this, &MainWindow::syncViewChecks);
    syncViewChecks();
}

void MainWindow::createActions() {
    for (const CommandInfo& info : Commands()) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("action:") + QLatin1String(info.name));
        action->setData(static_cast<int>(info.command)); // for F1 on a menu item
        if (info.hint)
            action->setStatusTip(CommandText(info.hint));
        action->setEnabled(false); // until something runs it
        m_actions[info.command] = action;
    }
    for (const MenuItem& item : MainMenu()) {
        if (!item.text)
            continue;
        // The shortcut from the English text, which a translation cannot spoil.
        const QString english = QString::fromLatin1(item.text);
        QString text = CommandText(item.text);
        QList<QKeySequence> keys;
        if (const qsizetype tab = english.indexOf(QLatin1Char('\t')); tab >= 0)
            keys << QKeySequence(english.mid(tab + 1));
        if (const qsizetype tab = text.indexOf(QLatin1Char('\t')); tab >= 0)
            text.truncate(tab);
        if (item.otherKey)
            keys << QKeySequence(QLatin1String(item.otherKey)); // the menu shows the first one
        m_actions[item.command]->setShortcuts(keys);
        m_actions[item.command]->setText(text);
    }
    // Check marks, not radio dots: clicking the view that is shown shows none.
    for (Command view :
         {Command::ViewTeams, Command::ViewDrivers, Command::ViewAll, Command::ViewChart})
        m_actions[view]->setCheckable(true);
    m_actions[Command::HighlightChanges]->setCheckable(true);
}

void MainWindow::buildMenu() {
    std::map<QString, QMenu*>& menus = m_menus;
    std::function<QMenu*(const QString&)> menuFor = [&](const QString& path) {
        if (QMenu* known = menus[path])
            return known;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString title = slash < 0 ? path : path.mid(slash + 1);
        const QString shown = CommandText(title.toLatin1().constData());
        QMenu* menu =
            slash < 0 ? menuBar()->addMenu(shown) : menuFor(path.left(slash))->addMenu(shown);
        menu->setObjectName(QStringLiteral("menu:") + path);
        menu->setAccessibleName(WithoutMnemonic(menu->title())); // Qt would say the "&"
        menus[path] = menu;
        return menu;
    };
    for (const MenuItem& item : MainMenu()) {
        QMenu* menu = menuFor(QString::fromLatin1(item.menu));
        if (!item.text)
            menu->addSeparator();
        else
            menu->addAction(m_actions.at(item.command));
    }
    menus.at(QStringLiteral("&Edit"))->menuAction()->setStatusTip(CommandText(EditMenuHint));
    menus.at(QStringLiteral("&View"))->menuAction()->setStatusTip(CommandText(ViewMenuHint));
}

void MainWindow::buildToolBar() {
    m_toolBar = new MainToolBar(this);
    for (const std::optional<Command>& button : ToolBarButtons()) {
        if (!button) {
            m_toolBar->addGap();
            continue;
        }
        const char* name = InfoOf(*button).name;
        QAction* action = m_actions.at(*button);
        action->setIcon(ToolButtonIcon(name));
        action->setIconVisibleInMenu(false);
        m_toolBar->addAction(action);
        if (QWidget* w = m_toolBar->widgetForAction(action)) {
            w->setObjectName(QStringLiteral("button:") + QLatin1String(name));
            // The button says its command; the hint says what it does.
            w->setAccessibleDescription(action->statusTip());
        }
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void MainWindow::bindCommand(Command command, QObject* receiver, std::function<void()> slot) {
    QAction* action = m_actions.at(command);
    connect(action, &QAction::triggered, receiver, [this, command, slot = std::move(slot)] {
        if (!m_help.takeCommand(command))
            slot();
        syncViewChecks(); // a click toggles a view's check mark, whatever it did
    });
    action->setEnabled(true);
}

void MainWindow::syncViewChecks() {
    const ViewFlags& views = m_view->views();
    m_actions[Command::ViewAll]->setChecked(views.ViewAll);
    m_actions[Command::ViewTeams]->setChecked(views.ViewTeams);
    m_actions[Command::ViewDrivers]->setChecked(views.ViewDrivers);
    m_actions[Command::ViewChart]->setChecked(views.Chart);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closeQuery && !m_closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
}

namespace {

// The one local file that a drag brings, or an empty string: folders, several files and
// anything not on this machine are not taken.
QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return {};
    return url.toLocalFile();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended, so that the source is not kept waiting by the dialog.
    QMetaObject::invokeMethod(
        this, [this, path] { emit fileDropped(path); }, Qt::QueuedConnection);
}

} // namespace rk7
