#include "form1.h"
#include "qtwindowdialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.5.2"));

    QtWindowDialogs dialogs;
    Form1 window(dialogs, DefaultDirectorySetting(DefaultDirectorySetting::standardDirectory()));
    dialogs.setParentWidget(&window);
    window.show();
    return app.exec();
}
