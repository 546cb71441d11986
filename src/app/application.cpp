#include "app/application.h"

#include "app/after_first_paint.h"
#include "app/main_window.h"
#include "document/preferences.h"
#include "document/startup_problems.h"
#include "info/about_dialog.h"
#include "info/whats_new_dialog.h"
#include "model/roster_parts.h"
#include "version.h"
#include "views/roster_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

StartArgument ClassifyStartArgument(const QString& argument) {
    const QFileInfo given(argument);
    if (given.isDir() || !given.exists())
        return {given.absoluteFilePath(), {}, {}};
    if (given.isFile())
        return {{}, given.absoluteFilePath(), {}};
    return {{},
            {},
            QStringLiteral("%1 is neither a roster folder nor a Performance File")
                .arg(QDir::toNativeSeparators(argument))};
}

Application::Application(Options options, Prompts& prompts)
    : m_options(std::move(options)), m_prompts(prompts), m_saver(m_document, m_prompts) {
    InitResources();
}

Application::~Application() = default;

RosterView* Application::view() const {
    return m_window ? m_window->view() : nullptr;
}

void Application::initMainWindow() {
    if (!m_options.tableFontsPath.isEmpty()) {
        m_keptFonts = ReadTableFonts(QFile::encodeName(m_options.tableFontsPath).toStdString());
        if (m_keptFonts)
            UseTableFonts(*m_keptFonts);
    }
    auto* view = new RosterView(m_document.roster());
    new AfterFirstPaint(view, [this] {
        if (!m_options.tableFontsPath.isEmpty())
            confirmTableFonts();
        keepStartFrame();
    });
    // Whatever changes the roster, the view shows it at once.
    connect(&m_document, &RosterDocument::changed, view, &RosterView::rosterChanged);
    m_window = std::make_unique<MainWindow>(view, m_help);
    m_window->setCloseQuery([this] { return canClose(); });
    m_saver.setWindow(m_window.get());
    m_files = std::make_unique<FileCommands>(m_document, m_prompts, m_window.get());
    m_forms = std::make_unique<FormCommands>(m_document, m_saver, m_window.get());
    m_printing = std::make_unique<PrintController>(m_document, *m_window, m_prompts);
    connectCommands();
    m_edits = std::make_unique<EditCommands>(m_document, m_saver, *m_window, m_prompts);
    m_views = std::make_unique<ViewCommands>(m_document, *m_window, m_options.settingsPath);

    m_folders = std::make_unique<RosterFolders>(m_document, m_saver, *m_window, m_prompts,
                                                m_options.settingsPath);
    m_window->connectCommand(Command::OpenRosterFolder, m_folders.get(),
                             &RosterFolders::chooseFolder);
    m_window->connectCommand(Command::SaveRosterAs, m_folders.get(), &RosterFolders::saveAs);
    m_window->connectCommand(Command::ShowRosterFolder, m_folders.get(),
                             &RosterFolders::showFolder);
    const LoadStoreReport report = m_folders->load(m_options.rosterFolder);
    m_startupProblems = StartupProblems(m_folders->folder(), m_options.preferencesPath, report);
    m_document.setAutoMode(!m_options.preferencesPath.isEmpty() &&
                           ReadAutoMode(m_options.preferencesPath));
    // The view draws it only for the roster, views and size its key names.
    if (!m_options.startFramePath.isEmpty())
        if (std::optional<ViewSnapshot> kept =
                ReadViewSnapshot(QFile::encodeName(m_options.startFramePath).toStdString())) {
            m_keptFrame = kept->bytes();
            view->useKeptFrame(std::move(*kept));
        }
}

void Application::connectCommands() {
    MainWindow& w = *m_window;
    using enum Command;
    FileCommands* files = m_files.get();
    w.connectCommand(CompareFile, files, &FileCommands::compareWithPerformanceFile);
    connect(&w, &MainWindow::fileDropped, files, &FileCommands::compareFile);
    w.connectCommand(OpenExchangeFile, files,
                     [files] { files->openPerformanceFile(Dialect::Exchange); });
    w.connectCommand(OpenNativeFile, files,
                     [files] { files->openPerformanceFile(Dialect::Native); });
    w.connectCommand(SaveExchangeFile, files,
                     [files] { files->savePerformanceFile(Dialect::Exchange); });
    w.connectCommand(SaveNativeFile, files,
                     [files] { files->savePerformanceFile(Dialect::Native); });
    // Printing into a PDF file is always possible, so these are always enabled.
    w.connectCommand(Print, m_printing.get(), &PrintController::print);
    w.connectCommand(PrintSetup, m_printing.get(), &PrintController::printSetup);
    w.connectCommand(PrintPreview, m_printing.get(), &PrintController::printPreview);
    w.connectCommand(Exit, &w, &MainWindow::close);
    w.connectCommand(EditTeams, m_forms.get(), &FormCommands::editTeams);
    w.connectCommand(MainDrivers, m_forms.get(), &FormCommands::editMainDrivers);
    w.connectCommand(SpareDrivers, m_forms.get(), &FormCommands::editSpareDrivers);
    w.connectCommand(EditPowers, m_forms.get(), &FormCommands::editPowers);
    w.connectCommand(RangeFailure, m_forms.get(), &FormCommands::editRangeFailure);
    connect(w.view(), &RosterView::editFieldRequested, m_forms.get(), &FormCommands::editField);
    w.connectCommand(HelpContents, &m_help, &ContextHelp::showContents);
    // Their results mean nothing: both only show something and close.
    w.connectCommand(WhatsNew, &w, [&w] { WhatsNewDialog(&w).exec(); });
    w.connectCommand(About, &w, [&w] { AboutDialog(&w).exec(); });
}

void Application::showMainWindow() {
    if (const QScreen* screen = m_window->screen()) {
        const QSize size = screen->size();
        m_window->setGeometry(0, 0, size.width(), size.height() - 30);
    }
    m_window->showMaximized();
    // Over the window, once it is up, rather than alone on an empty screen before it.
    QTimer::singleShot(0, this, [this] {
        reportStartupProblems();
        if (!m_compareAtStart.isEmpty())
            m_files->compareFile(std::exchange(m_compareAtStart, {}));
    });
}

void Application::confirmTableFonts() {
    if (m_keptFonts) {
        const ViewFonts fitted = FitTableFonts();
        if (fitted == *m_keptFonts)
            return;
        // Fonts installed or removed since: the kept fit gave way to the right one.
        UseTableFonts(fitted);
        view()->update();
    }
    const std::string path = QFile::encodeName(m_options.tableFontsPath).toStdString();
    // Only a cache: without it the next start fits the fonts again, as this one did.
    if (const Status kept = WriteTableFonts(path, TableFonts()); !kept)
        qWarning("rk7power: the table fonts cannot be kept: %s", kept.Error().c_str());
}

void Application::keepStartFrame() {
    if (m_options.startFramePath.isEmpty() || !view()->isVisible())
        return;
    const std::optional<ViewSnapshot> frame = view()->startFrame();
    if (!frame || frame->bytes() == m_keptFrame)
        return;
    if (view()->keptFrameShown())
        view()->update();
    m_keptFrame = frame->bytes();
    const std::string path = QFile::encodeName(m_options.startFramePath).toStdString();
    // Only a cache: without it the next start paints its first frame, as this one did.
    if (const Status kept = WriteViewSnapshot(path, *frame); !kept)
        qWarning("rk7power: the start frame cannot be kept: %s", kept.Error().c_str());
}

void Application::reportStartupProblems() {
    if (m_startupProblems.isEmpty())
        return;
    const QString text = m_startupProblems.join(QStringLiteral("\n\n"));
    m_startupProblems.clear();
    m_prompts.message(m_window.get(), QStringLiteral("RK7 Power"), text, Prompts::Icon::Warning);
}

void Application::trigger(Command command) {
    m_window->action(command)->trigger();
}

bool Application::canClose() {
    if (!m_saver.offerToSave())
        return false;
    if (!m_options.preferencesPath.isEmpty()) // else nowhere to keep it; the user was told
        if (Status written = WriteAutoMode(m_options.preferencesPath, m_document.autoMode());
            !written)
            m_prompts.reportError(m_window.get(), QString::fromStdString(written.Error()));
    m_help.closeWindow();
    keepStartFrame();
    return true;
}

} // namespace rk7
