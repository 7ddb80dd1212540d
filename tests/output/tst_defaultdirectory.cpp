#include "conversionworkspace.h"
#include "defaultdirectory.h"
#include "defaultdirectorysetting.h"
#include "fakeoutputprompts.h"
#include "testfiles.h"
#include "textfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kNotice = QStringLiteral("设置默认目录 | 您还未设置默认保存目录，请设置 | none");
const QString kRetry = QStringLiteral("错误 | 重新录入！ | exclamation");
const QString kGaveUp = QStringLiteral("空值 | 用户放弃定义默认路径！ | critical");

} // namespace

class TestDefaultDirectory : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstField_data();
    void firstField();
    void storedPathReadsBackExactly_data();
    void storedPathReadsBackExactly();
    void settingsFileMustBePlainFile();

    void dialogPathIsCutAtLastSeparator_data();
    void dialogPathIsCutAtLastSeparator();

    void firstRunAsksAndStores_data();
    void firstRunAsksAndStores();
    void cancelStopsWithoutStoring();
    void missingDirectoryOrPlainFileIsRefused();
    void storedDirectoryIsTrustedWithoutAsking();
    void uncreatableSettingsFolderStops();
    void unwritableSettingsFileStops();

private:
    std::unique_ptr<QTemporaryDir> temp_;
    QString settingsDir_;
    QString outputDir_;
};

void TestDefaultDirectory::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    settingsDir_ = temp_->filePath(QStringLiteral("config/quorvane"));
    outputDir_ = QDir::toNativeSeparators(temp_->filePath(QStringLiteral("Lyrics, old")));
    QVERIFY(QDir().mkpath(outputDir_));
}

void TestDefaultDirectory::firstField_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("field");

    QTest::newRow("plain") << QStringList{"D:\\Lyrics"} << "D:\\Lyrics";
    QTest::newRow("comma kept") << QStringList{"D:\\My Lyrics, old"} << "D:\\My Lyrics, old";
    QTest::newRow("leading blanks and empty lines")
        << QStringList{"", " \t", "  D:\\x"} << "D:\\x";
    QTest::newRow("trailing blanks kept") << QStringList{"D:\\x \t"} << "D:\\x \t";
    QTest::newRow("quoted") << QStringList{"\"D:\\a, b\" rest"} << "D:\\a, b";
    QTest::newRow("quote never closed") << QStringList{"\"D:\\a, b"} << "D:\\a, b";
    QTest::newRow("quote inside unquoted") << QStringList{"/x/say \"hi\""} << "/x/say \"hi\"";
    QTest::newRow("only the first line") << QStringList{"/one", "/two"} << "/one";
    QTest::newRow("blank") << QStringList{"  ", ""} << "";
    QTest::newRow("empty") << QStringList{} << "";
}

void TestDefaultDirectory::firstField()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, field);
    QCOMPARE(firstSettingsField(lines), field);
}

void TestDefaultDirectory::storedPathReadsBackExactly_data()
{
    QTest::addColumn<QString>("directory");
    QTest::newRow("windows") << "D:\\Lyrics";
    QTest::newRow("comma") << "D:\\My Lyrics, old";
    QTest::newRow("chinese and blanks") << "/home/u/歌词 备份  ";
}

void TestDefaultDirectory::storedPathReadsBackExactly()
{
    QFETCH(QString, directory);
    const DefaultDirectorySetting setting(settingsDir_);
    QString error;
    QVERIFY2(setting.WriteDefaultDirectory(directory, error), qPrintable(error));
    QCOMPARE(fileBytes(setting.settingsFilePath()), encodeText(directory) + "\r\n");
    QVERIFY(setting.settingsFileExists());

    QString read;
    QVERIFY2(setting.ReadDefaultDirectory(read, error), qPrintable(error));
    QCOMPARE(read, directory);
    QCOMPARE(setting.storedDirectory(), std::optional<QString>(directory));
}

void TestDefaultDirectory::settingsFileMustBePlainFile()
{
    const DefaultDirectorySetting setting(settingsDir_);
    QVERIFY(!setting.settingsFileExists());
    QVERIFY(QDir().mkpath(setting.settingsFilePath()));
    QVERIFY(!setting.settingsFileExists());
    QCOMPARE(setting.storedDirectory(), std::nullopt);
}

void TestDefaultDirectory::dialogPathIsCutAtLastSeparator_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("directory");
    QTest::newRow("slashes") << "/home/u/Lyrics/a" << QDir::toNativeSeparators("/home/u/Lyrics");
    QTest::newRow("backslashes") << "D:\\My.Dir\\a.txt" << "D:\\My.Dir";
    QTest::newRow("drive root") << "c:\\a" << "c:";
    QTest::newRow("root") << "/a" << QDir::toNativeSeparators("/");
    QTest::newRow("no separator") << "a" << "a";
}

void TestDefaultDirectory::dialogPathIsCutAtLastSeparator()
{
    QFETCH(QString, chosen);
    QFETCH(QString, directory);
    ConversionWorkspace workspace;
    workspace.dirCancelled = true;
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {chosen};
    AskDefaultDirectory(workspace, prompts);
    QCOMPARE(workspace.defaultDir, directory);
    QCOMPARE(workspace.dirCancelled, false);
#ifdef Q_OS_WIN
    QCOMPARE(prompts.dialogPresets, QStringList{"c:\\a"});
#else
    QCOMPARE(prompts.dialogPresets, QStringList{QDir::homePath() + "/a"});
#endif
}

void TestDefaultDirectory::firstRunAsksAndStores_data()
{
    QTest::addColumn<QByteArray>("settingsContent");
    QTest::newRow("no settings folder") << QByteArray();
    QTest::newRow("blank settings file") << QByteArray(" \r\n\r\n");
}

void TestDefaultDirectory::firstRunAsksAndStores()
{
    QFETCH(QByteArray, settingsContent);
    const DefaultDirectorySetting setting(settingsDir_);
    if (!settingsContent.isEmpty()) {
        QVERIFY(QDir().mkpath(settingsDir_));
        writeBytes(setting.settingsFilePath(), settingsContent);
    }
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {outputDir_ + QDir::separator() + "a"};

    QVERIFY(EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(workspace.defaultDir, outputDir_);
    QCOMPARE(prompts.messages, QStringList{kNotice});
    QCOMPARE(prompts.captions, QStringList{"TXT文件将生成在" + outputDir_});
    QCOMPARE(fileBytes(setting.settingsFilePath()), encodeText(outputDir_) + "\r\n");
}

void TestDefaultDirectory::cancelStopsWithoutStoring()
{
    const DefaultDirectorySetting setting(settingsDir_);
    ConversionWorkspace workspace;
    workspace.defaultDir = QStringLiteral("/earlier");
    FakeOutputPrompts prompts;

    QVERIFY(!EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(workspace.dirCancelled, true);
    QCOMPARE(workspace.defaultDir, QStringLiteral("/earlier"));
    QCOMPARE(prompts.messages, (QStringList{kNotice, kGaveUp}));
    QCOMPARE(prompts.captions, QStringList{});
    QVERIFY(QDir(settingsDir_).exists());
    QVERIFY(!setting.settingsFileExists());
}

void TestDefaultDirectory::missingDirectoryOrPlainFileIsRefused()
{
    const QString plainFile = temp_->filePath(QStringLiteral("plain"));
    writeBytes(plainFile, "x");
    const DefaultDirectorySetting setting(settingsDir_);
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {temp_->filePath("missing/a"), plainFile + "/a", outputDir_ + "/a"};

    QVERIFY(EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(prompts.dialogPresets.size(), 3);
    QCOMPARE(prompts.messages, (QStringList{kNotice, kRetry, kRetry}));
    QCOMPARE(setting.storedDirectory(), std::optional<QString>(outputDir_));
}

void TestDefaultDirectory::storedDirectoryIsTrustedWithoutAsking()
{
    const DefaultDirectorySetting setting(settingsDir_);
    QString error;
    QVERIFY(setting.WriteDefaultDirectory(QStringLiteral("/removed since, long ago"), error));
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;

    QVERIFY(EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(workspace.defaultDir, QStringLiteral("/removed since, long ago"));
    QCOMPARE(prompts.dialogPresets, QStringList{});
    QCOMPARE(prompts.messages, QStringList{});
    QCOMPARE(prompts.captions, QStringList{});
}

void TestDefaultDirectory::uncreatableSettingsFolderStops()
{
    const QString plainFile = temp_->filePath(QStringLiteral("plain"));
    writeBytes(plainFile, "x");
    const DefaultDirectorySetting setting(plainFile + QStringLiteral("/quorvane"));
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {outputDir_ + "/a"};

    QVERIFY(!EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(prompts.dialogPresets, QStringList{});
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages.first().startsWith(QStringLiteral("错误 | ")));
    QVERIFY(prompts.messages.first().endsWith(QStringLiteral(" | critical")));
    QVERIFY2(prompts.messages.first().contains(QDir::toNativeSeparators(setting.settingsDirectory())),
             qPrintable(prompts.messages.first()));
}

void TestDefaultDirectory::unwritableSettingsFileStops()
{
    const DefaultDirectorySetting setting(settingsDir_);
    // A folder in the settings file's place cannot be replaced by a file.
    QVERIFY(QDir().mkpath(setting.settingsFilePath()));
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {outputDir_ + "/a"};

    QVERIFY(!EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(prompts.messages.size(), 2);
    QCOMPARE(prompts.messages.first(), kNotice);
    QVERIFY(prompts.messages.last().endsWith(QStringLiteral(" | critical")));
    QVERIFY2(prompts.messages.last().contains(QDir::toNativeSeparators(setting.settingsFilePath())),
             qPrintable(prompts.messages.last()));
    QCOMPARE(prompts.captions, QStringList{});
}

QTEST_GUILESS_MAIN(TestDefaultDirectory)
#include "tst_defaultdirectory.moc"
