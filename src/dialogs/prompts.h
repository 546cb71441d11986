#pragma once

#include <functional>

#include <QString>

class QPrinter;
class QWidget;

namespace rk7 {

class PrintSupport;

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
    enum class Keep { Mine, Theirs, Cancel };
    enum class Reading { Utf8, AsItIs, Cancel };

    virtual ~Prompts() = default;
    // A message with one OK button. parent may be null (no owner window).
    virtual void message(QWidget* parent, const QString& caption, const QString& text,
                         Icon icon) = 0;
    virtual Answer askSaveDiscardCancel(QWidget* parent, const QString& caption,
                                        const QString& text) = 0;
    // A yes-or-no question; true for yes.
    virtual bool confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The chosen path, or empty when the user cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialogSettings& settings) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogSettings& settings) = 0;
    // A folder to open, starting in start; empty when the user cancelled.
    virtual QString folderName(QWidget* parent, const QString& title, const QString& start) = 0;
    // Reload or Keep Mine; true for Reload.
    virtual bool askReload(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Keep Mine, Keep Theirs or Cancel, for cells that another program changed while the user
    // changed them too; details lists the cells.
    virtual Keep askKeepMine(QWidget* parent, const QString& caption, const QString& text,
                             const QString& details) = 0;
    // "Read as UTF-8", read as it is, or Cancel, for a Performance File that looks like UTF-8
    // but has no byte-order mark.
    virtual Reading askReadAsUtf8(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Waits until ready() is true, with the window alive meanwhile: a busy cursor, and once it
    // takes a moment a note saying text with a button to give up. False when the user gave up.
    virtual bool waitUntil(QWidget* parent, const QString& text,
                           const std::function<bool()>& ready) = 0;
    // The print and print setup dialogs on printer, which printing made; false when the user
    // cancelled.
    virtual bool printDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) = 0;
    virtual bool pageSetupDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) = 0;

    // A failed operation, "path: reason", under the program's name.
    void reportError(QWidget* parent, const QString& error);
};

// The real dialogs.
class DialogPrompts : public Prompts {
public:
    void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    Answer askSaveDiscardCancel(QWidget* parent, const QString& caption,
                                const QString& text) override;
    bool confirm(QWidget* parent, const QString& caption, const QString& text) override;
    QString openFileName(QWidget* parent, const FileDialogSettings& settings) override;
    QString saveFileName(QWidget* parent, const FileDialogSettings& settings) override;
    QString folderName(QWidget* parent, const QString& title, const QString& start) override;
    bool askReload(QWidget* parent, const QString& caption, const QString& text) override;
    Keep askKeepMine(QWidget* parent, const QString& caption, const QString& text,
                     const QString& details) override;
    Reading askReadAsUtf8(QWidget* parent, const QString& caption, const QString& text) override;
    bool waitUntil(QWidget* parent, const QString& text,
                   const std::function<bool()>& ready) override;
    bool printDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) override;
    bool pageSetupDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) override;
};

} // namespace rk7
