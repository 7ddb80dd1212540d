#include "conversion.h"
#include "conversionworkspace.h"
#include "convertcommand.h"
#include "defaultdirectorysetting.h"
#include "fakeoutputprompts.h"
#include "testfiles.h"
#include "textfile.h"
#include "txtwriter.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// quorvane-convert end to end on a folder tree: the sheets it writes, the
// files it must leave alone, what it prints and its exit status.
class TestConvertCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesTheWindowsSheet_data();
    void writesTheWindowsSheet();
    void convertsAFolderTree();
    void neverWritesOverALyricFile_data();
    void neverWritesOverALyricFile();
    void existingSheets_data();
    void existingSheets();
    void sameSheetNameKeepsTheFirst_data();
    void sameSheetNameKeepsTheFirst();
    void exitStatus_data();
    void exitStatus();
    void messagesFollowThePaths();
    void progressOnlyOnATerminal_data();
    void progressOnlyOnATerminal();
    void standardInputThatCannotBeConverted();
    void theProgramItself();

private:
    struct Run
    {
        int status = -1;
        QByteArray out;
        QString err;
    };
    Run run(const QStringList &arguments, const QByteArray &input = {}, bool terminal = false) const;
    QString put(const QString &name, const QByteArray &bytes) const;
    QByteArray windowSheet(const QString &lyricFile, const QString &encoding = {}) const;

    std::unique_ptr<QTemporaryDir> temp_;
    QString previousFolder_;
};

namespace {

const QByteArray kRain = "[ti:Rain]\r\n[ar:Someone]\r\n[00:05.00]First\r\n[00:01.50][00:10.00]Second\r\n";
const QByteArray kRainSheet = "     \xe6\xad\x8c\xe6\x9b\xb2\xef\xbc\x9aRain\r\n"
                              "     \xe8\x89\xba\xe6\x9c\xaf\xe5\xae\xb6\xef\xbc\x9aSomeone\r\n"
                              "Second\r\nFirst\r\nSecond\r\n\r\n";

// Every file under a folder with its bytes, so a test sees everything a run left.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), fileBytes(path));
    }
    return files;
}

// What a terminal shows once the output is written: "\r\x1b[K" wipes the line being written.
QString shownOnTerminal(const QString &output)
{
    const QString erase = QStringLiteral("\r\x1b[K");
    QString shown;
    QString line;
    for (qsizetype i = 0; i < output.size(); ++i) {
        if (QStringView(output).sliced(i).startsWith(erase)) {
            line.clear();
            i += erase.size() - 1;
            continue;
        }
        line += output.at(i);
        if (output.at(i) == u'\n') {
            shown += line;
            line.clear();
        }
    }
    return shown + line;
}

} // namespace

void TestConvertCommand::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    previousFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(temp_->path()));
}

void TestConvertCommand::cleanup()
{
    QVERIFY(QDir::setCurrent(previousFolder_));
    temp_.reset();
}

TestConvertCommand::Run TestConvertCommand::run(const QStringList &arguments, const QByteArray &input,
                                                bool terminal) const
{
    QByteArray inBytes = input;
    QByteArray outBytes;
    QByteArray errBytes;
    QBuffer in(&inBytes);
    QBuffer out(&outBytes);
    QBuffer err(&errBytes);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Run result;
    result.status = runConvertCommand(QStringList{QStringLiteral("quorvane-convert")} + arguments,
                                      Console{in, out, err, terminal}, 4);
    result.out = outBytes;
    result.err = QString::fromUtf8(errBytes);
    return result;
}

QString TestConvertCommand::put(const QString &name, const QByteArray &bytes) const
{
    const QString path = temp_->filePath(name);
    if (!QDir().mkpath(QFileInfo(path).path()))
        qFatal("cannot make the folder of %s", qPrintable(path));
    return writeBytes(path, bytes);
}

// What the window writes for a lyric file: Convert, then "生成TXT" into the
// default folder under the file's own name.
QByteArray TestConvertCommand::windowSheet(const QString &lyricFile, const QString &encoding) const
{
    QTemporaryDir window;
    const DefaultDirectorySetting setting(window.filePath(QStringLiteral("settings")));
    const QString sheets = window.filePath(QStringLiteral("sheets"));
    QString error;
    if (!QDir().mkpath(sheets) || !setting.WriteDefaultDirectory(sheets, error))
        return "<no default folder>";
    ConversionWorkspace workspace;
    workspace.sourcePath = lyricFile;
    workspace.sourceEncoding = encoding;
    if (!convertSourceFile(workspace, error))
        return "<not converted: " + error.toUtf8() + ">";
    FakeOutputPrompts prompts;
    GenerateTxt(workspace, prompts, setting);
    return fileBytes(QDir(sheets).filePath(workspace.baseName + QStringLiteral(".txt")));
}

void TestConvertCommand::writesTheWindowsSheet_data()
{
    QTest::addColumn<QByteArray>("lyrics");
    QTest::addColumn<QString>("encoding");

    QTest::newRow("UTF-8, CR LF") << kRain << "";
    QTest::newRow("LF") << QByteArray(kRain).replace("\r\n", "\n") << "";
    QTest::newRow("CR") << QByteArray(kRain).replace("\r\n", "\r") << "";
    QTest::newRow("byte-order mark") << "\xef\xbb\xbf" + kRain << "";
    QTest::newRow("GBK found out") << QByteArray("[ti:\xd3\xea]\r\n[al:\xb8\xe8]\r\n[00:01.00]\xb5\xce\xb4\xf0\r\n")
                                   << "";
    QTest::newRow("last line without line end") << kRain.chopped(2) << "";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("tags only") << QByteArray("[ti:x]\r\n[by:y]\r\n[offset:0]\r\n") << "";
    QTest::newRow("several tags, odd lines") << QByteArray("[00:03.00][00:01.00]a\r\n\r\nplain\r\n[xx]b\r\n") << "";
    QTest::newRow("GB18030 forced") << QByteArray("[ti:\xd3\xea]\r\n[00:01.00]\xb5\xce\r\n") << "GB18030";
    QTest::newRow("Big5 forced") << QByteArray("[ti:\xab\x42]\r\n[00:01.00]\xa4\xa4\r\n") << "Big5";
    QTest::newRow("UTF-16LE forced") << QStringLiteral("[ti:雨]\r\n[00:01.00]滴\r\n").toUtf8() << "UTF-16LE";
}

void TestConvertCommand::writesTheWindowsSheet()
{
    QFETCH(QByteArray, lyrics);
    QFETCH(QString, encoding);
    if (encoding == u"UTF-16LE") {
        const QString text = QString::fromUtf8(lyrics);
        lyrics = QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    }
    const QString lyricFile = put(QStringLiteral("歌/雨.lrc"), lyrics);
    const QByteArray expected = windowSheet(lyricFile, encoding);
    QVERIFY2(!expected.startsWith('<'), expected.constData());

    const QStringList encodingOption =
        encoding.isEmpty() ? QStringList() : QStringList{QStringLiteral("--encoding"), encoding};
    const Run files = run(encodingOption + QStringList{QStringLiteral("歌")});
    QCOMPARE(files.status, 0);
    QCOMPARE(fileBytes(temp_->filePath(QStringLiteral("歌/雨.txt"))), expected);

    const Run piped = run(encodingOption + QStringList{QStringLiteral("-")}, lyrics);
    QCOMPARE(piped.status, 0);
    QCOMPARE(piped.out, expected);
    QVERIFY2(piped.err.isEmpty(), qPrintable(piped.err));
}

void TestConvertCommand::convertsAFolderTree()
{
    put(QStringLiteral("lyrics/Rain.lrc"), kRain);
    put(QStringLiteral("lyrics/album/one.LRC"), "[00:01.00]one\r\n");
    put(QStringLiteral("lyrics/album/two.Lrc"), "[00:02.00]two\r\n");
    put(QStringLiteral("lyrics/album/cover.jpg"), "\xff\xd8\xff");
    put(QStringLiteral("lyrics/.cache/old.lrc"), "[00:01.00]hidden\r\n");

    const Run result = run({QStringLiteral("-o"), QStringLiteral("out/sheets"), QStringLiteral("lyrics")});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QStringLiteral("完成：转换3个，已是最新0个，跳过0个，失败0个。\n"));
    const QMap<QString, QByteArray> expected{{"lyrics/Rain.txt", kRainSheet},
                                             {"lyrics/album/one.txt", "one\r\n\r\n"},
                                             {"lyrics/album/two.txt", "two\r\n\r\n"}};
    QCOMPARE(filesUnder(temp_->filePath(QStringLiteral("out/sheets"))), expected);
    // Nothing was written beside the lyric files.
    QCOMPARE(filesUnder(temp_->filePath(QStringLiteral("lyrics"))).size(), 5);
}

void TestConvertCommand::neverWritesOverALyricFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("lyricFile");

    QTest::newRow("lyric file named like its sheet") << QStringList{"song.txt"} << "song.txt";
    QTest::newRow("with --overwrite") << QStringList{"--overwrite", "song.txt"} << "song.txt";
    QTest::newRow("sheet of one is another lyric file")
        << QStringList{"--overwrite", "song.lrc", "song.txt"} << "song.txt";
    QTest::newRow("sheet name is a link to a lyric file")
        << QStringList{"--overwrite", "link.lrc", "dir/link.lrc"} << "dir/link.lrc";
}

void TestConvertCommand::neverWritesOverALyricFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, lyricFile);

    put(QStringLiteral("song.lrc"), kRain);
    put(QStringLiteral("song.txt"), "[00:01.00]a lyric file named .txt\r\n");
    put(QStringLiteral("link.lrc"), "[00:01.00]a\r\n");
    put(QStringLiteral("dir/link.lrc"), "[00:01.00]the link's target\r\n");
    QVERIFY(QFile::link(temp_->filePath(QStringLiteral("dir/link.lrc")), temp_->filePath(QStringLiteral("link.txt"))));
    const QMap<QString, QByteArray> before = filesUnder(temp_->path());

    const Run result = run(arguments);
    QCOMPARE(result.status, 1);
    QCOMPARE(fileBytes(temp_->filePath(lyricFile)), before.value(lyricFile));
    QVERIFY2(result.err.contains(QStringLiteral("就是要转换的歌词文件，不能覆盖它，跳过。")), qPrintable(result.err));
}

void TestConvertCommand::existingSheets_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("err");

    const QString differs = QStringLiteral("Rain.lrc：TXT文件“Rain.txt”已存在且内容不同，未覆盖（加 --overwrite 可覆盖），跳过。\n"
                                           "完成：转换0个，已是最新0个，跳过1个，失败0个。\n");
    QTest::newRow("same bytes") << kRainSheet << false << 0 << kRainSheet
                                << "完成：转换0个，已是最新1个，跳过0个，失败0个。\n";
    QTest::newRow("same bytes, --overwrite") << kRainSheet << true << 0 << kRainSheet
                                             << "完成：转换0个，已是最新1个，跳过0个，失败0个。\n";
    QTest::newRow("other bytes") << QByteArray("my notes\r\n") << false << 1 << QByteArray("my notes\r\n") << differs;
    QTest::newRow("same length, other bytes") << QByteArray(kRainSheet).replace("First", "Fir5t") << false << 1
                                              << QByteArray(kRainSheet).replace("First", "Fir5t") << differs;
    QTest::newRow("other bytes, --overwrite") << QByteArray("my notes\r\n") << true << 0 << kRainSheet
                                              << "完成：转换1个，已是最新0个，跳过0个，失败0个。\n";
}

void TestConvertCommand::existingSheets()
{
    QFETCH(QByteArray, existing);
    QFETCH(bool, overwrite);
    QFETCH(int, status);
    QFETCH(QByteArray, after);
    QFETCH(QString, err);

    put(QStringLiteral("Rain.lrc"), kRain);
    const QString sheet = put(QStringLiteral("Rain.txt"), existing);
    const Run result = run(overwrite ? QStringList{"--overwrite", "Rain.lrc"} : QStringList{"Rain.lrc"});
    QCOMPARE(result.status, status);
    QCOMPARE(fileBytes(sheet), after);
    QCOMPARE(result.err, err);
}

void TestConvertCommand::sameSheetNameKeepsTheFirst_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("one folder") << QStringList{"lyrics"};
    QTest::newRow("one folder, --overwrite") << QStringList{"--overwrite", "lyrics"};
    QTest::newRow("named one by one") << QStringList{"lyrics/Mr. Brightside.lrc", "lyrics/Mr. Jones.lrc"};
}

void TestConvertCommand::sameSheetNameKeepsTheFirst()
{
    QFETCH(QStringList, arguments);
    put(QStringLiteral("lyrics/Mr. Brightside.lrc"), "[00:01.00]Brightside\r\n");
    put(QStringLiteral("lyrics/Mr. Jones.lrc"), "[00:01.00]Jones\r\n");

    const Run result = run(arguments);
    QCOMPARE(result.status, 1);
    QCOMPARE(fileBytes(temp_->filePath(QStringLiteral("lyrics/Mr.txt"))), QByteArray("Brightside\r\n\r\n"));
    QCOMPARE(result.err, QStringLiteral("lyrics/Mr. Jones.lrc：TXT文件“lyrics/Mr.txt”也是“lyrics/Mr. Brightside.lrc”"
                                        "的TXT文件，为免互相覆盖，跳过。\n"
                                        "完成：转换1个，已是最新0个，跳过1个，失败0个。\n"));

    // Run again: the first one's sheet is up to date, the second one still skipped.
    const Run again = run(arguments);
    QCOMPARE(again.status, 1);
    QCOMPARE(fileBytes(temp_->filePath(QStringLiteral("lyrics/Mr.txt"))), QByteArray("Brightside\r\n\r\n"));
}

void TestConvertCommand::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err"); // a part of standard error

    QTest::newRow("all converted") << QStringList{"Rain.lrc", "lyrics"} << 0 << "转换2个";
    QTest::newRow("empty folder") << QStringList{"empty"} << 0 << "转换0个";
    QTest::newRow("missing path") << QStringList{"Rain.lrc", "gone.lrc"} << 1
                                  << "gone.lrc：找不到这个文件或文件夹。\n";
    QTest::newRow("lyric file too large to read") << QStringList{"lyrics", "big.lrc"} << 1
                                                  << "big.lrc：无法读取文件“big.lrc”：文件超过了8 MB的上限";
    QTest::newRow("a folder named like a lyric file") << QStringList{"folder.lrc"} << 0 << "转换0个";
    QTest::newRow("capacity passed") << QStringList{"huge.lrc"} << 1 << "huge.lrc：歌词文件中有一行的时间标签超过了";
    QTest::newRow("output folder is a file") << QStringList{"-o", "Rain.lrc", "lyrics"} << 1
                                             << "无法创建输出文件夹“Rain.lrc”。";
    QTest::newRow("bad usage") << QStringList{"--bogus", "Rain.lrc"} << 2 << "未知的选项：--bogus";
}

void TestConvertCommand::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, err);

    put(QStringLiteral("Rain.lrc"), kRain);
    put(QStringLiteral("lyrics/one.lrc"), "[00:01.00]one\r\n");
    put(QStringLiteral("huge.lrc"), "[00:01.00]" + QByteArray("[00:01.00]").repeated(100) + "x\r\n");
    QVERIFY(QDir().mkpath(temp_->filePath(QStringLiteral("empty"))));
    QVERIFY(QDir().mkpath(temp_->filePath(QStringLiteral("folder.lrc/inner"))));
    put(QStringLiteral("folder.lrc/inner/x.txt"), "not a lyric");
    QVERIFY(QFile::resize(put(QStringLiteral("big.lrc"), "[00:01.00]x\r\n"), kMaxTextFileBytes + 1));

    const Run result = run(arguments);
    QCOMPARE(result.status, status);
    QVERIFY2(result.err.contains(err), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    if (status == 2)
        QCOMPARE(filesUnder(temp_->path()).size(), 5); // nothing written beside the five files
}

void TestConvertCommand::messagesFollowThePaths()
{
    // Many files on several threads; every third one cannot be converted.
    QStringList arguments;
    QString expected;
    for (int n = 0; n < 60; ++n) {
        const QString name = QStringLiteral("f%1.lrc").arg(n, 2, 10, QLatin1Char('0'));
        arguments.append(name);
        if (n % 3 == 0) {
            put(name, "[00:01.00]" + QByteArray("[00:01.00]").repeated(100) + "x\r\n");
            expected += name + QStringLiteral("：歌词文件中有一行的时间标签超过了每行100个的上限，无法转换。\n");
        } else {
            put(name, "[00:01.00]line\r\n");
        }
    }
    expected += QStringLiteral("完成：转换40个，已是最新0个，跳过0个，失败20个。\n");
    const Run result = run(arguments);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, expected);
}

void TestConvertCommand::progressOnlyOnATerminal_data()
{
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("progress");
    QTest::newRow("terminal, several files") << true << 3 << true;
    QTest::newRow("terminal, one file") << true << 1 << false;
    QTest::newRow("no terminal") << false << 3 << false;
}

void TestConvertCommand::progressOnlyOnATerminal()
{
    QFETCH(bool, terminal);
    QFETCH(int, files);
    QFETCH(bool, progress);
    for (int n = 0; n < files; ++n)
        put(QStringLiteral("lyrics/%1.lrc").arg(n), "[00:01.00]x\r\n");
    // The last file's sheet is in the way, so its message follows a progress line.
    const int last = files - 1;
    put(QStringLiteral("lyrics/%1.txt").arg(last), "other");

    const Run result = run({QStringLiteral("lyrics")}, {}, terminal);
    QCOMPARE(result.err.contains(QStringLiteral("\r\x1b[K正在转换：")), progress);
    // Once the progress line is wiped, the messages and the summary stand on lines of their own.
    QCOMPARE(shownOnTerminal(result.err),
             QStringLiteral("lyrics/%1.lrc：TXT文件“lyrics/%1.txt”已存在且内容不同，未覆盖（加 --overwrite 可覆盖），跳过。\n"
                            "完成：转换%2个，已是最新0个，跳过1个，失败0个。\n")
                 .arg(last)
                 .arg(files - 1));
}

void TestConvertCommand::standardInputThatCannotBeConverted()
{
    const Run result = run({QStringLiteral("-")}, "[00:01.00]" + QByteArray("[00:01.00]").repeated(100) + "x\r\n");
    QCOMPARE(result.status, 1);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.err.startsWith(QStringLiteral("标准输入：歌词文件中有一行的时间标签超过了每行100个的上限")),
             qPrintable(result.err));
    QVERIFY(filesUnder(temp_->path()).isEmpty());
}

void TestConvertCommand::theProgramItself()
{
    // The executable wires the real standard streams: a pipe in, a pipe out.
    QProcess program;
    program.start(QStringLiteral(QUORVANE_CONVERT_PROGRAM), {QStringLiteral("-")});
    QVERIFY(program.waitForStarted());
    program.write(kRain);
    program.closeWriteChannel();
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardOutput(), kRainSheet);

    put(QStringLiteral("a/Rain.lrc"), kRain);
    program.start(QStringLiteral(QUORVANE_CONVERT_PROGRAM), {QStringLiteral("a"), QStringLiteral("gone")});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()),
             QStringLiteral("gone：找不到这个文件或文件夹。\n完成：转换1个，已是最新0个，跳过0个，失败1个。\n"));
    QCOMPARE(fileBytes(temp_->filePath(QStringLiteral("a/Rain.txt"))), kRainSheet);
}

QTEST_GUILESS_MAIN(TestConvertCommand)
#include "tst_convertcommand.moc"
