#pragma once

#include "outputprompts.h"

#include <QString>
#include <QStringList>

#include <optional>

// One file dialog as the window asks for it.
struct FileDialogRequest
{
    enum class Kind { Open, Save };

    Kind kind = Kind::Open;
    // Preset file name (a full path or a bare name); empty for none.
    QString fileName;
    // Qt name filters such as "lyric歌词文件 (*.lrc)"; the first one is active.
    QStringList nameFilters;
};

// Every file dialog and message box of the window goes through this, so tests
// can answer them without a user.
class WindowDialogs
{
public:
    virtual ~WindowDialogs() = default;

    // Shows the dialog and returns the chosen full path; nothing on Cancel.
    virtual std::optional<QString> runFileDialog(const FileDialogRequest &request) = 0;

    // A modal message box with one OK button.
    virtual void showMessage(const Message &message) = 0;

    // A modal question with "是" and "否", "否" the default; true for "是".
    virtual bool askQuestion(const Question &question) = 0;
};
