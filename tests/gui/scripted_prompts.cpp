#include "gui/scripted_prompts.h"

#include <QElapsedTimer>
#include <QPrinter>
#include <QTest>

namespace rk7::test {

void ScriptedPrompts::message(QWidget* parent, const QString& caption, const QString& text,
                              Icon icon) {
    messages.append({caption, text, icon, parent != nullptr});
}

Prompts::Answer ScriptedPrompts::askSaveDiscardCancel(QWidget*, const QString&,
                                                      const QString& text) {
    questions.append(text);
    if (answers.empty())
        return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedPrompts::confirm(QWidget* parent, const QString& caption, const QString& text) {
    // Scripted as Save for yes, anything else for no.
    return askSaveDiscardCancel(parent, caption, text) == Answer::Save;
}

QString ScriptedPrompts::openFileName(QWidget*, const FileDialogSettings& settings) {
    fileDialogs.append(settings);
    if (fileNames.empty())
        return {};
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedPrompts::saveFileName(QWidget* parent, const FileDialogSettings& settings) {
    return openFileName(parent, settings);
}

bool ScriptedPrompts::printDialog(QWidget*, PrintSupport&, QPrinter& printer) {
    ++printDialogs;
    if (onPrintDialog)
        onPrintDialog();
    if (acceptPrint && !printTo.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
    }
    return acceptPrint;
}

bool ScriptedPrompts::pageSetupDialog(QWidget*, PrintSupport&, QPrinter&) {
    ++pageSetupDialogs;
    return acceptPrint;
}

QString ScriptedPrompts::folderName(QWidget*, const QString&, const QString&) {
    if (fileNames.empty())
        return {};
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

bool ScriptedPrompts::askReload(QWidget* parent, const QString& caption, const QString& text) {
    return askSaveDiscardCancel(parent, caption, text) == Answer::Save;
}

Prompts::Keep ScriptedPrompts::askKeepMine(QWidget* parent, const QString& caption,
                                           const QString& text, const QString& details) {
    switch (askSaveDiscardCancel(parent, caption, text + QLatin1Char('\n') + details)) {
    case Answer::Save:
        return Keep::Mine;
    case Answer::Discard:
        return Keep::Theirs;
    case Answer::Cancel:
    default:
        return Keep::Cancel;
    }
}

Prompts::Reading ScriptedPrompts::askReadAsUtf8(QWidget* parent, const QString& caption,
                                                const QString& text) {
    switch (askSaveDiscardCancel(parent, caption, text)) {
    case Answer::Save:
        return Reading::Utf8;
    case Answer::Discard:
        return Reading::AsItIs;
    case Answer::Cancel:
    default:
        return Reading::Cancel;
    }
}

bool ScriptedPrompts::waitUntil(QWidget*, const QString& text, const std::function<bool()>& ready) {
    if (ready())
        return true;
    ++waits;
    questions.append(text);
    QElapsedTimer waited;
    waited.start();
    while (!giveUpWaiting && waited.elapsed() < 20000) {
        QTest::qWait(20); // the event loop runs, as under the real note
        if (ready())
            return true;
    }
    return false;
}

} // namespace rk7::test
