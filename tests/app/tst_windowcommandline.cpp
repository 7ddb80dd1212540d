#include "commandline.h"
#include "nodisplay.h"
#include "form1.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "version.h"
#include "windowcommands.h"
#include "windowstart.h"

#include <QDir>
#include <QMenu>
#include <QTranslator>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The window program's command line: what it asks for, what the program
// prints without a window, and the file it loads at start.
class TestWindowCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void readsArguments_data();
    void readsArguments();
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void startLoadsTheFileAsLoadDoes_data();
    void startLoadsTheFileAsLoadDoes();
    void namesItselfAsItsDesktopFile();
    void speaksChineseInQtsOwnTexts();
};

using Action = WindowCommandLine::Action;
Q_DECLARE_METATYPE(WindowCommandLine::Action)

void TestWindowCommandLine::readsArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file"); // "<none>" when no FILE is given
    QTest::addColumn<QString>("text"); // a part of the text

    const QString none = QStringLiteral("<none>");
    const QString here = QDir::currentPath();
    QTest::newRow("nothing") << QStringList{} << Action::OpenWindow << none << "";
    QTest::newRow("relative file") << QStringList{"歌/雨.lrc"} << Action::OpenWindow << here + "/歌/雨.lrc" << "";
    QTest::newRow("absolute file") << QStringList{"/music/雨.lrc"} << Action::OpenWindow << "/music/雨.lrc" << "";
    QTest::newRow("empty file name") << QStringList{""} << Action::OpenWindow << "" << "";
    QTest::newRow("Qt window options") << QStringList{"-platform", "offscreen", "-style", "fusion", "a.lrc"}
                                       << Action::OpenWindow << here + "/a.lrc" << "";
    QTest::newRow("Qt flag") << QStringList{"-reverse"} << Action::OpenWindow << none << "";
    QTest::newRow("help") << QStringList{"--help"} << Action::ShowHelp << none << "用法：quorvane [options] [FILE]";
    QTest::newRow("-h") << QStringList{"-h", "a.lrc"} << Action::ShowHelp << none << "--version";
    QTest::newRow("version") << QStringList{"--version"} << Action::ShowVersion << none
                             << "quorvane " QUORVANE_VERSION "\n";
    QTest::newRow("-v") << QStringList{"-v"} << Action::ShowVersion << none << QUORVANE_VERSION;
    QTest::newRow("two files") << QStringList{"a.lrc", "b.lrc"} << Action::BadUsage << none
                               << "只能指定一个歌词文件，却给了2个。";
    QTest::newRow("unknown option") << QStringList{"--bogus", "a.lrc"} << Action::BadUsage << none
                                    << "未知的选项：--bogus";
    QTest::newRow("option without its value") << QStringList{"-style"} << Action::BadUsage << none
                                              << "quorvane --help";
}

void TestWindowCommandLine::readsArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, file);
    QFETCH(QString, text);

    const WindowCommandLine commandLine =
        parseWindowCommandLine(QStringList{QStringLiteral("/usr/bin/quorvane")} + arguments);
    QCOMPARE(commandLine.action, action);
    QCOMPARE(commandLine.file.value_or(QStringLiteral("<none>")), file);
    QVERIFY2(commandLine.text.contains(text), qPrintable(commandLine.text));
}

void TestWindowCommandLine::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("version") << QStringList{"--version"} << 0 << "quorvane " QUORVANE_VERSION "\n" << "";
    QTest::newRow("two files") << QStringList{"a.lrc", "b.lrc"} << 2 << "" << "只能指定一个歌词文件";
}

void TestWindowCommandLine::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess program;
    program.setProcessEnvironment(environmentWithoutDisplay());
    program.start(QStringLiteral(QUORVANE_WINDOW_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString complaint = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.contains(out), qPrintable(printed));
    QVERIFY2(err.isEmpty() ? complaint.isEmpty() : complaint.contains(err), qPrintable(complaint));
}

void TestWindowCommandLine::startLoadsTheFileAsLoadDoes_data()
{
    QTest::addColumn<QString>("argument"); // "<none>" for no FILE
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");

    QTest::newRow("lyric file") << "雨.lrc" << "[ti:雨]\n[00:01.00]滴答\n" << "";
    QTest::newRow("missing file") << "gone.lrc" << "" << "对不起，指定路径不存在，请查证后再次输入";
    QTest::newRow("a folder") << "folder" << "" << "不是普通文件";
    QTest::newRow("empty name") << "" << "" << "不能为空值";
    QTest::newRow("no file") << "<none>" << "" << "";
}

void TestWindowCommandLine::startLoadsTheFileAsLoadDoes()
{
    QFETCH(QString, argument);
    QFETCH(QString, shown);
    QFETCH(QString, message);

    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    writeBytes(temp.filePath(QStringLiteral("雨.lrc")), "[ti:\xd3\xea]\r\n[00:01.00]\xb5\xce\xb4\xf0\r\n");
    QVERIFY(QDir(temp.path()).mkdir(QStringLiteral("folder")));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(temp.path()));
    const QStringList arguments = argument == u"<none>" ? QStringList{} : QStringList{argument};
    const WindowCommandLine commandLine = parseWindowCommandLine(QStringList{QStringLiteral("quorvane")} + arguments);
    QVERIFY(QDir::setCurrent(previous));

    ScriptedDialogs dialogs;
    Form1 window(dialogs);
    WindowCommands commands(window, DefaultDirectorySetting(temp.filePath(QStringLiteral("settings"))));
    startWindow(window, commands, commandLine.file);
    QVERIFY(window.isVisible());
    QCoreApplication::processEvents();

    QStringList texts;
    for (const Message &box : dialogs.messages)
        texts.append(box.text);
    // The message, or for a path that names something other than a file, the
    // part of it that does not carry the path.
    QCOMPARE(texts.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(texts.first().contains(message), qPrintable(texts.first()));
    QCOMPARE(window.Text1->toPlainText(), shown);
    QCOMPARE(window.Command2->isEnabled(), !shown.isEmpty());
    QVERIFY(dialogs.requests.isEmpty()); // no Open dialog
}

void TestWindowCommandLine::namesItselfAsItsDesktopFile()
{
    setProgramIdentity();
    // The installed desktop file is named after this id (see tst_installedtree).
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(QUORVANE_APP_ID));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(QUORVANE_VERSION));
}

void TestWindowCommandLine::speaksChineseInQtsOwnTexts()
{
    QTranslator qtTexts;
    QVERIFY2(installQtChineseTexts(qtTexts), "qt6-translations-l10n is not installed");
    // The entries of the text boxes' own context menu.
    ScriptedDialogs dialogs;
    Form1 window(dialogs);
    const std::unique_ptr<QMenu> menu(window.createText1ContextMenu());
    QStringList captions;
    for (const QAction *action : menu->actions())
        captions.append(action->text());
    QVERIFY2(captions.join(u'|').contains(QStringLiteral("全选")), qPrintable(captions.join(u'|')));
    QCoreApplication::removeTranslator(&qtTexts);
}

QTEST_MAIN(TestWindowCommandLine)
#include "tst_windowcommandline.moc"
