#pragma once

#include "dialogs/prompts.h"
#include "exchange/dialect.h"
#include "exchange/performance_file.h"

#include <optional>

#include <QObject>

namespace rk7 {

class RosterDocument;

// Reading and writing Performance Files, chosen in the file dialogs.
class FileCommands : public QObject {
    Q_OBJECT

public:
    FileCommands(RosterDocument& document, Prompts& prompts, QWidget* window,
                 QObject* parent = nullptr);

    void openPerformanceFile(Dialect dialect);
    void savePerformanceFile(Dialect dialect);
    // Lists what opening a Performance File (either dialect) would change, and opens it if the
    // user says Import.
    void compareWithPerformanceFile();
    // The same for the file at path: one named on the command line, or dropped on the window.
    void compareFile(const QString& path);

    // The last paths the save dialogs chose, and the folder the open dialog starts in.
    const FileDialogSettings& saveDialogSettings(Dialect dialect) const;
    const FileDialogSettings& openDialogSettings() const { return m_openSettings; }

private:
    // The path of a file to read, from the open dialog titled title (Qt's own title when
    // empty); empty when the user cancelled.
    QString choosePerformanceFile(const QString& title = {});
    // Reports a file that was not read; false then.
    bool reportRead(const PerformanceReadResult& result);
    // Reads the file at path over a copy of the roster, as an import would.
    PerformanceReadResult readOverCopy(const QString& path, std::optional<Dialect> dialect,
                                       TextEncoding encoding, Roster& read) const;
    void reportDiagnostics(const QString& path, const PerformanceReadResult& result);

    RosterDocument& m_document;
    Prompts& m_prompts;
    QWidget* m_window;
    FileDialogSettings m_openSettings;
    FileDialogSettings m_nativeSaveSettings;
    FileDialogSettings m_exchangeSaveSettings;
};

} // namespace rk7
