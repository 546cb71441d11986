#pragma once

#include "app/help_window.h"
#include "app/prompts.h"
#include "app/roster_document.h"
#include "exchange/dialect.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/store.h"

#include <functional>
#include <map>
#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QPrinter;

namespace rk7 {

struct EditorContext;
class HelpWindow;
class PrintPreviewWindow;
class RosterPrintout;
class RosterView;
class MainWindow;

// Names the program to Qt and the desktop. It sets no display name: the window system would add
// that to every window title, and each window's title is its caption alone.
void SetProgramIdentity();

// The application: owns the roster and the program-wide state, builds the main window, and runs
// every command of the menu and the tool bar.
class Application : public QObject {
    Q_OBJECT

public:
    struct Options {
        QString programDir;      // where the store files live
        QString preferencesPath; // RK7_Power.ini
    };

    Application(Options options, Prompts& prompts);
    ~Application() override;

    // Builds the main window, loads the store files, reads the edit mode, starts the timer.
    void InitMainWindow();
    // Shows the main window maximized; restored, it covers the screen less 30 pixels of height.
    // Then reports what start-up found wrong.
    void ShowMainWindow();
    // Reports, in one message, what start-up found wrong with the store folder, its files and the
    // preferences; nothing when all was well, or when it was reported already.
    void ReportStartupProblems();

    RosterDocument& Document() { return m_document; }
    const Roster& TheRoster() const { return m_document.roster(); }
    const ProgramState& State() const { return m_document.state(); }
    MainWindow* Frame() const { return m_frame.get(); }
    RosterView* Client() const;
    QAction* Action(int id) const;
    HelpWindow* Help() const { return m_help; }

    // Runs a command as the menu and tool bar do; in context-help mode shows its topic instead.
    void Command(int id);
    // Gives a command its handler; a command without one stays disabled.
    void SetHandler(int id, std::function<void()> handler);

    // Performance Files, from the file dialogs.
    void SavePerformanceFile(Dialect dialect);
    void OpenPerformanceFile(Dialect dialect);
    // The last paths the save dialogs chose, and the folder the open dialog starts in.
    const FileDialogSettings& SaveDialogSettings(Dialect dialect) const;
    const FileDialogSettings& OpenDialogSettings() const { return m_openDialogSettings; }

    // Printing: the current view on one page.
    void Print();
    void PrintSetup();
    void PrintPreview();
    // The printer, made on first use and made again when the system's default printer changes.
    QPrinter& Printer();
    int PrintCount() const { return m_printCount; }
    PrintPreviewWindow* Preview() const { return m_preview.get(); }

    bool ContextHelpMode() const { return m_contextHelpMode; }
    void SetContextHelpMode(bool on);
    void ShowHelpContents();
    void ShowHelpTopic(int id);

    // Reports a failed file operation to the user.
    void ReportError(const std::string& error);

    // The context the editors work in.
    // The context a form works in, on its working copy of the roster.
    struct EditorContext MakeEditorContext(Roster& working);
    // Saves a set of store files together; a failure is reported and their changes stay
    // pending. A store folder that does not exist is offered to be created first.
    bool SaveStoresReported(unsigned stores);

    // The close sequence: offers to save roster changes that no store file has yet, then writes
    // the edit mode to the preferences. False keeps the program running.
    bool CanClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void RegisterEditorCommands();
    void InitFileCommands();
    void InitPrintCommands();
    void RegisterInfoCommands();
    // Runs an editor modally; after OK, repaints and saves the editor's store file.
    // Runs a form modally on a copy of the roster; after OK the roster takes the parts the form
    // edits (RosterPart bits), and the store files given are saved.
    template <typename Dialog>
    void RunEditor(unsigned parts, unsigned stores);
    void SyncViewChecks();
    // Notes what start-up found wrong with the store folder, its files and the preferences.
    void CollectStartupProblems(const LoadStoreReport& report);
    // True when the store folder exists, or the user agreed to have it made and it was.
    bool MakeStoreFolder();
    // The help window, made on first use and handed to the modal form that is open, if any.
    HelpWindow& HelpFor(QWidget* modal);

    Options m_options;
    Prompts& m_prompts;
    RosterDocument m_document;
    QStringList m_startupProblems;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    std::unique_ptr<MainWindow> m_frame;
    QPointer<HelpWindow> m_help;
    bool m_contextHelpMode = false;

    FileDialogSettings m_openDialogSettings;
    FileDialogSettings m_nativeSaveSettings;
    FileDialogSettings m_exchangeSaveSettings;

    std::unique_ptr<QPrinter> m_printer;
    QString m_printerDefault; // the system's default printer when m_printer was made
    int m_printCount = 0;
    std::unique_ptr<RosterPrintout> m_previewPrintout;
    std::unique_ptr<PrintPreviewWindow> m_preview;
};

} // namespace rk7
