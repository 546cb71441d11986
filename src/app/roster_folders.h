#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QLabel;
class QMenu;

namespace rk7 {

class MainWindow;
class Prompts;
class RosterDocument;
class StoreSaver;
struct LoadStoreReport;

// Where the roster lives: the folder shown in the status bar, File > Open Roster Folder and the
// recent folders, and a watch on the store files, so that a change another program makes is
// picked up.
class RosterFolders : public QObject {
    Q_OBJECT

public:
    // settingsPath keeps the recent folders; empty keeps them only while the program runs.
    RosterFolders(RosterDocument& document, StoreSaver& saver, MainWindow& window, Prompts& prompts,
                  QString settingsPath, QObject* parent = nullptr);
    ~RosterFolders() override;

    // The roster folder, as the document resolved it.
    QString folder() const;
    // Most recent first, at most MaxRecent.
    const QStringList& recent() const { return m_recent; }
    static constexpr int MaxRecent = 5;

    // Reads the roster of folder and watches it; the undo history starts afresh.
    LoadStoreReport load(const QString& folder);
    // Opens the roster of another folder, as the user asked: changes that no store file holds
    // are offered to be saved first. False when the user cancelled or the save failed.
    bool open(const QString& folder);
    // File > Open Roster Folder...
    void chooseFolder();
    // File > Save Roster As...: the roster into another folder, all four store files together
    // (a folder that holds a roster already is asked about first), and on from there.
    void saveAs();
    // File > Show Roster Folder: the folder in the desktop's file manager.
    void showFolder();
    // Looks at the store files now rather than when the watcher next reports.
    void checkStoreFiles();

private:
    void remember(const QString& folder);
    void writeRecent();
    void fillRecentMenu();
    void watch();

    RosterDocument& m_document;
    StoreSaver& m_saver;
    MainWindow& m_window;
    Prompts& m_prompts;
    QString m_settingsPath;
    QStringList m_recent;
    QLabel* m_label;
    QMenu* m_recentMenu;
    QFileSystemWatcher m_watcher;
    // A save by another program touches the folder several times; look once it has settled.
    QTimer m_settle;
    // The recent folders are written a moment after they change, not on the way to the first
    // paint; at the latest when the program ends.
    QTimer m_writeRecent;
};

} // namespace rk7
