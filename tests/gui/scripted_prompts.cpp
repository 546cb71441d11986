#include "gui/scripted_prompts.h"

#include <QPrinter>

namespace rk7::test {

void ScriptedPrompts::Message(QWidget* parent, const QString& caption, const QString& text,
                              Icon icon) {
    messages.append({caption, text, icon, parent != nullptr});
}

Prompts::Answer ScriptedPrompts::AskSaveDiscardCancel(QWidget*, const QString&,
                                                      const QString& text) {
    questions.append(text);
    if (answers.empty())
        return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedPrompts::Confirm(QWidget* parent, const QString& caption, const QString& text) {
    // Scripted as Save for yes, anything else for no.
    return AskSaveDiscardCancel(parent, caption, text) == Answer::Save;
}

QString ScriptedPrompts::OpenFileName(QWidget*, const FileDialogSettings& settings) {
    fileDialogs.append(settings);
    if (fileNames.empty())
        return {};
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedPrompts::SaveFileName(QWidget* parent, const FileDialogSettings& settings) {
    return OpenFileName(parent, settings);
}

bool ScriptedPrompts::PrintDialog(QWidget*, QPrinter& printer) {
    ++printDialogs;
    if (onPrintDialog)
        onPrintDialog();
    if (acceptPrint && !printTo.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
    }
    return acceptPrint;
}

bool ScriptedPrompts::PageSetupDialog(QWidget*, QPrinter&) {
    ++pageSetupDialogs;
    return acceptPrint;
}

} // namespace rk7::test
