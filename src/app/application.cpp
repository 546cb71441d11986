#include "app/application.h"

#include "app/commands.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "editors/set_drivers_dialog.h"
#include "editors/set_editpower_dialog.h"
#include "editors/set_ranfail_dialog.h"
#include "editors/set_teams_dialog.h"
#include "editors/spare_dialog.h"
#include "info/about_dialog.h"
#include "info/whats_new_dialog.h"
#include "model/roster_parts.h"
#include "model/store.h"
#include "version.h"
#include "views/print_preview_window.h"
#include "views/roster_printout.h"
#include "views/roster_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

// The resources live in a static library; nothing else would pull them in.
static void InitResources() {
    Q_INIT_RESOURCE(rk7power);
}

namespace rk7 {

void SetProgramIdentity() {
    QApplication::setApplicationName(QStringLiteral("rk7power"));
    QApplication::setApplicationVersion(QStringLiteral(RK7_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("rk7power"));
}

Application::Application(Options options, Prompts& prompts)
    : m_options(std::move(options)), m_prompts(prompts) {
    InitResources();
}

Application::~Application() {
    if (qApp)
        qApp->removeEventFilter(this);
    SetContextHelpMode(false);
    delete m_help;
}

RosterView* Application::Client() const {
    return m_frame ? m_frame->Client() : nullptr;
}

QAction* Application::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void Application::CreateActions() {
    for (const MenuItem& item : MainMenu()) {
        if (item.id == 0)
            continue;
        QString text = QString::fromLatin1(item.text);
        QString shortcut;
        if (const qsizetype tab = text.indexOf(QLatin1Char('\t')); tab >= 0) {
            shortcut = text.mid(tab + 1);
            text.truncate(tab);
        }
        auto* action = new QAction(text, this);
        action->setObjectName(QStringLiteral("action:%1").arg(item.id));
        action->setData(item.id);
        if (const char* hint = CommandHint(item.id))
            action->setStatusTip(QString::fromLatin1(hint));
        if (!shortcut.isEmpty())
            action->setShortcut(QKeySequence(shortcut));
        action->setEnabled(false); // until the command has a handler
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { Command(id); });
        m_actions[id] = action;
    }
    // Check marks, not radio dots: the views switch each other off through ToggleView, and
    // SyncViewChecks shows which one is on.
    for (int id : {cmd::ViewTeams, cmd::ViewDrivers, cmd::ViewAll})
        m_actions[id]->setCheckable(true);
}

void Application::InitMainWindow() {
    CreateActions();
    auto* client = new RosterView(m_document.roster());
    // Whatever changes the roster, the view shows it at once.
    connect(&m_document, &RosterDocument::changed, client, [client](unsigned parts) {
        if (parts & (TeamsPart | DriversPart)) // the parts the views show
            client->update();
    });
    m_frame = std::make_unique<MainWindow>(client, m_actions);
    m_frame->SetCloseQuery([this] { return CanClose(); });
    connect(client, &RosterView::ViewsChanged, this, &Application::SyncViewChecks);

    SetHandler(cmd::Exit, [this] { m_frame->close(); });
    SetHandler(cmd::ViewAll, [client] { client->ToggleView(View::All); });
    SetHandler(cmd::ViewTeams, [client] { client->ToggleView(View::Teams); });
    SetHandler(cmd::ViewDrivers, [client] { client->ToggleView(View::Drivers); });
    SetHandler(cmd::HelpContents, [this] { ShowHelpContents(); });
    RegisterEditorCommands();
    InitFileCommands();
    InitPrintCommands();
    RegisterInfoCommands();

    // The client window's set-up: the store files, the edit mode, the repaint timer.
    const LoadStoreReport report =
        m_document.load(QFile::encodeName(m_options.programDir).toStdString());
    CollectStartupProblems(report);
    m_document.autoMode() =
        !m_options.preferencesPath.isEmpty() && ReadAutoMode(m_options.preferencesPath);
    SyncViewChecks();

    qApp->installEventFilter(this);
}

void Application::CollectStartupProblems(const LoadStoreReport& report) {
    QStringList& problems = m_startupProblems;
    if (!QFileInfo(m_options.programDir).isDir())
        problems << QStringLiteral("The store folder %1 does not exist, so the built-in roster is "
                                   "shown. You will be asked to create the folder when you first "
                                   "save.")
                        .arg(m_options.programDir);
    if (!report.folder)
        problems << QString::fromStdString(report.folder.Error());
    for (const StoreLoad& load : report.files)
        if (!load.status)
            problems << QString::fromStdString(load.status.Error()) +
                            QStringLiteral("\nThe built-in values are used instead.");
    const auto sizes = StoreSizeWarnings(m_document.state().ProgramDir, report);
    if (!sizes.empty()) {
        QString text = QStringLiteral("These store files are damaged or are not store files; they "
                                      "were read as far as they go. Saving writes them whole "
                                      "again from what is shown.");
        for (const std::string& size : sizes)
            text += QStringLiteral("\n- ") + QString::fromStdString(size);
        problems << text;
    }
    if (m_options.preferencesPath.isEmpty())
        problems << QStringLiteral("Neither HOME nor XDG_CONFIG_HOME is set, so the edit mode is "
                                   "kept only until the program ends.");
}

void Application::ReportStartupProblems() {
    if (m_startupProblems.isEmpty())
        return;
    const QString text = m_startupProblems.join(QStringLiteral("\n\n"));
    m_startupProblems.clear();
    m_prompts.Message(m_frame.get(), QStringLiteral("RK7 Power"), text, Prompts::Icon::Warning);
}

EditorContext Application::MakeEditorContext(Roster& working) {
    return {working, m_document.autoMode(), [this, &working](unsigned parts, unsigned stores) {
                m_document.apply(working, parts);
                return stores == 0 || SaveStoresReported(stores);
            }};
}

bool Application::MakeStoreFolder() {
    if (QFileInfo(m_options.programDir).isDir())
        return true;
    if (!m_prompts.Confirm(m_frame.get(), QStringLiteral("RK7 Power"),
                           QStringLiteral("The store folder %1 does not exist. Create it and save "
                                          "the roster there?")
                               .arg(m_options.programDir)))
        return false;
    if (QDir().mkpath(m_options.programDir))
        return true;
    ReportError(
        (m_options.programDir + QStringLiteral(": the folder cannot be created")).toStdString());
    return false;
}

bool Application::SaveStoresReported(unsigned stores) {
    if (MakeStoreFolder()) {
        const Status saved = m_document.save(stores);
        if (saved)
            return true;
        ReportError(saved.Error());
    }
    return false;
}

template <typename Dialog>
void Application::RunEditor(unsigned parts, unsigned stores) {
    // The form edits a copy; the roster takes its parts only when it is accepted.
    Roster working = m_document.roster();
    Dialog dialog(MakeEditorContext(working), m_frame.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The view shows the edit even when the save fails; the roster keeps it either way.
    m_document.apply(working, parts);
    if (stores != 0)
        SaveStoresReported(stores);
}

void Application::RegisterEditorCommands() {
    for (int id : {cmd::EditTeams, cmd::EditTeamsAlt})
        SetHandler(id, [this] { RunEditor<SetTeamsDialog>(TeamsPart, TeamsStore); });
    for (int id : {cmd::MainDrivers, cmd::MainDriversAlt})
        SetHandler(id, [this] { RunEditor<SetDriversDialog>(DriversPart, DriversStore); });
    // The driver powers it recalculates wait in memory for Drivers.rk's next save.
    for (int id : {cmd::EditPowers, cmd::EditPowersAlt})
        SetHandler(id, [this] {
            RunEditor<SetEditpowerDialog>(PowerTablesPart | DriversPart, PowersStore);
        });
    for (int id : {cmd::RangeFailure, cmd::RangeFailureAlt})
        SetHandler(id, [this] { RunEditor<SetRanFailDialog>(RangeFailurePart, RanFailStore); });
    // Spare drivers stay in memory until Drivers.rk is next written.
    SetHandler(cmd::SpareDrivers, [this] { RunEditor<SpareDialog>(SparesPart, 0); });
}

void Application::RegisterInfoCommands() {
    // Their results mean nothing: both only show something and close.
    SetHandler(cmd::About, [this] {
        AboutDialog dialog(m_frame.get());
        dialog.exec();
    });
    SetHandler(cmd::WhatsNew, [this] {
        WhatsNewDialog dialog(m_frame.get());
        dialog.exec();
    });
}

void Application::ShowMainWindow() {
    if (const QScreen* screen = m_frame->screen()) {
        const QSize size = screen->size();
        m_frame->setGeometry(0, 0, size.width(), size.height() - 30);
    }
    m_frame->showMaximized();
    // Over the window, once it is up, rather than alone on an empty screen before it.
    QTimer::singleShot(0, this, [this] { ReportStartupProblems(); });
}

void Application::SetHandler(int id, std::function<void()> handler) {
    m_handlers[id] = std::move(handler);
    if (QAction* action = Action(id))
        action->setEnabled(true);
}

void Application::Command(int id) {
    if (m_contextHelpMode) {
        SetContextHelpMode(false);
        SyncViewChecks(); // the click may have toggled a view button
        ShowHelpTopic(id);
        return;
    }
    const auto it = m_handlers.find(id);
    if (it != m_handlers.end())
        it->second();
    SyncViewChecks();
}

void Application::SyncViewChecks() {
    const RosterView* client = Client();
    if (!client)
        return;
    const ViewFlags& views = client->Views();
    m_actions[cmd::ViewAll]->setChecked(views.ViewAll);
    m_actions[cmd::ViewTeams]->setChecked(views.ViewTeams);
    m_actions[cmd::ViewDrivers]->setChecked(views.ViewDrivers);
}

void Application::SetContextHelpMode(bool on) {
    if (on == m_contextHelpMode)
        return;
    m_contextHelpMode = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    else
        QApplication::restoreOverrideCursor();
}

HelpWindow& Application::HelpFor(QWidget* modal) {
    if (!m_help)
        m_help = new HelpWindow();
    // A modal form blocks every other window but its own: help asked for inside one belongs to
    // it while it is open, so that it can be scrolled and clicked.
    m_help->SetOwner(modal);
    return *m_help;
}

void Application::ShowHelpContents() {
    HelpFor(QApplication::activeModalWidget()).ShowContents();
}

void Application::ShowHelpTopic(int id) {
    HelpFor(QApplication::activeModalWidget()).ShowTopic(id);
}

void Application::ReportError(const std::string& error) {
    m_prompts.Message(m_frame.get(), QStringLiteral("RK7 Power"), QString::fromStdString(error),
                      Prompts::Icon::Warning);
}

bool Application::CanClose() {
    // Only cells that really differ from the store files are worth asking about: an import of
    // what the files already hold, or a form accepted unchanged, is no change.
    if (const unsigned unsaved = m_document.unsavedStores(); unsaved != 0) {
        const auto answer =
            m_prompts.AskSaveDiscardCancel(m_frame.get(), QStringLiteral("RK7 Power"),
                                           QStringLiteral("Save changes to the store files?"));
        if (answer == Prompts::Answer::Cancel)
            return false;
        // All the changed files together, so that a failure leaves none of them half-saved.
        if (answer == Prompts::Answer::Save && !SaveStoresReported(unsaved))
            return false;
    }
    if (m_options.preferencesPath.isEmpty()) {
        // Nowhere to keep it; the user was told at start-up.
    } else if (Status written =
                   WriteAutoMode(m_options.preferencesPath, m_document.state().AutoMode);
               !written) {
        ReportError(written.Error());
    }
    if (m_help)
        m_help->close();
    return true;
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
        // The key reaches the filter first on its way through the pop-up's window, before the
        // menu itself: ask which menu is open rather than who receives the key.
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (key->modifiers() & Qt::ShiftModifier) {
            SetContextHelpMode(true);
        } else if (menu && menu->activeAction() && menu->activeAction()->data().isValid()) {
            // F1 on a highlighted menu item: its topic, and the command is not run.
            const int id = menu->activeAction()->data().toInt();
            for (QWidget* popup = QApplication::activePopupWidget(); popup;
                 popup = QApplication::activePopupWidget())
                popup->close();
            ShowHelpTopic(id);
        } else {
            ShowHelpContents();
        }
        return true;
    }
    if (key->key() == Qt::Key_Escape && m_contextHelpMode) {
        SetContextHelpMode(false);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rk7
