#include "form1.h"
#include "scripteddialogs.h"
#include "textboxtext.h"
#include "textfile.h"
#include "testfiles.h"
#include "windowcommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Receives the folders the window asks the desktop to open.
class FolderOpener : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// Walks the window's commands the way a user does: the real Form1 and its
// handlers, with scripted dialogs and temporary settings and output folders.
class TestWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cancelledOpenDialogChangesNothing();
    void refusesUnusableNames_data();
    void refusesUnusableNames();
    void loadShowsTheFileAndEnablesConvert();
    void convertShowsTheSheetAndEnablesGenerate();
    void convertingTwiceGivesTheSameSheet();
    void failedConvertEmptiesTheSheet();
    void generatesByOptions_data();
    void generatesByOptions();
    void firstGenerateAsksForTheDefaultDirectory();
    void secondLoadStartsAfreshAndRefusesToWriteUnconverted();
    void hoverColoursAndDestination_data();
    void hoverColoursAndDestination();
    void label1OpensTheDefaultDirectory_data();
    void label1OpensTheDefaultDirectory();
    void closeButtonEndsTheProgram();
    void contextMenusChangeTheDefaultDirectory_data();
    void contextMenusChangeTheDefaultDirectory();
    void unwritableSettingsCostOneWarning();
    void takenNameAsksBeforeReplacing_data();
    void takenNameAsksBeforeReplacing();
    void longLinesAreShownInRowsAndWrittenWhole();
    void busyCursorWhileReadingButNotOverMessages();

    void chosenEncodingRereadsAndConvertFollows();
    void failedRereadChangesNothing();
    void refusesBinaryFiles_data();
    void refusesBinaryFiles();
    void convertRefusesFileTurnedBinary();
    void convertWithoutTimedLinesSaysSo();

private:
    void chooseEncoding(const QString &caption) const;
    QString checkedEncoding() const;
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    void storeDefaultDirectory(const QString &directory) const;
    void loadAndConvert(const QString &path);
    QColor command3Colour() const;
    void moveMouseOver(QWidget *widget, QPoint at) const;
    QStringList messageTexts() const;

    std::unique_ptr<QTemporaryDir> temp_;
    QString settingsDir_;
    QString outputDir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<WindowCommands> commands_;
    FolderOpener opener_;
};

namespace {

const QByteArray kRain = "[ti:Rain]\r\n[ar:Someone]\r\n[00:05.00]First\r\n[00:01.50][00:10.00]Second\r\n";
const QString kRainSheet = QStringLiteral("     歌曲：Rain\r\n     艺术家：Someone\r\nSecond\r\nFirst\r\nSecond\r\n");

// How a text box gives back a text whose lines end in CR LF.
QString shown(const QString &text)
{
    QString result = text;
    return result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void TestWindowCommands::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    settingsDir_ = temp_->filePath(QStringLiteral("settings"));
    outputDir_ = temp_->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(outputDir_));
    dialogs_ = std::make_unique<ScriptedDialogs>();
    form_ = std::make_unique<Form1>(*dialogs_);
    commands_ = std::make_unique<WindowCommands>(*form_, DefaultDirectorySetting(settingsDir_));
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener_, "open");
    opener_.opened.clear();
}

void TestWindowCommands::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    commands_.reset();
    form_.reset();
    dialogs_.reset();
    temp_.reset();
}

QString TestWindowCommands::writeFile(const QString &name, const QByteArray &bytes) const
{
    return writeBytes(temp_->filePath(name), bytes);
}

void TestWindowCommands::storeDefaultDirectory(const QString &directory) const
{
    QString error;
    QVERIFY2(DefaultDirectorySetting(settingsDir_).WriteDefaultDirectory(directory, error), qPrintable(error));
}

void TestWindowCommands::loadAndConvert(const QString &path)
{
    dialogs_->answers.append(path);
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QVERIFY(form_->Command2->isEnabled());
    QTest::mouseClick(form_->Command2, Qt::LeftButton);
}

QColor TestWindowCommands::command3Colour() const
{
    const QPoint inside = form_->Command3->mapTo(form_.get(), QPoint(5, 5));
    return form_->grab().toImage().pixelColor(inside);
}

void TestWindowCommands::moveMouseOver(QWidget *widget, QPoint at) const
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void TestWindowCommands::chooseEncoding(const QString &caption) const
{
    for (QAction *action : form_->encodingMenu->actions()) {
        if (action->text() == caption) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable("no encoding entry " + caption));
}

QString TestWindowCommands::checkedEncoding() const
{
    QStringList checked;
    for (const QAction *action : form_->encodingMenu->actions()) {
        if (action->isChecked())
            checked.append(action->text());
    }
    return checked.join(u',');
}

QStringList TestWindowCommands::messageTexts() const
{
    QStringList texts;
    for (const Message &message : dialogs_->messages)
        texts.append(message.text);
    return texts;
}

void TestWindowCommands::cancelledOpenDialogChangesNothing()
{
    dialogs_->answers = {std::nullopt};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QCOMPARE(dialogs_->requests.size(), 1);
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(form_->workspace.loadCount, 0);
    QVERIFY(form_->workspace.sourcePath.isEmpty());
    QVERIFY(!form_->Command2->isEnabled());
}

void TestWindowCommands::refusesUnusableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("namesIt");
    const QString missing = QStringLiteral("对不起，指定路径不存在，请查证后再次输入");
    const QString notAFile = QStringLiteral("不是普通文件");
    const QString error = QStringLiteral("错误提示");
    QTest::newRow("empty name") << QString() << QStringLiteral("不能为空值") << QStringLiteral("错误") << false;
    QTest::newRow("missing file") << "no such.lrc" << missing << error << false;
    QTest::newRow("link to nowhere") << "dangling.lrc" << missing << error << false;
    QTest::newRow("a folder") << "out" << notAFile << error << true;
    QTest::newRow("a device") << "/dev/zero" << notAFile << error << true;
    QTest::newRow("a pipe") << "pipe.lrc" << notAFile << error << true;
    QTest::newRow("too large to be lyrics") << "huge.lrc" << QStringLiteral("超过了8 MB的上限") << error << true;
}

void TestWindowCommands::refusesUnusableNames()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, namesIt);
#ifdef Q_OS_UNIX
    QVERIFY(QFile::link(temp_->filePath(QStringLiteral("nowhere")), temp_->filePath(QStringLiteral("dangling.lrc"))));
    QCOMPARE(mkfifo(QFile::encodeName(temp_->filePath(QStringLiteral("pipe.lrc"))).constData(), 0600), 0);
#else
    if (name == u"dangling.lrc" || name == u"/dev/zero" || name == u"pipe.lrc")
        QSKIP("needs links, devices and pipes");
#endif
    // Refused before a byte of it is read: the file is sparse.
    QVERIFY(QFile::resize(writeFile(QStringLiteral("huge.lrc"), "[00:01.00]a\r\n"), kMaxTextFileBytes + 1));
    const QString path = name.isEmpty() || QDir::isAbsolutePath(name) ? name : temp_->filePath(name);
    dialogs_->answers = {path};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY2(dialogs_->messages.at(0).text.contains(text), qPrintable(dialogs_->messages.at(0).text));
    if (!path.isEmpty())
        QCOMPARE(dialogs_->messages.at(0).text.contains(QDir::toNativeSeparators(path)), namesIt);
    QCOMPARE(dialogs_->messages.at(0).title, title);
    QCOMPARE(dialogs_->messages.at(0).icon, MessageIcon::Critical);
    QCOMPARE(form_->workspace.loadCount, 0);
    QVERIFY(form_->workspace.sourcePath.isEmpty());
    QVERIFY(!form_->Command2->isEnabled());
    QVERIFY(form_->Text1->toPlainText().isEmpty());
}

void TestWindowCommands::loadShowsTheFileAndEnablesConvert()
{
    const QString path = writeFile(QStringLiteral("雨.lrc"), "[ti:\xd3\xea]\r\n[00:01.00]a\nlast");
    dialogs_->answers = {path};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QVERIFY(dialogs_->messages.isEmpty());
    // Every line is shown with a line end, the last one too.
    QCOMPARE(form_->Text1->toPlainText(), QStringLiteral("[ti:雨]\n[00:01.00]a\nlast\n"));
    QCOMPARE(form_->workspace.sourcePath, path);
    QCOMPARE(form_->workspace.loadCount, 1);
    QVERIFY(form_->Command2->isEnabled());
    QVERIFY(!form_->Command3->isEnabled());
    QVERIFY(form_->Text2->toPlainText().isEmpty());

    // The Open dialog starts from the file chosen last.
    dialogs_->answers = {std::nullopt};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QCOMPARE(dialogs_->requests.last().fileName, path);
}

void TestWindowCommands::convertShowsTheSheetAndEnablesGenerate()
{
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(form_->workspace.resultText, kRainSheet);
    QCOMPARE(form_->Text2->toPlainText(), shown(kRainSheet));
    QVERIFY(form_->Command3->isEnabled());
}

void TestWindowCommands::convertingTwiceGivesTheSameSheet()
{
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    QTest::mouseClick(form_->Command2, Qt::LeftButton);
    QCOMPARE(form_->workspace.resultText, kRainSheet);
    QCOMPARE(form_->Text2->toPlainText(), shown(kRainSheet));
}

void TestWindowCommands::failedConvertEmptiesTheSheet()
{
    storeDefaultDirectory(outputDir_);
    const QString path = writeFile(QStringLiteral("Rain.lrc"), kRain);
    loadAndConvert(path);
    QCOMPARE(form_->Text2->toPlainText(), shown(kRainSheet));
    QVERIFY(QFile::remove(path));

    QTest::mouseClick(form_->Command2, Qt::LeftButton);
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->messages.at(0).icon, MessageIcon::Critical);
    QVERIFY2(dialogs_->messages.at(0).text.contains(QStringLiteral("Rain.lrc")),
             qPrintable(dialogs_->messages.at(0).text));
    // What the window shows is what Generate would write: nothing.
    QVERIFY(form_->Text2->toPlainText().isEmpty());
    QVERIFY(form_->workspace.resultText.isEmpty());
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(dialogs_->messages.last().text, QStringLiteral("请先转换歌词，再生成TXT。"));
    QVERIFY(!QFile::exists(outputDir_ + QStringLiteral("/Rain.txt")));
}

void TestWindowCommands::generatesByOptions_data()
{
    QTest::addColumn<bool>("defaultDirectory");
    QTest::addColumn<bool>("sourceName");
    QTest::addColumn<bool>("asksWhere");
    QTest::newRow("default folder, own name") << true << true << false;
    QTest::newRow("default folder, chosen name") << true << false << true;
    QTest::newRow("new folder, own name") << false << true << true;
    QTest::newRow("new folder, chosen name") << false << false << true;
}

void TestWindowCommands::generatesByOptions()
{
    QFETCH(bool, defaultDirectory);
    QFETCH(bool, sourceName);
    QFETCH(bool, asksWhere);
    storeDefaultDirectory(outputDir_);
    loadAndConvert(writeFile(QStringLiteral("Rain.song.lrc"), kRain));
    (defaultDirectory ? form_->Option1 : form_->Option2)->setChecked(true);
    (sourceName ? form_->Option3 : form_->Option4)->setChecked(true);
    const qsizetype requestsBefore = dialogs_->requests.size();
    const QString chosen = temp_->filePath(QStringLiteral("elsewhere.txt"));
    dialogs_->answers = {chosen};

    QTest::mouseClick(form_->Command3, Qt::LeftButton);

    const QString defaultPath = QDir::toNativeSeparators(outputDir_ + QStringLiteral("/Rain.txt"));
    QCOMPARE(dialogs_->requests.size(), requestsBefore + (asksWhere ? 1 : 0));
    if (asksWhere)
        QCOMPARE(dialogs_->requests.last().fileName, defaultPath);
    const QString written = asksWhere ? chosen : defaultPath;
    QCOMPARE(fileBytes(written), (kRainSheet + QStringLiteral("\r\n")).toUtf8());
    QCOMPARE(QFile::exists(asksWhere ? defaultPath : chosen), false);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("恭喜，成功写入TXT！")});
}

void TestWindowCommands::firstGenerateAsksForTheDefaultDirectory()
{
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    dialogs_->answers = {outputDir_ + QStringLiteral("/a")};

    QTest::mouseClick(form_->Command3, Qt::LeftButton);

    QCOMPARE(messageTexts(), (QStringList{QStringLiteral("您还未设置默认保存目录，请设置"),
                                          QStringLiteral("恭喜，成功写入TXT！")}));
    const QString nativeDir = QDir::toNativeSeparators(outputDir_);
    QCOMPARE(fileBytes(settingsDir_ + QStringLiteral("/default path.dat")), (nativeDir + "\r\n").toUtf8());
    QCOMPARE(fileBytes(outputDir_ + QStringLiteral("/Rain.txt")), (kRainSheet + QStringLiteral("\r\n")).toUtf8());
    // The label learns the new directory but is not shown by it.
    QCOMPARE(form_->Label1->text(), QStringLiteral("TXT文件将生成在") + nativeDir);
    QVERIFY(form_->Label1->isHidden());
}

void TestWindowCommands::secondLoadStartsAfreshAndRefusesToWriteUnconverted()
{
    storeDefaultDirectory(outputDir_);
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    const QByteArray goodSheet = fileBytes(outputDir_ + QStringLiteral("/Rain.txt"));
    QCOMPARE(goodSheet, (kRainSheet + QStringLiteral("\r\n")).toUtf8());
    dialogs_->messages.clear();

    // Another file of the same name, from another folder.
    QVERIFY(QDir(temp_->path()).mkdir(QStringLiteral("again")));
    const QString again = writeFile(QStringLiteral("again/Rain.lrc"), "[00:02.00]flake\r\n");
    dialogs_->answers = {again};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QCOMPARE(form_->Text1->toPlainText(), QStringLiteral("[00:02.00]flake\n"));
    QVERIFY(form_->Text2->toPlainText().isEmpty());
    QVERIFY(form_->workspace.resultText.isEmpty());
    QCOMPARE(form_->workspace.lineCount, 0);
    QCOMPARE(form_->workspace.loadCount, 2);
    QCOMPARE(form_->workspace.sourcePath, again);
    QVERIFY(form_->Command3->isEnabled());

    // Generating before converting must not replace the good sheet with an empty one.
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("请先转换歌词，再生成TXT。")});
    QCOMPARE(fileBytes(outputDir_ + QStringLiteral("/Rain.txt")), goodSheet);
}

void TestWindowCommands::hoverColoursAndDestination_data()
{
    QTest::addColumn<bool>("stored");
    QTest::newRow("no default directory yet") << false;
    QTest::newRow("default directory stored") << true;
}

void TestWindowCommands::hoverColoursAndDestination()
{
    QFETCH(bool, stored);
    if (stored)
        storeDefaultDirectory(outputDir_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const QColor white(255, 255, 255);
    const QColor purple(192, 0, 192);

    // Before the first conversion the button takes no part in hovering.
    moveMouseOver(form_->Command3, QPoint(5, 5));
    QCOMPARE(command3Colour(), white);
    QVERIFY(form_->Label1->isHidden());

    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    moveMouseOver(form_->Command3, QPoint(5, 5));
    QCOMPARE(command3Colour(), purple);
    QVERIFY(form_->Label1->isVisible());
    const QString destination = stored ? QDir::toNativeSeparators(outputDir_) : QStringLiteral("（暂未指定！）");
    QCOMPARE(form_->Label1->text(), QStringLiteral("TXT文件将生成在") + destination);

    // Another control keeps the colour; only the bare window restores it.
    moveMouseOver(form_->Command1, QPoint(5, 5));
    QCOMPARE(command3Colour(), purple);
    moveMouseOver(form_.get(), QPoint(4, 300));
    QCOMPARE(command3Colour(), white);

    // The caption is set on the first showing only.
    storeDefaultDirectory(temp_->path());
    moveMouseOver(form_->Command3, QPoint(5, 5));
    QCOMPARE(form_->Label1->text(), QStringLiteral("TXT文件将生成在") + destination);
}

void TestWindowCommands::label1OpensTheDefaultDirectory_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("opens");
    QTest::newRow("no setting") << QString() << QStringLiteral("目录未指定！！！") << false;
    QTest::newRow("existing folder") << QStringLiteral("out") << QString() << true;
    QTest::newRow("folder removed since") << QStringLiteral("gone") << QStringLiteral("不存在") << false;
}

void TestWindowCommands::label1OpensTheDefaultDirectory()
{
    QFETCH(QString, stored);
    QFETCH(QString, message);
    QFETCH(bool, opens);
    if (!stored.isEmpty())
        storeDefaultDirectory(temp_->filePath(stored));
    form_->Label1->show();

    QTest::mouseClick(form_->Label1, Qt::LeftButton);

    if (opens) {
        QCOMPARE(opener_.opened, QList<QUrl>{QUrl::fromLocalFile(outputDir_)});
        QVERIFY(dialogs_->messages.isEmpty());
    } else {
        QVERIFY(opener_.opened.isEmpty());
        QCOMPARE(dialogs_->messages.size(), 1);
        QVERIFY2(dialogs_->messages.at(0).text.contains(message), qPrintable(dialogs_->messages.at(0).text));
        QCOMPARE(dialogs_->messages.at(0).title, QStringLiteral("错误"));
        QCOMPARE(dialogs_->messages.at(0).icon, MessageIcon::Critical);
    }
}

void TestWindowCommands::closeButtonEndsTheProgram()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QTest::mouseClick(form_->Command4, Qt::LeftButton);
    QVERIFY(!form_->isVisible());
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestWindowCommands::chosenEncodingRereadsAndConvertFollows()
{
    // Too short for detection to recognise Big5: it reads GB18030.
    const QByteArray big5 = "[ti:\xa7\x41\xa6\x6e]\r\n[00:01.00]\xa7\x41\xa6\x6e\r\n";
    const QString path = writeFile(QStringLiteral("hello.lrc"), big5);
    storeDefaultDirectory(outputDir_);
    loadAndConvert(path);
    QCOMPARE(form_->Text1->toolTip(), QStringLiteral("编码：GB18030"));
    QVERIFY(!form_->Text1->toPlainText().contains(QStringLiteral("你好")));

    chooseEncoding(QStringLiteral("Big5"));
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(form_->Text1->toPlainText(), QStringLiteral("[ti:你好]\n[00:01.00]你好\n"));
    QCOMPARE(form_->Text1->toolTip(), QStringLiteral("编码：Big5"));
    QCOMPARE(checkedEncoding(), QStringLiteral("Big5"));
    // The sheet of the old reading is gone: Generate asks for a Convert.
    QVERIFY(form_->Text2->toPlainText().isEmpty());
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("请先转换歌词，再生成TXT。")});
    QVERIFY(!QFile::exists(outputDir_ + QStringLiteral("/hello.txt")));

    // Convert reads the file as Text1 shows it.
    QTest::mouseClick(form_->Command2, Qt::LeftButton);
    QCOMPARE(form_->workspace.resultText, QStringLiteral("     歌曲：你好\r\n你好\r\n"));
    QCOMPARE(form_->Text2->toPlainText(), QStringLiteral("     歌曲：你好\n你好\n"));

    // A new Load detects again.
    dialogs_->answers = {path};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QCOMPARE(checkedEncoding(), QStringLiteral("自动检测"));
    QCOMPARE(form_->Text1->toolTip(), QStringLiteral("编码：GB18030"));
    QVERIFY(form_->workspace.sourceEncoding.isEmpty());
    QTest::mouseClick(form_->Command2, Qt::LeftButton);
    QVERIFY(!form_->workspace.resultText.contains(QStringLiteral("你好")));
}

void TestWindowCommands::failedRereadChangesNothing()
{
    const QString path = writeFile(QStringLiteral("Rain.lrc"), kRain);
    loadAndConvert(path);
    const QString shownFile = form_->Text1->toPlainText();
    QVERIFY(QFile::remove(path));

    chooseEncoding(QStringLiteral("UTF-16BE"));
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY2(dialogs_->messages.at(0).text.contains(QStringLiteral("Rain.lrc")),
             qPrintable(dialogs_->messages.at(0).text));
    QCOMPARE(form_->Text1->toPlainText(), shownFile);
    QCOMPARE(form_->Text2->toPlainText(), shown(kRainSheet));
    QCOMPARE(form_->Text1->toolTip(), QStringLiteral("编码：UTF-8"));
    QCOMPARE(checkedEncoding(), QStringLiteral("自动检测"));
    QVERIFY(form_->workspace.sourceEncoding.isEmpty());
}

void TestWindowCommands::refusesBinaryFiles_data()
{
    QTest::addColumn<bool>("loadedBefore");
    QTest::newRow("first load") << false;
    QTest::newRow("after a good load") << true;
}

void TestWindowCommands::refusesBinaryFiles()
{
    QFETCH(bool, loadedBefore);
    const QString good = writeFile(QStringLiteral("Rain.lrc"), kRain);
    if (loadedBefore)
        loadAndConvert(good);
    const QString text1 = form_->Text1->toPlainText();
    const QString text2 = form_->Text2->toPlainText();
    const QString tooltip = form_->Text1->toolTip();
    const bool convertEnabled = form_->Command2->isEnabled();
    const bool generateEnabled = form_->Command3->isEnabled();
    const int loads = form_->workspace.loadCount;
    const QString sourcePath = form_->workspace.sourcePath;
    const QString sheet = form_->workspace.resultText;

    const QString binary = writeFile(QStringLiteral("cover.lrc"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    dialogs_->answers = {binary};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);

    QCOMPARE(dialogs_->messages.size(), 1);
    const Message &message = dialogs_->messages.at(0);
    QVERIFY2(message.text.endsWith(QStringLiteral("不是文本文件")), qPrintable(message.text));
    QVERIFY2(message.text.contains(QStringLiteral("cover.lrc")), qPrintable(message.text));
    QCOMPARE(message.title, QStringLiteral("错误"));
    QCOMPARE(message.icon, MessageIcon::Critical);
    QCOMPARE(form_->Text1->toPlainText(), text1);
    QCOMPARE(form_->Text2->toPlainText(), text2);
    QCOMPARE(form_->Text1->toolTip(), tooltip);
    QCOMPARE(form_->Command2->isEnabled(), convertEnabled);
    QCOMPARE(form_->Command3->isEnabled(), generateEnabled);
    QCOMPARE(form_->workspace.loadCount, loads);
    QCOMPARE(form_->workspace.sourcePath, sourcePath);
    QCOMPARE(form_->workspace.resultText, sheet);
    QCOMPARE(form_->encodingMenu->isEnabled(), loadedBefore);
}

void TestWindowCommands::convertRefusesFileTurnedBinary()
{
    const QString path = writeFile(QStringLiteral("Rain.lrc"), kRain);
    loadAndConvert(path);
    writeFile(QStringLiteral("Rain.lrc"), QByteArray("[00:01.00]a\0b\r\n", 15));

    QTest::mouseClick(form_->Command2, Qt::LeftButton);
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY2(dialogs_->messages.at(0).text.endsWith(QStringLiteral("不是文本文件")),
             qPrintable(dialogs_->messages.at(0).text));
    // What the window shows is what Generate would write: nothing.
    QVERIFY(form_->Text2->toPlainText().isEmpty());
    QVERIFY(form_->workspace.resultText.isEmpty());
}

void TestWindowCommands::convertWithoutTimedLinesSaysSo()
{
    storeDefaultDirectory(outputDir_);
    loadAndConvert(writeFile(QStringLiteral("Words.lrc"), "[ti:Words]\r\n[re:maker]\r\nno time here\r\n"));

    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->messages.at(0).text, QStringLiteral("文件中没有带时间标签的歌词行，转换结果不含歌词。"));
    QCOMPARE(dialogs_->messages.at(0).title, QStringLiteral("提示"));
    QCOMPARE(dialogs_->messages.at(0).icon, MessageIcon::Exclamation);
    QCOMPARE(form_->Text2->toPlainText(), QStringLiteral("     歌曲：Words\n"));
    QVERIFY(form_->Command3->isEnabled());

    // The header alone is still a sheet that can be written.
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(messageTexts().last(), QStringLiteral("恭喜，成功写入TXT！"));
    QCOMPARE(fileBytes(outputDir_ + QStringLiteral("/Words.txt")), QStringLiteral("     歌曲：Words\r\n\r\n").toUtf8());

    // A file with timed lines gives no notice.
    dialogs_->messages.clear();
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestWindowCommands::contextMenusChangeTheDefaultDirectory_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("Label1") << "Label1";
    QTest::newRow("Frame1") << "Frame1";
    // The option buttons pass their right-clicks on to their frame.
    QTest::newRow("Option2 in Frame1") << "Option2";
}

void TestWindowCommands::contextMenusChangeTheDefaultDirectory()
{
    QFETCH(QString, control);
    storeDefaultDirectory(temp_->path());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->Label1->show();
    QWidget *widget = form_->findChild<QWidget *>(control);
    QVERIFY(widget);
    const QString newDir = temp_->filePath(QStringLiteral("new home"));
    QVERIFY(QDir().mkpath(newDir));
    dialogs_->answers = {newDir + QStringLiteral("/a")};

    // Right-click, then pick the entry the way a user does, with the keyboard.
    QStringList offered;
    QObject pickerLifetime; // no menu would leave the timer to outlive this test
    QTimer::singleShot(50, &pickerLifetime, [&offered] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            offered.append(action->text());
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint at(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);

    QCOMPARE(offered, QStringList{QStringLiteral("更改默认目录…")});
    QCOMPARE(dialogs_->requests.size(), 1);
    QCOMPARE(dialogs_->requests.first().kind, FileDialogRequest::Kind::Save);
    QVERIFY(dialogs_->messages.isEmpty());
    const QString nativeDir = QDir::toNativeSeparators(newDir);
    QCOMPARE(fileBytes(settingsDir_ + QStringLiteral("/default path.dat")), (nativeDir + "\r\n").toUtf8());
    QCOMPARE(form_->Label1->text(), QStringLiteral("TXT文件将生成在") + nativeDir);
}

void TestWindowCommands::unwritableSettingsCostOneWarning()
{
    // A plain file where the settings folder should be.
    writeFile(QStringLiteral("settings"), "x");
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    dialogs_->answers = {outputDir_ + QStringLiteral("/a")};

    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(dialogs_->messages.size(), 3);
    QCOMPARE(dialogs_->messages.at(0).text, QStringLiteral("您还未设置默认保存目录，请设置"));
    QCOMPARE(dialogs_->messages.at(1).title, QStringLiteral("无法保存设置"));
    QCOMPARE(dialogs_->messages.at(2).text, QStringLiteral("恭喜，成功写入TXT！"));
    QCOMPARE(fileBytes(outputDir_ + QStringLiteral("/Rain.txt")), (kRainSheet + QStringLiteral("\r\n")).toUtf8());

    // The rest of the run writes there, shows it and opens it, and never asks again.
    QVERIFY(QFile::remove(outputDir_ + QStringLiteral("/Rain.txt")));
    dialogs_->messages.clear();
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("恭喜，成功写入TXT！")});
    QCOMPARE(dialogs_->requests.size(), 2); // the Open dialog and the one question
    QVERIFY(QFile::exists(outputDir_ + QStringLiteral("/Rain.txt")));
    moveMouseOver(form_->Command3, QPoint(5, 5));
    QCOMPARE(form_->Label1->text(), QStringLiteral("TXT文件将生成在") + QDir::toNativeSeparators(outputDir_));
    QTest::mouseClick(form_->Label1, Qt::LeftButton);
    QCOMPARE(opener_.opened, QList<QUrl>{QUrl::fromLocalFile(outputDir_)});
    QCOMPARE(fileBytes(settingsDir_), QByteArray("x"));
}

void TestWindowCommands::takenNameAsksBeforeReplacing_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("是 replaces") << true;
    QTest::newRow("否 keeps the other sheet") << false;
}

void TestWindowCommands::takenNameAsksBeforeReplacing()
{
    QFETCH(bool, yes);
    storeDefaultDirectory(outputDir_);
    const QString target = outputDir_ + QStringLiteral("/Rain.txt");
    writeBytes(target, "another song's sheet\r\n");
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    dialogs_->questionAnswers = {yes};

    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(dialogs_->questions.size(), 1);
    QCOMPARE(dialogs_->questions.first().title, QStringLiteral("文件已存在"));
    QVERIFY2(dialogs_->questions.first().text.contains(QDir::toNativeSeparators(target)),
             qPrintable(dialogs_->questions.first().text));
    QCOMPARE(messageTexts(), QStringList{yes ? QStringLiteral("恭喜，成功写入TXT！") : QStringLiteral("用户放弃写入")});
    QCOMPARE(fileBytes(target), yes ? (kRainSheet + QStringLiteral("\r\n")).toUtf8()
                                    : QByteArray("another song's sheet\r\n"));
}

void TestWindowCommands::longLinesAreShownInRowsAndWrittenWhole()
{
    storeDefaultDirectory(outputDir_);
    const QString text(2 * kMaxShownRowLength + 100, u'啦');
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), ("[00:01.00]" + text + "\r\n").toUtf8()));
    QVERIFY(dialogs_->messages.isEmpty());

    // Three rows in each box, every character of the line in them.
    QCOMPARE(form_->Text1->blockCount(), 4);
    QCOMPARE(form_->Text1->toPlainText().remove(u'\n'), "[00:01.00]" + text);
    QCOMPARE(form_->Text2->blockCount(), 4);
    QCOMPARE(form_->Text2->toPlainText().remove(u'\n'), text);

    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("恭喜，成功写入TXT！")});
    QCOMPARE(fileBytes(outputDir_ + QStringLiteral("/Rain.txt")), (text + "\r\n\r\n").toUtf8());
}

void TestWindowCommands::busyCursorWhileReadingButNotOverMessages()
{
    QList<bool> busyWhileShowing;
    for (QPlainTextEdit *box : {form_->Text1, form_->Text2}) {
        connect(box, &QPlainTextEdit::textChanged, this, [&busyWhileShowing] {
            const QCursor *cursor = QApplication::overrideCursor();
            busyWhileShowing.append(cursor && cursor->shape() == Qt::WaitCursor);
        });
    }
    const QString path = writeFile(QStringLiteral("Rain.lrc"), kRain);
    loadAndConvert(path);
    QCOMPARE(busyWhileShowing, (QList<bool>{true, true}));
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // Failures are told with the normal cursor back.
    QVERIFY(QFile::remove(path));
    QTest::mouseClick(form_->Command2, Qt::LeftButton);
    dialogs_->answers = {path};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    writeFile(QStringLiteral("Rain.lrc"), QByteArray("\n").repeated(kMaxTextFileLines + 1));
    dialogs_->answers = {path};
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QCOMPARE(dialogs_->messages.size(), 3);
    QCOMPARE(dialogs_->busyDuringMessages, (QList<bool>{false, false, false}));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
