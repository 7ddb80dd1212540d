#pragma once

#include "windowdialogs.h"

class QWidget;

// The window's dialogs as Qt shows them: QFileDialog and QMessageBox, modal
// over the parent widget.
class QtWindowDialogs : public WindowDialogs
{
public:
    explicit QtWindowDialogs(QWidget *parent = nullptr);

    // The window usually exists only after its dialogs object, so the parent
    // can be given later.
    void setParentWidget(QWidget *parent);

    std::optional<QString> runFileDialog(const FileDialogRequest &request) override;
    void showMessage(const Message &message) override;
    bool askQuestion(const Question &question) override;

private:
    QWidget *parent_;
};
