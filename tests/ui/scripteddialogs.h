#pragma once

#include "windowdialogs.h"

#include <QApplication>
#include <QList>

// Answers the window's dialogs from a script and records what was asked.
class ScriptedDialogs : public WindowDialogs
{
public:
    // Answers for the coming file dialogs, first one first; nothing means Cancel.
    QList<std::optional<QString>> answers;
    QList<FileDialogRequest> requests;
    QList<Message> messages;
    // Whether the wait cursor was up while each message box showed.
    QList<bool> busyDuringMessages;
    // Answers for the coming questions, first one first; none left means "否".
    QList<bool> questionAnswers;
    QList<Question> questions;

    std::optional<QString> runFileDialog(const FileDialogRequest &request) override
    {
        requests.append(request);
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }

    void showMessage(const Message &message) override
    {
        messages.append(message);
        busyDuringMessages.append(QApplication::overrideCursor() != nullptr);
    }

    bool askQuestion(const Question &question) override
    {
        questions.append(question);
        return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
    }
};
