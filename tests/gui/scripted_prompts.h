#pragma once

#include "dialogs/prompts.h"

#include <deque>
#include <functional>

#include <QList>
#include <QStringList>

namespace rk7::test {

// Answers message boxes and file dialogs from a script, and records what was asked.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString caption;
        QString text;
        Icon icon;
        bool hasParent;
    };

    void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    Answer askSaveDiscardCancel(QWidget* parent, const QString& caption,
                                const QString& text) override;
    bool confirm(QWidget* parent, const QString& caption, const QString& text) override;
    QString openFileName(QWidget* parent, const FileDialogSettings& settings) override;
    QString saveFileName(QWidget* parent, const FileDialogSettings& settings) override;
    // Folders come from fileNames; Reload is answered by Save in answers.
    QString folderName(QWidget* parent, const QString& title, const QString& start) override;
    bool askReload(QWidget* parent, const QString& caption, const QString& text) override;
    // Keep Mine is answered by Save, Keep Theirs by Discard.
    Keep askKeepMine(QWidget* parent, const QString& caption, const QString& text,
                     const QString& details) override;
    // Read as UTF-8 is answered by Save, read as it is by Discard.
    Reading askReadAsUtf8(QWidget* parent, const QString& caption, const QString& text) override;
    // Waits while the window goes on, until ready or giveUpWaiting; counts the waits.
    bool waitUntil(QWidget* parent, const QString& text,
                   const std::function<bool()>& ready) override;
    bool printDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) override;
    bool pageSetupDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) override;

    // Scripted answers, taken in order; an empty script cancels.
    std::deque<Answer> answers;
    std::deque<QString> fileNames;
    // Print and page setup dialogs: accepted while true. printTo, when set, is where the
    // accepted print dialog sends a PDF.
    bool acceptPrint = true;
    QString printTo;

    bool giveUpWaiting = false;
    int waits = 0;

    // What was shown.
    QList<Shown> messages;
    QStringList questions;
    QList<FileDialogSettings> fileDialogs;
    int printDialogs = 0;
    std::function<void()> onPrintDialog; // called as the print dialog opens
    int pageSetupDialogs = 0;
};

} // namespace rk7::test
