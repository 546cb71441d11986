#include "app/roster_folders.h"

#include "app/main_window.h"
#include "app/store_saver.h"
#include "dialogs/prompts.h"
#include "document/roster_document.h"
#include "document/startup_problems.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>

namespace rk7 {

namespace {

const QString RecentKey = QStringLiteral("RecentFolders");

} // namespace

RosterFolders::RosterFolders(RosterDocument& document, StoreSaver& saver, MainWindow& window,
                             Prompts& prompts, QString settingsPath, QObject* parent)
    : QObject(parent), m_document(document), m_saver(saver), m_window(window), m_prompts(prompts),
      m_settingsPath(std::move(settingsPath)), m_label(new QLabel(&window)),
      m_recentMenu(new QMenu(tr("Recent Roster Fol&ders"), &window)) {
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

QString RosterFolders::folder() const {
    return QFile::decodeName(QByteArray::fromStdString(m_document.folder().path));
}

LoadStoreReport RosterFolders::load(const QString& folder) {
    const LoadStoreReport report = m_document.load(QFile::encodeName(folder).toStdString());
    // The folder as resolved once, whatever the spelling it was given in.
    const QString shown = QDir::toNativeSeparators(this->folder());
    m_label->setText(m_label->fontMetrics().elidedText(shown, Qt::ElideMiddle, 420));
    m_label->setToolTip(tr("Roster folder: %1").arg(shown));
    watch();
    if (QFileInfo(this->folder()).isDir())
        remember(this->folder());
    return report;
}

bool RosterFolders::open(const QString& folder) {
    if (!m_saver.offerToSave())
        return false;
    const QStringList problems = RosterFolderProblems(folder, load(folder));
    if (!problems.isEmpty())
        m_prompts.message(&m_window, QStringLiteral("RK7 Power"),
                          problems.join(QStringLiteral("\n\n")), Prompts::Icon::Warning);
    m_window.statusBar()->showMessage(
        tr("Opened the roster in %1").arg(QDir::toNativeSeparators(folder)), 5000);
    return true;
}

void RosterFolders::chooseFolder() {
    const QString folder =
        m_prompts.folderName(&m_window, tr("Open Roster Folder"), this->folder());
    if (!folder.isEmpty())
        open(folder);
}

void RosterFolders::saveAs() {
    const QString target =
        m_prompts.folderName(&m_window, tr("Save Roster As"), QFileInfo(folder()).path());
    if (target.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(target);
    if (ResolveRosterFolder(QFile::encodeName(target).toStdString()) == m_document.folder()) {
        m_prompts.message(&m_window, QStringLiteral("RK7 Power"),
                          tr("%1 is the roster folder already.").arg(shown),
                          Prompts::Icon::Information);
        return;
    }
    QStringList present;
    for (StoreFile file : StoreFiles)
        if (QFileInfo::exists(QDir(target).filePath(QString::fromLatin1(StoreFileName(file)))))
            present << QString::fromLatin1(StoreFileName(file));
    if (!present.isEmpty() &&
        !m_prompts.confirm(&m_window, QStringLiteral("RK7 Power"),
                           tr("%1 holds a roster already (%2). Replace it with this "
                              "roster?")
                               .arg(shown, present.join(QStringLiteral(", ")))))
        return;
    if (!QDir().mkpath(target)) {
        m_prompts.reportError(&m_window, shown + tr(": the folder cannot be created"));
        return;
    }
    if (const Status saved = m_document.saveCopy(QFile::encodeName(target).toStdString()); !saved) {
        m_prompts.reportError(&m_window, QString::fromStdString(saved.Error()));
        return;
    }
    const QStringList problems = RosterFolderProblems(target, load(target));
    if (!problems.isEmpty())
        m_prompts.message(&m_window, QStringLiteral("RK7 Power"),
                          problems.join(QStringLiteral("\n\n")), Prompts::Icon::Warning);
    m_window.statusBar()->showMessage(
        tr("The roster was saved in %1, the roster folder from now on").arg(shown), 5000);
}

void RosterFolders::showFolder() {
    const QString shown = QDir::toNativeSeparators(folder());
    if (!QFileInfo(folder()).isDir())
        m_prompts.message(&m_window, QStringLiteral("RK7 Power"),
                          tr("The roster folder %1 does not exist yet; it is made "
                             "when the roster is first saved.")
                              .arg(shown),
                          Prompts::Icon::Information);
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder())))
        m_prompts.reportError(&m_window, shown + tr(": no file manager could be started for it"));
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
        action->setStatusTip(tr("Open the roster in %1").arg(folder));
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
    const QString folder = this->folder();
    if (QFileInfo(folder).isDir())
        paths << folder;
    for (StoreFile file : StoreFiles) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(StoreFileName(file)));
        if (QFileInfo::exists(path))
            paths << path;
    }
    if (!paths.isEmpty())
        m_watcher.addPaths(paths);
}

void RosterFolders::checkStoreFiles() {
    // Not under an open form or message: look again once it is closed. A form's OK looks for
    // itself.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_settle.start();
        return;
    }
    watch();
    m_saver.takeDiskChanges();
    watch();
}

} // namespace rk7
