#include "app/roster_folders.h"

#include "app/main_window.h"
#include "app/prompts.h"
#include "app/roster_document.h"
#include "app/startup_problems.h"
#include "app/store_saver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>

namespace rk7 {

namespace {

const QString RecentKey = QStringLiteral("RecentFolders");

QString StoreFileNames(unsigned stores) {
    QStringList names;
    for (StoreFile file : StoreFiles)
        if (stores & file)
            names << QString::fromLatin1(StoreFileName(file));
    return names.join(QStringLiteral(", "));
}

} // namespace

RosterFolders::RosterFolders(RosterDocument& document, StoreSaver& saver, MainWindow& window,
                             Prompts& prompts, QString settingsPath, QObject* parent)
    : QObject(parent), m_document(document), m_saver(saver), m_window(window), m_prompts(prompts),
      m_settingsPath(std::move(settingsPath)), m_label(new QLabel(&window)),
      m_recentMenu(new QMenu(QStringLiteral("Recent Roster Fol&ders"), &window)) {
    m_label->setObjectName(QStringLiteral("folderLabel"));
    m_label->setContentsMargins(6, 0, 6, 0);
    window.statusBar()->addPermanentWidget(m_label);

    m_recentMenu->setObjectName(QStringLiteral("menu:&File/Recent Roster Fol&ders"));
    QMenu* file = window.menu(QStringLiteral("&File"));
    file->insertMenu(window.action(Command::CompareFile), m_recentMenu);
    if (!m_settingsPath.isEmpty())
        m_recent = QSettings(m_settingsPath, QSettings::IniFormat).value(RecentKey).toStringList();
    fillRecentMenu();

    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    connect(&m_settle, &QTimer::timeout, this, &RosterFolders::checkStoreFiles);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    // A save may have made the folder or its first store files: watch them from then on.
    connect(&m_document, &RosterDocument::saved, this, &RosterFolders::watch);
    m_writeRecent.setSingleShot(true);
    m_writeRecent.setInterval(2000);
    connect(&m_writeRecent, &QTimer::timeout, this, &RosterFolders::writeRecent);
}

RosterFolders::~RosterFolders() {
    if (m_writeRecent.isActive())
        writeRecent();
}

void RosterFolders::writeRecent() {
    m_writeRecent.stop();
    if (!m_settingsPath.isEmpty())
        QSettings(m_settingsPath, QSettings::IniFormat).setValue(RecentKey, m_recent);
}

LoadStoreReport RosterFolders::load(const QString& folder) {
    m_folder = folder;
    m_saver.setFolder(folder);
    const LoadStoreReport report = m_document.load(QFile::encodeName(folder).toStdString());
    const QString shown = QDir::toNativeSeparators(folder);
    m_label->setText(m_label->fontMetrics().elidedText(shown, Qt::ElideMiddle, 420));
    m_label->setToolTip(QStringLiteral("Roster folder: %1").arg(shown));
    watch();
    remember(folder);
    return report;
}

bool RosterFolders::open(const QString& folder) {
    if (!m_saver.offerToSave())
        return false;
    const QStringList problems = StoreFolderProblems(folder, load(folder));
    if (!problems.isEmpty())
        m_prompts.message(&m_window, QStringLiteral("RK7 Power"),
                          problems.join(QStringLiteral("\n\n")), Prompts::Icon::Warning);
    m_window.statusBar()->showMessage(
        QStringLiteral("Opened the roster in %1").arg(QDir::toNativeSeparators(folder)), 5000);
    return true;
}

void RosterFolders::chooseFolder() {
    const QString folder =
        m_prompts.folderName(&m_window, QStringLiteral("Open Roster Folder"), m_folder);
    if (!folder.isEmpty())
        open(folder);
}

void RosterFolders::remember(const QString& folder) {
    if (!m_recent.isEmpty() && m_recent.first() == folder)
        return; // as it was: nothing to write
    m_recent.removeAll(folder);
    m_recent.prepend(folder);
    while (m_recent.size() > MaxRecent)
        m_recent.removeLast();
    m_writeRecent.start();
    fillRecentMenu();
}

void RosterFolders::fillRecentMenu() {
    m_recentMenu->clear();
    for (int i = 0; i < m_recent.size(); ++i) {
        const QString folder = m_recent[i];
        QAction* action = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(folder)));
        action->setStatusTip(QStringLiteral("Open the roster in %1").arg(folder));
        connect(action, &QAction::triggered, this, [this, folder] { open(folder); });
    }
    m_recentMenu->setEnabled(!m_recent.isEmpty());
}

void RosterFolders::watch() {
    // A store file replaced by a rename is no longer watched: watch the folder, and each store
    // file anew.
    if (const QStringList watched = m_watcher.files() + m_watcher.directories(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    QStringList paths;
    if (QFileInfo(m_folder).isDir())
        paths << m_folder;
    for (StoreFile file : StoreFiles) {
        const QString path = QDir(m_folder).filePath(QString::fromLatin1(StoreFileName(file)));
        if (QFileInfo::exists(path))
            paths << path;
    }
    if (!paths.isEmpty())
        m_watcher.addPaths(paths);
}

void RosterFolders::checkStoreFiles() {
    // Not under an open form or message: look again once it is closed.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_settle.start();
        return;
    }
    watch();
    const unsigned changed = m_document.changedOnDisk();
    if (changed == 0)
        return; // this program's own save, or nothing a store file holds
    const QString names = StoreFileNames(changed);
    if (m_document.unsavedStores() != 0 &&
        !m_prompts.askReload(&m_window, QStringLiteral("RK7 Power"),
                             QStringLiteral("Another program changed %1, and the roster has "
                                            "changes that no store file holds.\n\nReload the "
                                            "store files and lose your changes, or keep yours? "
                                            "Saving yours replaces the other program's.")
                                 .arg(names))) {
        m_document.keepOverDisk(changed);
        return;
    }
    m_document.load(QFile::encodeName(m_folder).toStdString());
    watch();
    m_window.statusBar()->showMessage(
        QStringLiteral("%1 changed on disk; the roster was read again.").arg(names), 10000);
}

} // namespace rk7
