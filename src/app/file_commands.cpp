// The Performance File commands of the application.
#include "app/application.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "exchange/performance_file.h"

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

void Application::InitFileCommands() {
    m_nativeSaveSettings = SaveSettings();
    m_exchangeSaveSettings = SaveSettings();
    m_openDialogSettings.filter = QStringLiteral("All Files (*)");
    m_openDialogSettings.defaultSuffix = QStringLiteral("txt");
    m_openDialogSettings.mustExist = true;
    SetHandler(cmd::SaveNativeFile, [this] { SavePerformanceFile(Dialect::Native); });
    SetHandler(cmd::SaveExchangeFile, [this] { SavePerformanceFile(Dialect::Exchange); });
    SetHandler(cmd::OpenNativeFile, [this] { OpenPerformanceFile(Dialect::Native); });
    SetHandler(cmd::OpenExchangeFile, [this] { OpenPerformanceFile(Dialect::Exchange); });
}

const FileDialogSettings& Application::SaveDialogSettings(Dialect dialect) const {
    return dialect == Dialect::Native ? m_nativeSaveSettings : m_exchangeSaveSettings;
}

void Application::SavePerformanceFile(Dialect dialect) {
    FileDialogSettings& settings =
        dialect == Dialect::Native ? m_nativeSaveSettings : m_exchangeSaveSettings;
    settings.folder = QDir::currentPath();
    const QString path = m_prompts.SaveFileName(m_frame.get(), settings);
    if (path.isEmpty())
        return;
    settings.fileName = path;
    if (Status written = WritePerformanceFile(m_document.roster(), dialect,
                                              QFile::encodeName(path).toStdString());
        !written)
        ReportError(written.Error());
}

void Application::OpenPerformanceFile(Dialect dialect) {
    m_openDialogSettings.fileName.clear();
    if (m_openDialogSettings.folder.isEmpty())
        m_openDialogSettings.folder = QDir::currentPath();
    const QString path = m_prompts.OpenFileName(m_frame.get(), m_openDialogSettings);
    if (path.isEmpty())
        return;
    m_openDialogSettings.folder = QFileInfo(path).absolutePath();

    const PerformanceReadResult result =
        m_document.import(QFile::encodeName(path).toStdString(), dialect);
    switch (result.outcome) {
    case ReadOutcome::NotPerformanceFile:
        // Shown as it always was: captioned "Error", no icon, no owner window.
        m_prompts.Message(nullptr, QStringLiteral("Error"),
                          QString::fromLatin1(result.status.Error()), Prompts::Icon::None);
        return;
    case ReadOutcome::Unreadable:
        ReportError(result.status.Error());
        return;
    case ReadOutcome::Read:
        break;
    }
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
    m_prompts.Message(m_frame.get(), QStringLiteral("RK7 Power"), text, Prompts::Icon::Information);
}

} // namespace rk7
