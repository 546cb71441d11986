#include "app/store_saver.h"

#include "dialogs/prompts.h"
#include "document/roster_document.h"
#include "document/startup_problems.h"
#include "model/folder_transaction.h"
#include "model/roster_diff.h"
#include "painter/cell_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>

namespace rk7 {

namespace {

QString StoreFileNames(StoreFileSet stores) {
    QStringList names;
    for (StoreFile file : StoreFiles)
        if (stores & file)
            names << QString::fromLatin1(StoreFileName(file));
    return names.join(QStringLiteral(", "));
}

// The conflicting cells, one line each: "team 3 (Benetton) TeamName: theirs "x", yours "y"".
QString ConflictList(const std::vector<CellDifference>& conflicts) {
    QStringList lines;
    for (const CellDifference& c : conflicts)
        lines << QCoreApplication::translate("rk7::StoreSaver",
                                             "%1 %2: theirs \"%3\", yours \"%4\"")
                     .arg(CellToQString(RowLabel(c)), CellToQString(c.fieldName),
                          CellToQString(c.now), CellToQString(c.other));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString StoreSaver::folder() const {
    return QFile::decodeName(QByteArray::fromStdString(m_document.folder().path));
}

bool StoreSaver::makeFolder() {
    if (QFileInfo(folder()).isDir())
        return true;
    if (!m_prompts.confirm(m_window, QStringLiteral("RK7 Power"),
                           QCoreApplication::translate(
                               "rk7::StoreSaver", "The roster folder %1 does not exist. Create it "
                                                  "and save the roster there?")
                               .arg(folder())))
        return false;
    if (QDir().mkpath(folder()))
        return true;
    m_prompts.reportError(m_window,
                          folder() + QCoreApplication::translate("rk7::StoreSaver",
                                                                 ": the folder cannot be created"));
    return false;
}

bool StoreSaver::lockFolder(FolderLock& lock) {
    const std::string path = m_document.folder().path;
    if (!QFileInfo(folder()).isDir())
        return true; // nothing there yet to lock, or to lose
    bool busy = false;
    Status locked = FolderLock::TryAcquire(path, lock, busy);
    if (!locked && busy &&
        !m_prompts.waitUntil(m_window,
                             QCoreApplication::translate(
                                 "rk7::StoreSaver", "Another program is saving into the roster "
                                                    "folder %1. Waiting for it to finish…")
                                 .arg(QDir::toNativeSeparators(folder())),
                             [&] {
                                 locked = FolderLock::TryAcquire(path, lock, busy);
                                 return locked.IsOk() || !busy;
                             }))
        return false; // the user gave up waiting: nothing happened
    if (!locked) {
        m_prompts.reportError(m_window, QString::fromStdString(locked.Error()));
        return false;
    }
    return true;
}

void StoreSaver::takeDiskChanges() {
    const StoreFileSet changed = m_document.changedOnDisk();
    if (!changed)
        return; // this program's own save, or nothing a store file holds
    const QString names = StoreFileNames(changed);
    if (m_document.unsavedStores() &&
        !m_prompts.askReload(
            m_window, QStringLiteral("RK7 Power"),
            QCoreApplication::translate(
                "rk7::StoreSaver",
                "Another program changed %1, and the roster has changes that no store file "
                "holds.\n\nReload the store files and lose your changes, or keep yours? "
                "Saving yours replaces the other program's.")
                .arg(names))) {
        m_document.keepOverDisk(changed);
        return;
    }
    const LoadStoreReport report = m_document.reload();
    // Reported as at start-up: a file damaged from outside must not go by unnoticed.
    if (const QStringList problems = RosterFolderProblems(folder(), report); !problems.isEmpty())
        m_prompts.message(m_window, QStringLiteral("RK7 Power"),
                          problems.join(QStringLiteral("\n\n")), Prompts::Icon::Warning);
    if (auto* window = qobject_cast<QMainWindow*>(m_window))
        window->statusBar()->showMessage(
            QCoreApplication::translate("rk7::StoreSaver",
                                        "%1 changed on disk; the roster was read again.")
                .arg(names),
            10000);
}

bool StoreSaver::save(StoreFileSet stores) {
    if (!makeFolder())
        return false;
    FolderLock lock;
    if (!lockFolder(lock))
        return false;
    // Nothing is written over another program's change that the user has not seen.
    takeDiskChanges();
    const Status saved = m_document.save(stores);
    if (!saved)
        m_prompts.reportError(m_window, QString::fromStdString(saved.Error()));
    return saved.IsOk();
}

bool StoreSaver::commitEdit(const Roster& base, const Roster& edited, RosterPartSet parts,
                            StoreFileSet stores, const QString& name) {
    FolderLock lock;
    if (!lockFolder(lock))
        return false;
    takeDiskChanges();
    bool keepMine = true;
    if (const std::vector<CellDifference> conflicts =
            m_document.applyEdit(base, edited, parts, name, true, true);
        !conflicts.empty()) {
        // Not under the lock: the other program may go on while the user decides.
        lock.Release();
        const Prompts::Keep keep = m_prompts.askKeepMine(
            m_window, QStringLiteral("RK7 Power"),
            QCoreApplication::translate(
                "rk7::StoreSaver",
                "While the form was open, another program changed %1 %2 that you changed too. "
                "Keep your texts or theirs? Cancel goes back to the form.")
                .arg(conflicts.size())
                .arg(conflicts.size() == 1
                         ? QCoreApplication::translate("rk7::StoreSaver", "cell")
                         : QCoreApplication::translate("rk7::StoreSaver", "cells")),
            ConflictList(conflicts));
        if (keep == Prompts::Keep::Cancel)
            return false;
        keepMine = keep == Prompts::Keep::Mine;
        if (!lockFolder(lock))
            return false;
        takeDiskChanges();
    }
    (void)m_document.applyEdit(base, edited, parts, name, keepMine);
    if (stores)
        save(stores); // a failure is reported; the edit stays in the roster, unsaved
    return true;
}

bool StoreSaver::offerToSave() {
    // Only cells that really differ from the store files are worth asking about: an import of
    // what the files already hold, or a form accepted unchanged, is no change.
    const StoreFileSet unsaved = m_document.unsavedStores();
    if (!unsaved)
        return true;
    const auto answer = m_prompts.askSaveDiscardCancel(
        m_window, QStringLiteral("RK7 Power"),
        QCoreApplication::translate("rk7::StoreSaver", "Save changes to the store files?"));
    if (answer == Prompts::Answer::Cancel)
        return false;
    // All the changed files together, so that a failure leaves none of them half-saved.
    return answer == Prompts::Answer::Discard || save(unsaved);
}

} // namespace rk7
