#include "convertoptions.h"
#include "version.h"

#include <QTest>

using Action = ConvertOptions::Action;
Q_DECLARE_METATYPE(ConvertOptions::Action)

class TestConvertOptions : public QObject
{
    Q_OBJECT

private slots:
    void readsArguments_data();
    void readsArguments();
};

void TestConvertOptions::readsArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QString>("outputDir");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("text"); // a part of the text

    const QStringList none;
    QTest::newRow("one file") << QStringList{"a.lrc"} << Action::Convert << QStringList{"a.lrc"} << "" << ""
                              << false << "";
    QTest::newRow("all options") << QStringList{"-o", "out", "--overwrite", "a.lrc", "lyrics"} << Action::Convert
                                 << QStringList{"a.lrc", "lyrics"} << "out" << "" << true << "";
    QTest::newRow("long output option") << QStringList{"--output-dir=歌/out", "a.lrc"} << Action::Convert
                                        << QStringList{"a.lrc"} << "歌/out" << "" << false << "";
    QTest::newRow("encoding in any case") << QStringList{"--encoding", "gb18030", "a.lrc"} << Action::Convert
                                          << QStringList{"a.lrc"} << "" << "GB18030" << false << "";
    QTest::newRow("standard input") << QStringList{"--encoding", "Big5", "-"} << Action::Convert
                                    << QStringList{"-"} << "" << "Big5" << false << "";
    QTest::newRow("help") << QStringList{"--help", "a.lrc"} << Action::ShowHelp << none << "" << "" << false
                          << "退出状态：0 全部转换完成；1 有文件失败或被跳过；2 用法错误。";
    QTest::newRow("help names the program") << QStringList{"-h"} << Action::ShowHelp << none << "" << ""
                                            << false << "用法：quorvane-convert [options] PATH...";
    QTest::newRow("version") << QStringList{"--version"} << Action::ShowVersion << none << "" << "" << false
                             << "quorvane-convert " QUORVANE_VERSION "\n";

    const QString seeHelp = QStringLiteral("用法见“quorvane-convert --help”。");
    QTest::newRow("no path") << QStringList{"--overwrite"} << Action::BadUsage << none << "" << "" << false
                             << "没有指定要转换的歌词文件或文件夹。";
    QTest::newRow("unknown option") << QStringList{"--force", "a.lrc"} << Action::BadUsage << none << "" << ""
                                    << false << "未知的选项：--force";
    QTest::newRow("unknown encoding") << QStringList{"--encoding", "latin1", "a.lrc"} << Action::BadUsage << none
                                      << "" << "" << false
                                      << "未知的编码“latin1”。可用的编码：UTF-8、GB18030、Big5、Shift_JIS、"
                                         "EUC-KR、UTF-16LE、UTF-16BE。";
    QTest::newRow("encoding without a name") << QStringList{"a.lrc", "--encoding"} << Action::BadUsage << none
                                             << "" << "" << false << seeHelp;
    QTest::newRow("standard input with files") << QStringList{"-", "a.lrc"} << Action::BadUsage << none << ""
                                               << "" << false << "只能单独使用";
    QTest::newRow("standard input into a folder") << QStringList{"-o", "out", "-"} << Action::BadUsage << none
                                                  << "" << "" << false << "不能同时指定 --output-dir";
    QTest::newRow("empty output folder") << QStringList{"-o", "", "a.lrc"} << Action::BadUsage << none << ""
                                         << "" << false << "--output-dir 的文件夹名不能为空。";
}

void TestConvertOptions::readsArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QStringList, paths);
    QFETCH(QString, outputDir);
    QFETCH(QString, encoding);
    QFETCH(bool, overwrite);
    QFETCH(QString, text);

    const ConvertOptions options = parseConvertOptions(QStringList{"/usr/bin/quorvane-convert"} + arguments);
    QCOMPARE(options.action, action);
    QVERIFY2(options.text.contains(text), qPrintable(options.text));
    if (action == Action::BadUsage)
        QVERIFY2(options.text.endsWith(QStringLiteral("用法见“quorvane-convert --help”。\n")), qPrintable(options.text));
    if (action != Action::Convert)
        return;
    QCOMPARE(options.paths, paths);
    QCOMPARE(options.outputDir, outputDir);
    QCOMPARE(options.encoding, encoding);
    QCOMPARE(options.overwrite, overwrite);
    QCOMPARE(options.readsStandardInput(), paths == QStringList{"-"});
}

QTEST_GUILESS_MAIN(TestConvertOptions)
#include "tst_convertoptions.moc"
