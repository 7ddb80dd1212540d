#include "filesizelimit.h"
#include "form1.h"
#include "qtwindowdialogs.h"
#include "version.h"
#include "windowcommands.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ignoreFileSizeLimitSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QLatin1String(QUORVANE_VERSION));

    // The window is a view; its dialogs and its commands are put together here.
    QtWindowDialogs dialogs;
    Form1 window(dialogs);
    dialogs.setParentWidget(&window);
    WindowCommands commands(window, DefaultDirectorySetting(DefaultDirectorySetting::standardDirectory()));
    window.show();
    return app.exec();
}
