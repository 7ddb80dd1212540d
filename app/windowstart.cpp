#include "windowstart.h"

#include "form1.h"
#include "version.h"
#include "windowcommands.h"

#include <QGuiApplication>
#include <QTimer>

void setProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationVersion(QLatin1String(QUORVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVANE_APP_ID));
}

void startWindow(Form1 &window, WindowCommands &commands, const std::optional<QString> &file)
{
    window.show();
    // Loading waits for the event loop, so a message about the file opens
    // over the window already shown.
    if (file)
        QTimer::singleShot(0, &commands, [&commands, path = *file] { commands.loadFile(path); });
}
