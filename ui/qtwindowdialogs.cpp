#include "qtwindowdialogs.h"

#include <QFileDialog>
#include <QMessageBox>

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
