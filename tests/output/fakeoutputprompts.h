#pragma once

#include "outputprompts.h"

#include <QList>
#include <QStringList>

// Answers the output code's questions from a script and records what it shows.
class FakeOutputPrompts : public OutputPrompts
{
public:
    bool defaultDirectoryOption = true;
    bool sourceNameOption = true;
    // Answers of the Save dialog in order; an empty queue answers Cancel.
    QList<std::optional<QString>> saveAnswers;

    // Answers to "replace this file?" in order; none left means "否".
    QList<bool> replaceAnswers;

    QStringList dialogPresets;
    QStringList replaceQuestions;
    QStringList captions;
    // One "title | text | icon" line per message box.
    QStringList messages;

    bool savesToDefaultDirectory() const override { return defaultDirectoryOption; }
    bool keepsSourceFileName() const override { return sourceNameOption; }

    std::optional<QString> askSavePath(const QString &presetPath) override
    {
        dialogPresets.append(presetPath);
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
    }

    void setDestinationCaption(const QString &caption) override { captions.append(caption); }

    void showMessage(const Message &message) override
    {
        messages.append(message.title + QStringLiteral(" | ") + message.text + QStringLiteral(" | ")
                        + iconName(message.icon));
    }

    bool confirmReplace(const QString &path) override
    {
        replaceQuestions.append(path);
        return !replaceAnswers.isEmpty() && replaceAnswers.takeFirst();
    }

    static QString iconName(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Critical:
            return QStringLiteral("critical");
        case MessageIcon::Exclamation:
            return QStringLiteral("exclamation");
        case MessageIcon::None:
            break;
        }
        return QStringLiteral("none");
    }
};
