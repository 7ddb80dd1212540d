#include "commandline.h"

#include "version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// The window options QApplication takes out of the arguments itself; the
// parser must know them so it neither refuses them nor takes their values
// for the FILE.
void letQtWindowOptionsThrough(QCommandLineParser &parser)
{
    const char *const withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                     "qwindowgeometry", "qwindowicon", "qwindowtitle", "style",
                                     "stylesheet", "session", "display", "geometry"};
    const char *const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString shownOptions(const QStringList &names)
{
    QStringList shown;
    for (const QString &name : names)
        shown.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    return shown.join(u' ');
}

WindowCommandLine badUsage(const QString &programName, const QString &problem)
{
    WindowCommandLine result;
    result.action = WindowCommandLine::Action::BadUsage;
    result.text = problem + QStringLiteral("\n用法见“%1 --help”。\n").arg(programName);
    return result;
}

// The parser names the program by the path it was started with, or not at
// all before QApplication exists; the help names it by its name.
QString helpWithUsageLine(const QString &help, const QString &usage)
{
    const qsizetype end = help.indexOf(u'\n');
    return end < 0 ? help : usage + help.sliced(end);
}

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

WindowCommandLine parseWindowCommandLine(const QStringList &arguments)
{
    const QString programName =
        arguments.isEmpty() ? QStringLiteral("quorvane") : QFileInfo(arguments.first()).fileName();

    QCommandLineParser parser;
    // Qt's options are single-dash words such as -platform.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Quorvane 歌词转换：把LRC歌词文件转换成纯文本歌词表。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("显示这段帮助。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本号。"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("启动时加载的歌词文件，如同用“加载歌词”打开。"),
                                 QStringLiteral("[FILE]"));
    letQtWindowOptionsThrough(parser);

    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return badUsage(programName, QStringLiteral("未知的选项：%1")
                                             .arg(shownOptions(parser.unknownOptionNames())));
        return badUsage(programName, parser.errorText());
    }

    WindowCommandLine result;
    if (parser.isSet(help)) {
        result.action = WindowCommandLine::Action::ShowHelp;
        result.text = helpWithUsageLine(parser.helpText(),
                                        QStringLiteral("用法：%1 [options] [FILE]").arg(programName));
        return result;
    }
    if (parser.isSet(version)) {
        result.action = WindowCommandLine::Action::ShowVersion;
        result.text = programName + u' ' + QLatin1String(QUORVANE_VERSION) + u'\n';
        return result;
    }

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return badUsage(programName, QStringLiteral("只能指定一个歌词文件，却给了%1个。").arg(files.size()));
    if (files.size() == 1) {
        const QString &file = files.first();
        result.file = file.isEmpty() ? file : QDir::current().absoluteFilePath(file);
    }
    return result;
}

int finishWithoutWindow(const WindowCommandLine &commandLine)
{
    switch (commandLine.action) {
    case WindowCommandLine::Action::ShowHelp:
    case WindowCommandLine::Action::ShowVersion:
        print(stdout, commandLine.text);
        return 0;
    case WindowCommandLine::Action::BadUsage:
        print(stderr, commandLine.text);
        return 2;
    case WindowCommandLine::Action::OpenWindow:
        break;
    }
    return 0;
}
