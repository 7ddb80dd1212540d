#include "convertoptions.h"

#include "convertmessages.h"
#include "textfile.h"
#include "version.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>

namespace {

ConvertOptions badUsage(const QString &problem)
{
    ConvertOptions options;
    options.action = ConvertOptions::Action::BadUsage;
    options.text = convertmessages::usageError(problem);
    return options;
}

// The encoding as the window's menu names it, whatever its letter case.
QString chosenEncoding(const QString &name)
{
    for (const QString &encoding : choosableEncodings()) {
        if (encoding.compare(name, Qt::CaseInsensitive) == 0)
            return encoding;
    }
    return {};
}

} // namespace

ConvertOptions parseConvertOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(convertmessages::description());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("显示这段帮助。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本号。"));
    const QCommandLineOption outputDir(
        {QStringLiteral("o"), QStringLiteral("output-dir")},
        QStringLiteral("TXT文件写进这个文件夹（没有就新建）。默认写在歌词文件旁边。"),
        QStringLiteral("DIR"));
    const QCommandLineOption overwrite(QStringLiteral("overwrite"),
                                       QStringLiteral("覆盖内容不同的已有TXT文件。默认保留并报告。"));
    const QCommandLineOption encoding(QStringLiteral("encoding"),
                                      QStringLiteral("按这个编码读取歌词文件（见下）。默认自动识别。"),
                                      QStringLiteral("NAME"));
    parser.addOptions({help, version, outputDir, overwrite, encoding});
    parser.addPositionalArgument(
        QStringLiteral("PATH"),
        QStringLiteral("歌词文件，或文件夹（其中所有 .lrc 文件，含子文件夹）。"
                       "“-”：标准输入进，标准输出出。"),
        QStringLiteral("PATH..."));

    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return badUsage(convertmessages::unknownOptions(parser.unknownOptionNames()));
        return badUsage(parser.errorText());
    }

    ConvertOptions options;
    const QString program =
        arguments.isEmpty() ? QStringLiteral("quorvane-convert") : QFileInfo(arguments.first()).fileName();
    if (parser.isSet(help)) {
        options.action = ConvertOptions::Action::ShowHelp;
        // The parser's own usage line names the program by the path it was started with.
        const QString text = parser.helpText();
        options.text = QStringLiteral("用法：%1 [options] PATH...").arg(program)
                       + text.sliced(std::max<qsizetype>(text.indexOf(u'\n'), 0))
                       + convertmessages::moreHelp();
        return options;
    }
    if (parser.isSet(version)) {
        options.action = ConvertOptions::Action::ShowVersion;
        options.text = program + u' ' + QLatin1String(QUORVANE_VERSION) + u'\n';
        return options;
    }

    options.paths = parser.positionalArguments();
    options.outputDir = parser.value(outputDir);
    options.overwrite = parser.isSet(overwrite);
    if (parser.isSet(encoding)) {
        options.encoding = chosenEncoding(parser.value(encoding));
        if (options.encoding.isEmpty())
            return badUsage(convertmessages::unknownEncoding(parser.value(encoding)));
    }
    if (options.paths.isEmpty())
        return badUsage(convertmessages::noPaths());
    if (options.paths.contains(QStringLiteral("-")) && !options.readsStandardInput())
        return badUsage(convertmessages::standardInputNotAlone());
    if (options.readsStandardInput() && parser.isSet(outputDir))
        return badUsage(convertmessages::standardInputWithOutputDir());
    if (parser.isSet(outputDir) && options.outputDir.isEmpty())
        return badUsage(convertmessages::emptyOutputDir());
    return options;
}
