#pragma once

#include "app/command.h"
#include "app/context_help.h"
#include "app/edit_commands.h"
#include "app/file_commands.h"
#include "app/form_commands.h"
#include "app/print_controller.h"
#include "app/roster_folders.h"
#include "app/store_saver.h"
#include "app/view_commands.h"
#include "document/roster_document.h"
#include "painter/table_fonts.h"

#include <memory>
#include <optional>

#include <QObject>
#include <QString>
#include <QStringList>

namespace rk7 {

class MainWindow;
class Prompts;
class RosterView;

// Names the program to Qt and the desktop. It sets no display name: the window system would add
// that to every window title, and each window's title is its caption alone.
void SetProgramIdentity();

// What the command line's one argument names: a roster folder (as today, also one that does not
// exist yet, which the first save makes), or a Performance File to compare with the roster of
// the folder the program starts on. Anything else (a pipe, a device) is an error, said in words.
struct StartArgument {
    QString folder; // empty: the folder the program starts on anyway
    QString file;   // a Performance File to compare once the window is up
    QString error;
};
StartArgument ClassifyStartArgument(const QString& argument);

// The program put together: the roster document, the main window, and what runs its commands.
class Application : public QObject {
    Q_OBJECT

public:
    struct Options {
        Options(QString rosterFolder, QString preferencesPath, QString settingsPath = {},
                QString tableFontsPath = {}, QString startFramePath = {})
            : rosterFolder(std::move(rosterFolder)), preferencesPath(std::move(preferencesPath)),
              settingsPath(std::move(settingsPath)), tableFontsPath(std::move(tableFontsPath)),
              startFramePath(std::move(startFramePath)) {}

        QString rosterFolder;    // the roster folder to start on, as the user named it
        QString preferencesPath; // RK7_Power.ini
        QString settingsPath;    // the program's own settings; empty keeps none
        QString tableFontsPath;  // the table fonts fitted at an earlier start; empty keeps none
        QString startFramePath;  // the view's start frame of an earlier run; empty keeps none
    };

    Application(Options options, Prompts& prompts);
    ~Application() override;

    // Builds the main window, loads the store files and reads the edit mode.
    void initMainWindow();
    // Shows the main window maximized; restored, it covers the screen less 30 pixels of height.
    // Then reports what start-up found wrong.
    void showMainWindow();
    // Reports, in one message, what start-up found wrong; nothing when all was well, or when it
    // was reported already.
    void reportStartupProblems();
    // Once the window is up, the compare dialog for the Performance File at path.
    void compareWhenShown(const QString& path) { m_compareAtStart = path; }

    RosterDocument& document() { return m_document; }
    MainWindow* mainWindow() const { return m_window.get(); }
    RosterView* view() const;
    ContextHelp& help() { return m_help; }
    FileCommands& files() { return *m_files; }
    FormCommands& forms() { return *m_forms; }
    EditCommands& edits() { return *m_edits; }
    ViewCommands& views() { return *m_views; }
    PrintController& printing() { return *m_printing; }
    RosterFolders& folders() { return *m_folders; }

    // Runs a command as its menu item and tool button do.
    void trigger(Command command);

    // The close sequence: offers to save roster changes that no store file has yet, then writes
    // the edit mode to the preferences. False keeps the program running.
    bool canClose();

private:
    void connectCommands();
    // Once the window is up: fits the table fonts when the first frame used fonts kept from an
    // earlier start, repaints when the fit differs, and keeps the fit for the next start.
    void confirmTableFonts();
    // Keeps the start frame of the roster as it is now for the next start, when it is not kept
    // already. Once the window is up, a kept frame the view showed that painting no longer gives
    // (the system renders the fonts otherwise now) is painted over.
    void keepStartFrame();

    Options m_options;
    Prompts& m_prompts;
    RosterDocument m_document;
    ContextHelp m_help;
    StoreSaver m_saver;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<FormCommands> m_forms;
    std::unique_ptr<EditCommands> m_edits;
    std::unique_ptr<ViewCommands> m_views;
    std::unique_ptr<PrintController> m_printing;
    std::unique_ptr<RosterFolders> m_folders;
    QStringList m_startupProblems;
    QString m_compareAtStart;
    std::optional<ViewFonts> m_keptFonts; // what the first frame was painted in, when kept
    QByteArray m_keptFrame;               // the start frame's file as last read or written
};

} // namespace rk7
