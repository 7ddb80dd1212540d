#pragma once

#include "messages.h"

#include <QString>

#include <optional>

// What the output code asks of the window: the two option frames, the Save
// dialog, the destination label and message boxes. The window answers with its
// real controls and dialogs; tests answer with a scripted fake.
class OutputPrompts
{
public:
    virtual ~OutputPrompts() = default;

    // Frame "保存目录": true for "保存到默认目录", false for "保存到新目录".
    virtual bool savesToDefaultDirectory() const = 0;
    // Frame "保存文件名": true for "原文件名", false for "自定义文件名".
    virtual bool keepsSourceFileName() const = 0;

    // Shows the Save dialog with its file name preset; returns the chosen full
    // path, or nothing when the user cancels.
    virtual std::optional<QString> askSavePath(const QString &presetPath) = 0;

    // Sets the caption of the destination label without changing whether it shows.
    virtual void setDestinationCaption(const QString &caption) = 0;

    // Shows a modal message box with one OK button and waits for it.
    virtual void showMessage(const Message &message) = 0;

    // Asks whether the existing file at path may be replaced by the sheet;
    // true for "是". The default answer is "否".
    virtual bool confirmReplace(const QString &path) = 0;
};
