#include "conversion.h"
#include "conversionworkspace.h"
#include "defaultdirectorysetting.h"
#include "fakeoutputprompts.h"
#include "testfiles.h"
#include "textfile.h"
#include "txtwriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const QString kWritten = QStringLiteral("成功提示 | 恭喜，成功写入TXT！ | none");
const QString kAbandoned = QStringLiteral("放弃提示 | 用户放弃写入 | none");
const QString kConvertFirst = QStringLiteral("提示 | 请先转换歌词，再生成TXT。 | exclamation");
const QString kSheet = QStringLiteral("歌名：雨\r\n第一行, 逗号\r\n第二行\r\n");

// Every file under dir, relative to it, sorted.
QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(dir).relativeFilePath(it.next()));
    files.sort();
    return files;
}

} // namespace

class TestTxtWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void baseName_data();
    void baseName();

    void optionCombinations_data();
    void optionCombinations();
    void fileHoldsResultTextAndLineEnd_data();
    void fileHoldsResultTextAndLineEnd();
    void sheetWrittenFromEntriesHoldsTheSameBytes_data();
    void sheetWrittenFromEntriesHoldsTheSameBytes();
    void firstRunAsksThenWrites();
    void nothingWrittenBeforeConvert();
    void neverSilentlyReplacesTheSourceFile();
    void failedWriteIsReportedNotCelebrated_data();
    void failedWriteIsReportedNotCelebrated();
    void failedWriteKeepsEarlierFile();
    void takenNameIsReplacedOnlyWhenTheUserSays_data();
    void takenNameIsReplacedOnlyWhenTheUserSays();
    void namesCutAtTheFirstDotNeverCollideSilently();
    void saveDialogNeedsNoSettings_data();
    void saveDialogNeedsNoSettings();

private:
    std::unique_ptr<QTemporaryDir> temp_;
    std::unique_ptr<DefaultDirectorySetting> setting_;
    QString outputDir_;
    QString otherDir_;
    ConversionWorkspace workspace_;
};

void TestTxtWriter::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    setting_ = std::make_unique<DefaultDirectorySetting>(temp_->filePath("config"));
    outputDir_ = temp_->filePath("out");
    otherDir_ = temp_->filePath("other");
    QVERIFY(QDir().mkpath(outputDir_));
    QVERIFY(QDir().mkpath(otherDir_));
    QString error;
    QVERIFY(setting_->WriteDefaultDirectory(QDir::toNativeSeparators(outputDir_), error));

    workspace_ = ConversionWorkspace();
    workspace_.sourcePath = QStringLiteral("E:\\x\\Rain.lrc");
    workspace_.resultText = kSheet;
    workspace_.converted = true;
}

void TestTxtWriter::baseName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::newRow("first dot") << "D:\\Music\\My.Song.lrc" << "My";
    QTest::newRow("backslashes") << "D:\\Music\\Song.lrc" << "Song";
    QTest::newRow("slashes") << "/home/u/Song.lrc" << "Song";
    QTest::newRow("mixed") << "D:\\a/b.c\\d.lrc" << "d";
    QTest::newRow("dot first") << "D:\\x\\.lrc" << "";
    QTest::newRow("no dot") << "/home/u/README" << "README";
    QTest::newRow("dot only in folder") << "D:\\a.b\\c" << "c";
    QTest::newRow("no folder") << "雨.lrc" << "雨";
}

void TestTxtWriter::baseName()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    workspace_.baseName = QStringLiteral("earlier");
    ExtractBaseName(workspace_, path);
    QCOMPARE(workspace_.baseName, base);
}

void TestTxtWriter::optionCombinations_data()
{
    QTest::addColumn<bool>("defaultDirectory");
    QTest::addColumn<bool>("sourceName");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("message");

    QTest::newRow("default folder, own name") << true << true << false << QString()
                                              << QStringList{"out/Rain.txt"} << kWritten;
    QTest::newRow("default folder, chosen name") << true << false << true << "out/歌.txt"
                                                 << QStringList{"out/歌.txt"} << kWritten;
    QTest::newRow("new folder, own name") << false << true << true << "other/Rain.txt"
                                          << QStringList{"other/Rain.txt"} << kWritten;
    QTest::newRow("new folder, name without extension")
        << false << false << true << "other/rain copy" << QStringList{"other/rain copy"} << kWritten;
    QTest::newRow("dialog cancelled") << false << false << false << QString() << QStringList{}
                                      << kAbandoned;
    QTest::newRow("dialog returned no path") << true << false << true << "" << QStringList{}
                                             << kAbandoned;
}

void TestTxtWriter::optionCombinations()
{
    QFETCH(bool, defaultDirectory);
    QFETCH(bool, sourceName);
    QFETCH(bool, answered);
    QFETCH(QString, answer);
    QFETCH(QStringList, written);
    QFETCH(QString, message);

    FakeOutputPrompts prompts;
    prompts.defaultDirectoryOption = defaultDirectory;
    prompts.sourceNameOption = sourceName;
    if (answered)
        prompts.saveAnswers = {answer.isEmpty() ? answer : temp_->filePath(answer)};
    GenerateTxt(workspace_, prompts, *setting_);

    const bool asks = !(defaultDirectory && sourceName);
    const QStringList presets = asks ? QStringList{QDir::toNativeSeparators(outputDir_ + "/Rain.txt")}
                                     : QStringList{};
    QCOMPARE(prompts.dialogPresets, presets);
    QCOMPARE(workspace_.saveCancelled, asks && !answered);
    QCOMPARE(prompts.messages, QStringList{message});
    QStringList found;
    for (const QString &folder : {QStringLiteral("out"), QStringLiteral("other")}) {
        for (const QString &file : filesUnder(temp_->filePath(folder)))
            found.append(folder + "/" + file);
    }
    QCOMPARE(found, written);
    for (const QString &file : written)
        QCOMPARE(fileBytes(temp_->filePath(file)), encodeText(kSheet) + "\r\n");
}

void TestTxtWriter::fileHoldsResultTextAndLineEnd_data()
{
    QTest::addColumn<QString>("resultText");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("sheet") << kSheet << QByteArray("歌名：雨\r\n第一行, 逗号\r\n第二行\r\n\r\n");
    QTest::newRow("empty sheet") << QString() << QByteArray("\r\n");
}

void TestTxtWriter::fileHoldsResultTextAndLineEnd()
{
    QFETCH(QString, resultText);
    QFETCH(QByteArray, bytes);
    const QString target = outputDir_ + "/Rain.txt";
    writeBytes(target, "an earlier, longer file that must be replaced whole\r\n");
    workspace_.resultText = resultText;
    FakeOutputPrompts prompts;
    prompts.replaceAnswers = {true};
    GenerateTxt(workspace_, prompts, *setting_);
    QCOMPARE(prompts.messages, QStringList{kWritten});
    QCOMPARE(fileBytes(target), bytes);
}

void TestTxtWriter::sheetWrittenFromEntriesHoldsTheSameBytes_data()
{
    QTest::addColumn<QString>("lyrics");

    QTest::newRow("worked example") << "[ti:雨]\r\n[ar:Someone]\r\n[00:05.00]第一\r\n[00:01.50][00:10.00]Second\r\n";
    QTest::newRow("no header") << "[00:02.00]b\n[00:01.00]a\n";
    QTest::newRow("header alone") << "[ti:Song]\r\nwords without time\r\n";
    QTest::newRow("nothing") << "";
    // Halves of a surrogate pair end or start a line: each is written as "?".
    QTest::newRow("lone halves at the ends of lines")
        << QStringLiteral("[00:01.00]a") + QChar(0xD83D) + QStringLiteral("\r\n[00:02.00]") + QChar(0xDE00) + "b\r\n";
    QTest::newRow("many long lines")
        << QStringLiteral("[00:03.00][00:01.00]") + QString(20000, QChar(0x6b4c)) + QStringLiteral("\r\n[00:02.00]😀x\r\n");
}

void TestTxtWriter::sheetWrittenFromEntriesHoldsTheSameBytes()
{
    QFETCH(QString, lyrics);
    const QString source = temp_->filePath("song.lrc");
    writeBytes(source, lyrics.toUtf8());

    // The window's sheet, from resultText.
    ConversionWorkspace shown;
    shown.sourcePath = source;
    QString error;
    QVERIFY2(convertSourceFile(shown, error), qPrintable(error));

    // The batch converter's, straight from the ordered entries.
    ConversionWorkspace written;
    written.sourcePath = source;
    QVERIFY2(convertSourceFile(written, error, SheetText::Skip), qPrintable(error));
    QVERIFY(written.resultText.isEmpty());
    const QString target = temp_->filePath("song.txt");
    QVERIFY2(writeNewSheetFile(written, target, error), qPrintable(error));
    QCOMPARE(fileBytes(target), sheetFileBytes(shown));

    // It never replaces a file.
    QVERIFY(!writeNewSheetFile(written, target, error));
    QCOMPARE(fileBytes(target), sheetFileBytes(shown));
}

void TestTxtWriter::firstRunAsksThenWrites()
{
    const DefaultDirectorySetting fresh(temp_->filePath("fresh/quorvane"));
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {otherDir_ + "/a"};
    GenerateTxt(workspace_, prompts, fresh);
    QCOMPARE(prompts.messages,
             (QStringList{"设置默认目录 | 您还未设置默认保存目录，请设置 | none", kWritten}));
    QCOMPARE(prompts.captions, QStringList{"TXT文件将生成在" + QDir::toNativeSeparators(otherDir_)});
    QCOMPARE(fileBytes(otherDir_ + "/Rain.txt"), encodeText(kSheet) + "\r\n");
}

void TestTxtWriter::nothingWrittenBeforeConvert()
{
    const QString target = outputDir_ + "/Rain.txt";
    writeBytes(target, "good sheet\r\n");
    // What a new load leaves behind.
    workspace_.resultText.clear();
    workspace_.converted = false;
    const DefaultDirectorySetting fresh(temp_->filePath("fresh/quorvane"));
    FakeOutputPrompts prompts;
    prompts.defaultDirectoryOption = false;
    prompts.saveAnswers = {target};
    GenerateTxt(workspace_, prompts, fresh);
    QCOMPARE(prompts.messages, QStringList{kConvertFirst});
    QCOMPARE(prompts.dialogPresets, QStringList{});
    QCOMPARE(fileBytes(target), QByteArray("good sheet\r\n"));
}

void TestTxtWriter::neverSilentlyReplacesTheSourceFile()
{
    const QString source = outputDir_ + "/Song.txt";
    writeBytes(source, "[00:01.00]la\r\n");
    workspace_.sourcePath = source;
    FakeOutputPrompts prompts;
    GenerateTxt(workspace_, prompts, *setting_);
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY2(prompts.messages.first().startsWith("错误 | ") && prompts.messages.first().endsWith(" | critical"),
             qPrintable(prompts.messages.first()));
    QCOMPARE(fileBytes(source), QByteArray("[00:01.00]la\r\n"));

    // Chosen in the Save dialog, the same file is the user's own decision.
    prompts.messages.clear();
    prompts.sourceNameOption = false;
    prompts.saveAnswers = {source};
    GenerateTxt(workspace_, prompts, *setting_);
    QCOMPARE(prompts.messages, QStringList{kWritten});
    QCOMPARE(fileBytes(source), (kSheet + "\r\n").toUtf8());
}

void TestTxtWriter::failedWriteIsReportedNotCelebrated_data()
{
    QTest::addColumn<QString>("storedDirectory");
    QTest::addColumn<bool>("defaultDirectory");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("failingPath");

    QTest::newRow("chosen folder missing") << "out" << false << "missing/Rain.txt"
                                           << "missing/Rain.txt";
    QTest::newRow("chosen path is a folder") << "out" << false << "other" << "other";
}

void TestTxtWriter::failedWriteIsReportedNotCelebrated()
{
    QFETCH(QString, storedDirectory);
    QFETCH(bool, defaultDirectory);
    QFETCH(QString, answer);
    QFETCH(QString, failingPath);

    QString error;
    QVERIFY(setting_->WriteDefaultDirectory(temp_->filePath(storedDirectory), error));
    FakeOutputPrompts prompts;
    prompts.defaultDirectoryOption = defaultDirectory;
    prompts.saveAnswers = {temp_->filePath(answer)};
    GenerateTxt(workspace_, prompts, *setting_);

    QCOMPARE(prompts.messages.size(), 1);
    const QString shown = prompts.messages.first();
    QVERIFY2(shown.startsWith("错误 | ") && shown.endsWith(" | critical"), qPrintable(shown));
    QVERIFY2(shown.contains(QDir::toNativeSeparators(temp_->filePath(failingPath))), qPrintable(shown));
    QCOMPARE(filesUnder(outputDir_), QStringList{});
}

void TestTxtWriter::failedWriteKeepsEarlierFile()
{
#ifdef Q_OS_LINUX
    // A file size limit makes the write fail the way a full disk does, even for root.
    const QString target = outputDir_ + "/Rain.txt";
    writeBytes(target, "earlier good sheet\r\n");
    workspace_.resultText = QString(4096, u'x');
    FakeOutputPrompts prompts;
    prompts.replaceAnswers = {true};

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    GenerateTxt(workspace_, prompts, *setting_);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(fileBytes(target), QByteArray("earlier good sheet\r\n"));
    QCOMPARE(filesUnder(outputDir_), QStringList{"Rain.txt"});
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY2(prompts.messages.first().endsWith(" | critical"), qPrintable(prompts.messages.first()));
    QVERIFY(prompts.messages.first().contains(QDir::toNativeSeparators(target)));
#else
    QSKIP("needs a per-process file size limit");
#endif
}

void TestTxtWriter::takenNameIsReplacedOnlyWhenTheUserSays_data()
{
    QTest::addColumn<QString>("taken");    // what stands at out/Rain.txt
    QTest::addColumn<bool>("sameBytes");   // it already holds exactly the sheet
    QTest::addColumn<bool>("answer");      // "是" or "否", when asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("message");

    QTest::newRow("other file, 是") << "file" << false << true << true << kWritten;
    QTest::newRow("other file, 否") << "file" << false << false << true << kAbandoned;
    QTest::newRow("same bytes") << "file" << true << false << false << kWritten;
    QTest::newRow("link to another file, 否") << "link" << false << false << true << kAbandoned;
    QTest::newRow("link to another file, 是") << "link" << false << true << true << kWritten;
    QTest::newRow("link to nowhere, 否") << "dangling" << false << false << true << kAbandoned;
    QTest::newRow("nothing there") << "" << false << false << false << kWritten;
}

void TestTxtWriter::takenNameIsReplacedOnlyWhenTheUserSays()
{
    QFETCH(QString, taken);
    QFETCH(bool, sameBytes);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(QString, message);
    const QByteArray sheet = encodeText(kSheet) + "\r\n";
    const QByteArray earlier = sameBytes ? sheet : QByteArray("another song's sheet\r\n");
    const QString target = QDir::toNativeSeparators(outputDir_ + "/Rain.txt");
    // What the name leads to: the file itself, or a link's target elsewhere.
    const QString linked = otherDir_ + "/elsewhere.txt";
    if (taken == u"file")
        writeBytes(target, earlier);
    if (taken == u"link")
        writeBytes(linked, earlier);
    if (taken == u"link" || taken == u"dangling") {
#ifdef Q_OS_UNIX
        QVERIFY(QFile::link(linked, target));
#else
        QSKIP("needs symbolic links");
#endif
    }
    const QString reached = taken == u"file" || taken.isEmpty() ? target : linked;

    FakeOutputPrompts prompts;
    prompts.replaceAnswers = {answer};
    GenerateTxt(workspace_, prompts, *setting_);

    QCOMPARE(prompts.replaceQuestions, asked ? QStringList{target} : QStringList{});
    QCOMPARE(prompts.messages, QStringList{message});
    const bool replaced = message == kWritten;
    QCOMPARE(fileBytes(reached), replaced ? sheet : (taken == u"dangling" ? "<missing>" : earlier));
    if (taken == u"link" || taken == u"dangling")
        QVERIFY(QFileInfo(target).isSymLink());
}

void TestTxtWriter::namesCutAtTheFirstDotNeverCollideSilently()
{
    workspace_.sourcePath = QStringLiteral("/music/Mr. Brightside.lrc");
    workspace_.resultText = QStringLiteral("Coming out of my cage\r\n");
    FakeOutputPrompts prompts;
    GenerateTxt(workspace_, prompts, *setting_);
    QCOMPARE(prompts.messages, QStringList{kWritten});

    // Another song with the same first word: the user is asked and says no.
    workspace_.sourcePath = QStringLiteral("/music/Mr. Jones.lrc");
    workspace_.resultText = QStringLiteral("Sha la la la la la la\r\n");
    GenerateTxt(workspace_, prompts, *setting_);
    QCOMPARE(prompts.replaceQuestions, QStringList{QDir::toNativeSeparators(outputDir_ + "/Mr.txt")});
    QCOMPARE(prompts.messages, (QStringList{kWritten, kAbandoned}));
    QCOMPARE(fileBytes(outputDir_ + "/Mr.txt"), QByteArray("Coming out of my cage\r\n\r\n"));
}

void TestTxtWriter::saveDialogNeedsNoSettings_data()
{
    QTest::addColumn<QString>("stored");       // the stored default folder, if any
    QTest::addColumn<QString>("source");       // the lyric file, "@" for the temporary folder
    QTest::addColumn<QString>("presetFolder"); // where the Save dialog starts, "~" for home

    QTest::newRow("usable default folder") << "@/out" << "@/other/Rain.lrc" << "@/out";
    QTest::newRow("none stored: the lyric file's folder") << "" << "@/other/Rain.lrc" << "@/other";
    QTest::newRow("stored one gone: the lyric file's folder") << "@/gone" << "@/other/Rain.lrc" << "@/other";
    QTest::newRow("neither: home") << "" << "@/vanished/Rain.lrc" << "~";
}

void TestTxtWriter::saveDialogNeedsNoSettings()
{
    QFETCH(QString, stored);
    QFETCH(QString, source);
    QFETCH(QString, presetFolder);
    const auto expand = [this](QString path) {
        return QDir::toNativeSeparators(path.replace(u'@', temp_->path()).replace(u'~', QDir::homePath()));
    };
    // A settings folder that cannot even be created.
    writeBytes(temp_->filePath("plain"), "x");
    DefaultDirectorySetting unwritable(temp_->filePath("plain/quorvane"));
    const DefaultDirectorySetting &setting = stored.isEmpty() ? unwritable : *setting_;
    QString error;
    if (!stored.isEmpty())
        QVERIFY(setting_->WriteDefaultDirectory(expand(stored), error));
    const QByteArray settingsBefore = fileBytes(setting_->settingsFilePath());
    workspace_.sourcePath = expand(source);

    for (const bool defaultDirectory : {true, false}) {
        FakeOutputPrompts prompts;
        prompts.defaultDirectoryOption = defaultDirectory;
        prompts.sourceNameOption = false;
        prompts.saveAnswers = {otherDir_ + "/chosen.txt"};
        GenerateTxt(workspace_, prompts, setting);
        QCOMPARE(prompts.dialogPresets, QStringList{expand(presetFolder + "/Rain.txt")});
        QCOMPARE(prompts.messages, QStringList{kWritten});
        QCOMPARE(prompts.captions, QStringList{});
    }
    QCOMPARE(fileBytes(setting_->settingsFilePath()), settingsBefore);
    QCOMPARE(fileBytes(otherDir_ + "/chosen.txt"), encodeText(kSheet) + "\r\n");
}

QTEST_GUILESS_MAIN(TestTxtWriter)
#include "tst_txtwriter.moc"
