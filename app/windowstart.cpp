#include "windowstart.h"

#include "form1.h"
#include "version.h"
#include "windowcommands.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

void setProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationVersion(QLatin1String(QUORVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVANE_APP_ID));
}

bool installQtChineseTexts(QTranslator &translator)
{
    if (!translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

void startWindow(Form1 &window, WindowCommands &commands, const std::optional<QString> &file)
{
    window.show();
    // Loading waits for the event loop, so a message about the file opens
    // over the window already shown.
    if (file)
        QTimer::singleShot(0, &commands, [&commands, path = *file] { commands.loadFile(path); });
}
