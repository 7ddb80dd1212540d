#include "commandline.h"
#include "filesizelimit.h"
#include "form1.h"
#include "qtwindowdialogs.h"
#include "windowcommands.h"
#include "windowstart.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // A write past the file-size limit then fails with a message instead of
    // killing the program.
    ignoreFileSizeLimitSignal();

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Help, version and usage errors are answered before a display is needed.
    const WindowCommandLine commandLine = parseWindowCommandLine(arguments);
    if (commandLine.action != WindowCommandLine::Action::OpenWindow)
        return finishWithoutWindow(commandLine);

    QApplication app(argc, argv);
    setProgramIdentity();
    QTranslator qtTexts;
    installQtChineseTexts(qtTexts);

    // The window is a view; its dialogs and its commands are put together here.
    QtWindowDialogs dialogs;
    Form1 window(dialogs);
    dialogs.setParentWidget(&window);
    WindowCommands commands(window, DefaultDirectorySetting(DefaultDirectorySetting::standardDirectory()));
    startWindow(window, commands, commandLine.file);
    return app.exec();
}
