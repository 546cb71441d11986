#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace rk7 {

// What a file dialog is asked for, and the name it remembers between uses.
struct FileDialogSettings {
    QString title;
    QString filter;
    QString defaultSuffix;
    bool mustExist = false;        // open dialogs: only an existing file can be chosen
    bool confirmOverwrite = false; // save dialogs: ask before replacing a file
    QString fileName;              // the full path chosen last time, or empty
    QString folder;                // where the dialog starts when fileName is empty
};

// Every message box and file dialog of the program goes through here, so that tests can answer
// them without a person.
class Prompts {
public:
    enum class Icon { None, Information, Warning };
    enum class Answer { Save, Discard, Cancel };

    virtual ~Prompts() = default;
    // A message with one OK button. parent may be null (no owner window).
    virtual void Message(QWidget* parent, const QString& caption, const QString& text,
                         Icon icon) = 0;
    virtual Answer AskSaveDiscardCancel(QWidget* parent, const QString& caption,
                                        const QString& text) = 0;
    // A yes-or-no question; true for yes.
    virtual bool Confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The chosen path, or empty when the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) = 0;
    virtual QString SaveFileName(QWidget* parent, const FileDialogSettings& settings) = 0;
    // The print and print setup dialogs on printer; false when the user cancelled.
    virtual bool PrintDialog(QWidget* parent, QPrinter& printer) = 0;
    virtual bool PageSetupDialog(QWidget* parent, QPrinter& printer) = 0;
};

// The real dialogs.
class DialogPrompts : public Prompts {
public:
    void Message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    Answer AskSaveDiscardCancel(QWidget* parent, const QString& caption,
                                const QString& text) override;
    bool Confirm(QWidget* parent, const QString& caption, const QString& text) override;
    QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) override;
    QString SaveFileName(QWidget* parent, const FileDialogSettings& settings) override;
    bool PrintDialog(QWidget* parent, QPrinter& printer) override;
    bool PageSetupDialog(QWidget* parent, QPrinter& printer) override;
};

} // namespace rk7
