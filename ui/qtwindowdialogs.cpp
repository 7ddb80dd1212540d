#include "qtwindowdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

QtWindowDialogs::QtWindowDialogs(QWidget *parent)
    : parent_(parent)
{
}

void QtWindowDialogs::setParentWidget(QWidget *parent)
{
    parent_ = parent;
}

std::optional<QString> QtWindowDialogs::runFileDialog(const FileDialogRequest &request)
{
    const QString filter = request.nameFilters.join(QStringLiteral(";;"));
    const QString chosen = request.kind == FileDialogRequest::Kind::Open
        ? QFileDialog::getOpenFileName(parent_, QString(), request.fileName, filter)
        : QFileDialog::getSaveFileName(parent_, QString(), request.fileName, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

void QtWindowDialogs::showMessage(const Message &message)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (message.icon) {
    case MessageIcon::None:
        boxIcon = QMessageBox::NoIcon;
        break;
    case MessageIcon::Critical:
        boxIcon = QMessageBox::Critical;
        break;
    case MessageIcon::Exclamation:
        boxIcon = QMessageBox::Warning;
        break;
    }
    QMessageBox box(boxIcon, message.title, message.text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtWindowDialogs::askQuestion(const Question &question)
{
    QMessageBox box(QMessageBox::Question, question.title, question.text, QMessageBox::NoButton,
                    parent_);
    // The captions are the program's own, whatever language Qt speaks.
    QPushButton *yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
