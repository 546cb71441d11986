#include "app/file_commands.h"

#include "app/compare_dialog.h"
#include "app/roster_document.h"
#include "exchange/performance_file.h"
#include "model/roster_diff.h"
#include "model/roster_parts.h"

#include <QDir>
#include <QFileInfo>

namespace rk7 {

namespace {

FileDialogSettings SaveSettings() {
    FileDialogSettings settings;
    settings.title = QStringLiteral("Select File");
    settings.filter = QStringLiteral("TEXT Files (*.txt)");
    settings.defaultSuffix = QStringLiteral("txt");
    settings.confirmOverwrite = true;
    return settings;
}

// How many diagnostics one message lists before it sums up the rest.
constexpr std::size_t MaxListedDiagnostics = 30;

} // namespace

FileCommands::FileCommands(RosterDocument& document, Prompts& prompts, QWidget* window,
                           QObject* parent)
    : QObject(parent), m_document(document), m_prompts(prompts), m_window(window),
      m_nativeSaveSettings(SaveSettings()), m_exchangeSaveSettings(SaveSettings()) {
    m_openSettings.filter = QStringLiteral("All Files (*)");
    m_openSettings.defaultSuffix = QStringLiteral("txt");
    m_openSettings.mustExist = true;
}

const FileDialogSettings& FileCommands::saveDialogSettings(Dialect dialect) const {
    return dialect == Dialect::Native ? m_nativeSaveSettings : m_exchangeSaveSettings;
}

void FileCommands::savePerformanceFile(Dialect dialect) {
    FileDialogSettings& settings =
        dialect == Dialect::Native ? m_nativeSaveSettings : m_exchangeSaveSettings;
    settings.folder = QDir::currentPath();
    const QString path = m_prompts.saveFileName(m_window, settings);
    if (path.isEmpty())
        return;
    settings.fileName = path;
    if (Status written = WritePerformanceFile(m_document.roster(), dialect,
                                              QFile::encodeName(path).toStdString());
        !written)
        m_prompts.reportError(m_window, QString::fromStdString(written.Error()));
}

QString FileCommands::choosePerformanceFile() {
    m_openSettings.fileName.clear();
    if (m_openSettings.folder.isEmpty())
        m_openSettings.folder = QDir::currentPath();
    const QString path = m_prompts.openFileName(m_window, m_openSettings);
    if (!path.isEmpty())
        m_openSettings.folder = QFileInfo(path).absolutePath();
    return path;
}

bool FileCommands::reportRead(const PerformanceReadResult& result) {
    switch (result.outcome) {
    case ReadOutcome::NotPerformanceFile:
        // Shown as it always was: captioned "Error", no icon, no owner window.
        m_prompts.message(nullptr, QStringLiteral("Error"),
                          QString::fromLatin1(result.status.Error()), Prompts::Icon::None);
        return false;
    case ReadOutcome::Unreadable:
        m_prompts.reportError(m_window, QString::fromStdString(result.status.Error()));
        return false;
    case ReadOutcome::Read:
        break;
    }
    return true;
}

void FileCommands::reportDiagnostics(const QString& path, const PerformanceReadResult& result) {
    if (result.diagnostics.empty())
        return;
    QString text = QStringLiteral("%1 was read, but some values were not taken as they stood:\n")
                       .arg(QFileInfo(path).fileName());
    std::size_t listed = 0;
    for (const Diagnostic& d : result.diagnostics) {
        if (++listed > MaxListedDiagnostics) {
            text += QStringLiteral("\n... and %1 more.")
                        .arg(result.diagnostics.size() - MaxListedDiagnostics);
            break;
        }
        text += QStringLiteral("\nLine %1: %2").arg(d.line).arg(QString::fromStdString(d.message));
    }
    m_prompts.message(m_window, QStringLiteral("RK7 Power"), text, Prompts::Icon::Information);
}

void FileCommands::openPerformanceFile(Dialect dialect) {
    const QString path = choosePerformanceFile();
    if (path.isEmpty())
        return;
    const PerformanceReadResult result =
        m_document.import(QFile::encodeName(path).toStdString(), dialect,
                          QStringLiteral("Open %1").arg(QFileInfo(path).fileName()));
    if (reportRead(result))
        reportDiagnostics(path, result);
}

void FileCommands::compareWithPerformanceFile() {
    if (const QString path = choosePerformanceFile(); !path.isEmpty())
        compareFile(path);
}

void FileCommands::compareFile(const QString& path) {
    // Read over a copy, as an import would, in the dialect its banner names.
    Roster read = m_document.roster();
    const PerformanceReadResult result =
        ReadPerformanceFile(QFile::encodeName(path).toStdString(), read);
    if (!reportRead(result))
        return;
    const QString name = QFileInfo(path).fileName();
    CompareDialog dialog(DiffRosters(m_document.roster(), read), result.diagnostics, name,
                         m_window);
    if (dialog.exec() == QDialog::Accepted && result.touched)
        m_document.apply(read, PartsOf(result.touched), QStringLiteral("Open %1").arg(name));
}

} // namespace rk7
