#pragma once

#include "app/prompts.h"
#include "exchange/dialect.h"

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

    // The last paths the save dialogs chose, and the folder the open dialog starts in.
    const FileDialogSettings& saveDialogSettings(Dialect dialect) const;
    const FileDialogSettings& openDialogSettings() const { return m_openSettings; }

private:
    RosterDocument& m_document;
    Prompts& m_prompts;
    QWidget* m_window;
    FileDialogSettings m_openSettings;
    FileDialogSettings m_nativeSaveSettings;
    FileDialogSettings m_exchangeSaveSettings;
};

} // namespace rk7
