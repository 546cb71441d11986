#include "dialogs/prompts.h"

#include "printing/print_support.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace rk7 {

void Prompts::reportError(QWidget* parent, const QString& error) {
    message(parent, QStringLiteral("RK7 Power"), error, Icon::Warning);
}

namespace {

QMessageBox::Icon ToQt(Prompts::Icon icon) {
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::None:
    default:
        return QMessageBox::NoIcon;
    }
}

QString RunFileDialog(QWidget* parent, const FileDialogSettings& s, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, s.title);
    dialog.setObjectName(QStringLiteral("fileDialog"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(s.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(s.filter);
    // Only a name to save gets the suffix; an open dialog opens the file that was typed.
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(s.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !s.confirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!s.fileName.isEmpty())
        dialog.selectFile(s.fileName);
    else if (!s.folder.isEmpty())
        dialog.setDirectory(s.folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void DialogPrompts::message(QWidget* parent, const QString& caption, const QString& text,
                            Icon icon) {
    QMessageBox box(ToQt(icon), caption, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

Prompts::Answer DialogPrompts::askSaveDiscardCancel(QWidget* parent, const QString& caption,
                                                    const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDefaultButton(QMessageBox::Save);
    // Alt+S and Alt+D answer from the keyboard.
    box.button(QMessageBox::Save)->setText(QCoreApplication::translate("rk7::Prompts", "&Save"));
    box.button(QMessageBox::Discard)
        ->setText(QCoreApplication::translate("rk7::Prompts", "&Discard"));
    switch (box.exec()) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

bool DialogPrompts::confirm(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompts::openFileName(QWidget* parent, const FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, QFileDialog::AcceptOpen);
}

QString DialogPrompts::saveFileName(QWidget* parent, const FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, QFileDialog::AcceptSave);
}

bool DialogPrompts::printDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) {
    return printing.printDialog(parent, printer);
}

bool DialogPrompts::pageSetupDialog(QWidget* parent, PrintSupport& printing, QPrinter& printer) {
    return printing.pageSetupDialog(parent, printer);
}

QString DialogPrompts::folderName(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}

bool DialogPrompts::askReload(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    QPushButton* reload = box.addButton(QCoreApplication::translate("rk7::Prompts", "&Reload"),
                                        QMessageBox::DestructiveRole);
    QPushButton* keep = box.addButton(QCoreApplication::translate("rk7::Prompts", "&Keep Mine"),
                                      QMessageBox::RejectRole);
    box.setDefaultButton(keep); // Return loses nothing
    box.exec();
    return box.clickedButton() == reload;
}

Prompts::Keep DialogPrompts::askKeepMine(QWidget* parent, const QString& caption,
                                         const QString& text, const QString& details) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDetailedText(details);
    QPushButton* mine = box.addButton(QCoreApplication::translate("rk7::Prompts", "Keep &Mine"),
                                      QMessageBox::AcceptRole);
    QPushButton* theirs = box.addButton(QCoreApplication::translate("rk7::Prompts", "Keep &Theirs"),
                                        QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel); // Return keeps the form open and decides nothing
    box.exec();
    if (box.clickedButton() == mine)
        return Keep::Mine;
    return box.clickedButton() == theirs ? Keep::Theirs : Keep::Cancel;
}

Prompts::Reading DialogPrompts::askReadAsUtf8(QWidget* parent, const QString& caption,
                                              const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    QPushButton* utf8 = box.addButton(QCoreApplication::translate("rk7::Prompts", "Read as &UTF-8"),
                                      QMessageBox::AcceptRole);
    QPushButton* asItIs = box.addButton(
        QCoreApplication::translate("rk7::Prompts", "Read &As It Is"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(utf8); // what the file looks like; the import can be undone
    box.exec();
    if (box.clickedButton() == utf8)
        return Reading::Utf8;
    return box.clickedButton() == asItIs ? Reading::AsItIs : Reading::Cancel;
}

bool DialogPrompts::waitUntil(QWidget* parent, const QString& text,
                              const std::function<bool()>& ready) {
    if (ready())
        return true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    // Over the form that is waiting, when there is one: the window behind it takes no input.
    QWidget* owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : parent;
    QProgressDialog note(text, QCoreApplication::translate("rk7::Prompts", "&Give Up"), 0, 0,
                         owner);
    note.setObjectName(QStringLiteral("waitNote"));
    note.setWindowTitle(QStringLiteral("RK7 Power"));
    note.setWindowModality(Qt::WindowModal);
    note.setMinimumDuration(400); // a short wait shows only the cursor
    note.setValue(0);
    QEventLoop loop;
    bool done = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (ready()) {
            done = true;
            loop.quit();
        }
    });
    QObject::connect(&note, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    poll.start(50);
    loop.exec();
    QApplication::restoreOverrideCursor();
    return done;
}

} // namespace rk7
