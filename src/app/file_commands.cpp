#include "app/file_commands.h"

#include "dialogs/compare_dialog.h"
#include "document/roster_document.h"
#include "exchange/performance_file.h"
#include "model/roster_diff.h"
#include "model/roster_parts.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace rk7 {

namespace {

FileDialogSettings SaveSettings() {
    FileDialogSettings settings;
    settings.title = QCoreApplication::translate("rk7::FileCommands", "Select File");
    settings.filter = QCoreApplication::translate("rk7::FileCommands", "TEXT Files (*.txt)");
    settings.defaultSuffix = QStringLiteral("txt");
    settings.confirmOverwrite = true;
    return settings;
}

// How many diagnostics one message lists before it sums up the rest.
constexpr std::size_t MaxListedDiagnostics = 30;

// The reader's one notice: the file looks like UTF-8 but was read as Windows-1252. The commands
// offer to read it as UTF-8 instead.
bool LooksLikeUtf8(const PerformanceReadResult& result) {
    return std::any_of(result.diagnostics.begin(), result.diagnostics.end(),
                       [](const Diagnostic& d) { return d.notice; });
}

} // namespace

FileCommands::FileCommands(RosterDocument& document, Prompts& prompts, QWidget* window,
                           QObject* parent)
    : QObject(parent), m_document(document), m_prompts(prompts), m_window(window),
      m_nativeSaveSettings(SaveSettings()), m_exchangeSaveSettings(SaveSettings()) {
    m_openSettings.filter = tr("All Files (*)");
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

QString FileCommands::choosePerformanceFile(const QString& title) {
    m_openSettings.title = title;
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
        m_prompts.message(nullptr, tr("Error"), QString::fromLatin1(result.status.Error()),
                          Prompts::Icon::None);
        return false;
    case ReadOutcome::Unreadable:
        m_prompts.reportError(m_window, QString::fromStdString(result.status.Error()));
        return false;
    case ReadOutcome::Read:
        break;
    }
    return true;
}

PerformanceReadResult FileCommands::readOverCopy(const QString& path,
                                                 std::optional<Dialect> dialect,
                                                 TextEncoding encoding, Roster& read) const {
    read = m_document.roster();
    return ReadPerformanceFile(QFile::encodeName(path).toStdString(), read, dialect, encoding);
}

void FileCommands::reportDiagnostics(const QString& path, const PerformanceReadResult& result) {
    // The notice that the file looks like UTF-8 was asked about before the import: no news now.
    std::vector<const Diagnostic*> shown;
    for (const Diagnostic& d : result.diagnostics)
        if (!d.notice)
            shown.push_back(&d);
    if (shown.empty())
        return;
    QString text = tr("%1 was read, but some values were not taken as they stood:\n")
                       .arg(QFileInfo(path).fileName());
    std::size_t listed = 0;
    for (const Diagnostic* d : shown) {
        if (++listed > MaxListedDiagnostics) {
            text += tr("\n... and %1 more.").arg(shown.size() - MaxListedDiagnostics);
            break;
        }
        text += tr("\nLine %1: %2").arg(d->line).arg(QString::fromStdString(d->message));
    }
    m_prompts.message(m_window, QStringLiteral("RK7 Power"), text, Prompts::Icon::Information);
}

void FileCommands::openPerformanceFile(Dialect dialect) {
    const QString path = choosePerformanceFile();
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    Roster read;
    PerformanceReadResult result = readOverCopy(path, dialect, TextEncoding::Detect, read);
    if (!reportRead(result))
        return;
    if (LooksLikeUtf8(result)) {
        const QString question =
            tr("%1 looks like UTF-8, but it has no byte-order mark to say so.\n\n"
               "Read it as UTF-8, or as it is, in Windows-1252, where letters "
               "beyond ASCII may come out wrong?")
                .arg(name);
        switch (m_prompts.askReadAsUtf8(m_window, QStringLiteral("RK7 Power"), question)) {
        case Prompts::Reading::Cancel:
            return;
        case Prompts::Reading::AsItIs:
            break;
        case Prompts::Reading::Utf8:
            result = readOverCopy(path, dialect, TextEncoding::Utf8, read);
            if (!reportRead(result))
                return;
            break;
        }
    }
    if (result.touched)
        m_document.apply(read, PartsOf(result.touched), tr("Open %1").arg(name));
    reportDiagnostics(path, result);
}

void FileCommands::compareWithPerformanceFile() {
    if (const QString path = choosePerformanceFile(tr("Compare with Performance File"));
        !path.isEmpty())
        compareFile(path);
}

void FileCommands::compareFile(const QString& path) {
    // Read over a copy, as an import would, in the dialect its banner names.
    Roster read;
    PerformanceReadResult result = readOverCopy(path, std::nullopt, TextEncoding::Detect, read);
    if (!reportRead(result))
        return;
    const QString name = QFileInfo(path).fileName();
    CompareDialog dialog(DiffRosters(m_document.roster(), read), result.diagnostics, name,
                         m_window);
    dialog.offerUtf8(LooksLikeUtf8(result));
    connect(&dialog, &CompareDialog::readAsUtf8, &dialog, [&] {
        Roster again;
        PerformanceReadResult utf8 = readOverCopy(path, std::nullopt, TextEncoding::Utf8, again);
        // A file gone or changed meanwhile is reported; the dialog keeps what it showed.
        if (!reportRead(utf8))
            return;
        read = std::move(again);
        result = std::move(utf8);
        dialog.showUtf8Reading(DiffRosters(m_document.roster(), read), result.diagnostics);
    });
    if (dialog.exec() == QDialog::Accepted && result.touched)
        m_document.apply(read, PartsOf(result.touched), tr("Open %1").arg(name));
}

} // namespace rk7
