#include "conversionworkspace.h"
#include "defaultdirectory.h"
#include "defaultdirectorysetting.h"
#include "fakeoutputprompts.h"
#include "testfiles.h"
#include "textfile.h"
#include "tmpfsmount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
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
    void unusableStoredDirectoryIsAskedForAgain_data();
    void unusableStoredDirectoryIsAskedForAgain();
    void unrememberedDirectoryServesTheRun_data();
    void unrememberedDirectoryServesTheRun();
    void changingTheDirectoryStoresIt();

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
    // Nothing was chosen, so nothing was created.
    QVERIFY(!QDir(settingsDir_).exists());
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
    QVERIFY(setting.WriteDefaultDirectory(outputDir_, error));
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;

    QVERIFY(EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(workspace.defaultDir, outputDir_);
    QCOMPARE(prompts.dialogPresets, QStringList{});
    QCOMPARE(prompts.messages, QStringList{});
    QCOMPARE(prompts.captions, QStringList{});
}

void TestDefaultDirectory::unusableStoredDirectoryIsAskedForAgain_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("why");

    // "@" stands for the test's temporary folder.
    QTest::newRow("removed since") << QByteArray("@/gone, since\r\n") << "已不存在";
    QTest::newRow("a plain file") << QByteArray("@/plain\r\n") << "不是文件夹";
    QTest::newRow("relative path") << QByteArray("Lyrics\r\n") << "不是从根目录开始的完整路径";
#ifndef Q_OS_WIN
    QTest::newRow("from another system") << QByteArray("D:\\Lyrics\r\n") << "不是从根目录开始的完整路径";
#endif
    QTest::newRow("binary junk") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0\x03\0>\0", 16) << "不是文本文件";
    QTest::newRow("control characters") << QByteArray("/home/u/\x1b[31mLyrics\r\n") << "无法识别";
    QTest::newRow("empty quoted field") << QByteArray("\"\"\r\n") << "您还未设置默认保存目录";
    QTest::newRow("settings file too large to read") << QByteArray() << "无法读取文件";
}

void TestDefaultDirectory::unusableStoredDirectoryIsAskedForAgain()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, why);
    writeBytes(temp_->filePath(QStringLiteral("plain")), "x");
    const DefaultDirectorySetting setting(settingsDir_);
    QVERIFY(QDir().mkpath(settingsDir_));
    writeBytes(setting.settingsFilePath(), QByteArray(stored).replace('@', QFile::encodeName(temp_->path())));
    if (stored.isEmpty())
        QVERIFY(QFile::resize(setting.settingsFilePath(), kMaxTextFileBytes + 1));
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {outputDir_ + "/a"};

    QVERIFY(EnsureDefaultDirectory(workspace, prompts, setting));
    // One message says why, then the first run's question, answered and stored.
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY2(prompts.messages.first().startsWith(QStringLiteral("设置默认目录 | ")),
             qPrintable(prompts.messages.first()));
    QVERIFY2(prompts.messages.first().contains(why), qPrintable(prompts.messages.first()));
    QCOMPARE(prompts.dialogPresets.size(), 1);
    QCOMPARE(workspace.defaultDir, outputDir_);
    QCOMPARE(fileBytes(setting.settingsFilePath()), encodeText(outputDir_) + "\r\n");
    QCOMPARE(prompts.captions, QStringList{"TXT文件将生成在" + outputDir_});
}

void TestDefaultDirectory::unrememberedDirectoryServesTheRun_data()
{
    QTest::addColumn<QString>("settingsFolder");
    QTest::addColumn<QString>("failingPath");
    QTest::addColumn<QString>("reason");
    QTest::newRow("settings folder where a plain file is") << "plain/quorvane" << "plain/quorvane"
                                                           << "路径中有一部分不是文件夹";
    QTest::newRow("settings file is a folder") << "config/quorvane" << "config/quorvane/default path.dat"
                                               << "这是一个文件夹，不是文件";
    QTest::newRow("read-only settings folder") << "locked/quorvane" << "locked/quorvane/default path.dat"
                                               << "没有访问权限";
    // "ro:" stands for a read-only disk mounted for the test; root cannot write there either.
    QTest::newRow("settings on a read-only disk") << "ro:quorvane" << "ro:quorvane" << "文件系统是只读的";
}

void TestDefaultDirectory::unrememberedDirectoryServesTheRun()
{
    QFETCH(QString, settingsFolder);
    QFETCH(QString, failingPath);
    QFETCH(QString, reason);
    std::optional<TmpfsMount> readOnlyDisk;
    if (settingsFolder.startsWith(u"ro:")) {
        readOnlyDisk.emplace(QStringLiteral("ro,size=16k"));
        if (!readOnlyDisk->isMounted())
            QSKIP("cannot mount a small tmpfs here (needs root)");
        settingsFolder = readOnlyDisk->filePath(settingsFolder.sliced(3));
        failingPath = settingsFolder;
    } else {
        settingsFolder = temp_->filePath(settingsFolder);
        failingPath = temp_->filePath(failingPath);
    }
    writeBytes(temp_->filePath(QStringLiteral("plain")), "x");
    const DefaultDirectorySetting setting(settingsFolder);
    QVERIFY(QDir().mkpath(temp_->filePath(QStringLiteral("config/quorvane/default path.dat"))));
    const QString locked = temp_->filePath(QStringLiteral("locked/quorvane"));
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const auto unlock = qScopeGuard([&] {
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (settingsFolder == temp_->filePath(QStringLiteral("locked/quorvane")) && QFileInfo(locked).isWritable())
        QSKIP("permissions do not bind this user (root)");
    ConversionWorkspace workspace;
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {outputDir_ + "/a"};

    QVERIFY(EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(workspace.defaultDir, outputDir_);
    QCOMPARE(workspace.sessionDefaultDir, outputDir_);
    QCOMPARE(prompts.messages.size(), 2);
    QCOMPARE(prompts.messages.first(), kNotice);
    const QString warning = prompts.messages.last();
    QVERIFY2(warning.startsWith(QStringLiteral("无法保存设置 | ")) && warning.endsWith(" | exclamation"),
             qPrintable(warning));
    for (const QString &part : {QDir::toNativeSeparators(failingPath), reason, outputDir_})
        QVERIFY2(warning.contains(part), qPrintable(warning));
    QCOMPARE(prompts.captions, QStringList{"TXT文件将生成在" + outputDir_});

    // For the rest of the run: no question and no second warning.
    workspace.defaultDir.clear();
    prompts.messages.clear();
    QVERIFY(EnsureDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(workspace.defaultDir, outputDir_);
    QCOMPARE(prompts.messages, QStringList{});
    QCOMPARE(prompts.dialogPresets.size(), 1);
    QCOMPARE(knownDefaultDirectory(workspace, setting), std::optional<QString>(outputDir_));
}

void TestDefaultDirectory::changingTheDirectoryStoresIt()
{
    const DefaultDirectorySetting setting(settingsDir_);
    QString error;
    QVERIFY(setting.WriteDefaultDirectory(QDir::toNativeSeparators(temp_->path()), error));
    ConversionWorkspace workspace;
    workspace.sessionDefaultDir = QStringLiteral("/an/earlier/unremembered/choice");
    FakeOutputPrompts prompts;
    prompts.saveAnswers = {temp_->filePath("missing/a"), outputDir_ + "/a"};

    QVERIFY(chooseDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(prompts.messages, QStringList{kRetry});
    QCOMPARE(setting.storedDirectory(), std::optional<QString>(outputDir_));
    // Stored at last, the file speaks for the directory again.
    QCOMPARE(workspace.sessionDefaultDir, QString());
    QCOMPARE(prompts.captions, QStringList{"TXT文件将生成在" + outputDir_});

    // Cancel keeps what was stored.
    prompts.messages.clear();
    QVERIFY(!chooseDefaultDirectory(workspace, prompts, setting));
    QCOMPARE(prompts.messages, QStringList{kGaveUp});
    QCOMPARE(setting.storedDirectory(), std::optional<QString>(outputDir_));
}

QTEST_GUILESS_MAIN(TestDefaultDirectory)
#include "tst_defaultdirectory.moc"
