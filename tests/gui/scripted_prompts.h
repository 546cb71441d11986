#pragma once

#include "app/prompts.h"

#include <deque>

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

    void Message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    Answer AskSaveDiscardCancel(QWidget* parent, const QString& caption,
                                const QString& text) override;
    QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) override;
    QString SaveFileName(QWidget* parent, const FileDialogSettings& settings) override;

    // Scripted answers, taken in order; an empty script cancels.
    std::deque<Answer> answers;
    std::deque<QString> fileNames;

    // What was shown.
    QList<Shown> messages;
    QStringList questions;
    QList<FileDialogSettings> fileDialogs;
};

} // namespace rk7::test
