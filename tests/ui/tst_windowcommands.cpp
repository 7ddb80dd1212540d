#include "form1.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

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
    void failedConvertKeepsWhatWasShown();
    void generatesByOptions_data();
    void generatesByOptions();
    void firstGenerateAsksForTheDefaultDirectory();
    void secondLoadStartsAfreshAndRefusesToWriteUnconverted();
    void hoverColoursAndDestination_data();
    void hoverColoursAndDestination();
    void label1OpensTheDefaultDirectory_data();
    void label1OpensTheDefaultDirectory();
    void closeButtonEndsTheProgram();

private:
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray fileBytes(const QString &path) const;
    void storeDefaultDirectory(const QString &directory) const;
    void loadAndConvert(const QString &path);
    QColor command3Colour() const;
    void moveMouseOver(QWidget *widget, QPoint at) const;
    QStringList messageTexts() const;

    std::unique_ptr<QTemporaryDir> temp;
    QString settingsDir;
    QString outputDir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<Form1> form;
    FolderOpener opener;
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
    temp = std::make_unique<QTemporaryDir>();
    QVERIFY(temp->isValid());
    settingsDir = temp->filePath(QStringLiteral("settings"));
    outputDir = temp->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(outputDir));
    dialogs = std::make_unique<ScriptedDialogs>();
    form = std::make_unique<Form1>(*dialogs, DefaultDirectorySetting(settingsDir));
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    opener.opened.clear();
}

void TestWindowCommands::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    form.reset();
    dialogs.reset();
    temp.reset();
}

QString TestWindowCommands::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = temp->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray TestWindowCommands::fileBytes(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestWindowCommands::storeDefaultDirectory(const QString &directory) const
{
    QString error;
    QVERIFY2(DefaultDirectorySetting(settingsDir).WriteDefaultDirectory(directory, error), qPrintable(error));
}

void TestWindowCommands::loadAndConvert(const QString &path)
{
    dialogs->answers.append(path);
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QVERIFY(form->Command2->isEnabled());
    QTest::mouseClick(form->Command2, Qt::LeftButton);
}

QColor TestWindowCommands::command3Colour() const
{
    const QPoint inside = form->Command3->mapTo(form.get(), QPoint(5, 5));
    return form->grab().toImage().pixelColor(inside);
}

void TestWindowCommands::moveMouseOver(QWidget *widget, QPoint at) const
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QStringList TestWindowCommands::messageTexts() const
{
    QStringList texts;
    for (const ScriptedDialogs::Message &message : dialogs->messages)
        texts.append(message.text);
    return texts;
}

void TestWindowCommands::cancelledOpenDialogChangesNothing()
{
    dialogs->answers = {std::nullopt};
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(dialogs->requests.size(), 1);
    QVERIFY(dialogs->messages.isEmpty());
    QCOMPARE(form->workspace.loadCount, 0);
    QVERIFY(form->workspace.sourcePath.isEmpty());
    QVERIFY(!form->Command2->isEnabled());
}

void TestWindowCommands::refusesUnusableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    const QString missing = QStringLiteral("对不起，制定路径不存在，请查证后再次输入");
    QTest::newRow("empty name") << QString() << QStringLiteral("不能为空值") << QStringLiteral("错误");
    QTest::newRow("missing file") << "no such.lrc" << missing << QStringLiteral("错误提示");
    QTest::newRow("a folder") << "out" << missing << QStringLiteral("错误提示");
}

void TestWindowCommands::refusesUnusableNames()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, title);
    dialogs->answers = {name.isEmpty() ? QString() : temp->filePath(name)};
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(dialogs->messages.at(0).text, text);
    QCOMPARE(dialogs->messages.at(0).title, title);
    QCOMPARE(dialogs->messages.at(0).icon, MessageIcon::Critical);
    QCOMPARE(form->workspace.loadCount, 0);
    QVERIFY(form->workspace.sourcePath.isEmpty());
    QVERIFY(!form->Command2->isEnabled());
}

void TestWindowCommands::loadShowsTheFileAndEnablesConvert()
{
    const QString path = writeFile(QStringLiteral("雨.lrc"), "[ti:\xd3\xea]\r\n[00:01.00]a\nlast");
    dialogs->answers = {path};
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QVERIFY(dialogs->messages.isEmpty());
    // Every line is shown with a line end, the last one too.
    QCOMPARE(form->Text1->toPlainText(), QStringLiteral("[ti:雨]\n[00:01.00]a\nlast\n"));
    QCOMPARE(form->workspace.sourcePath, path);
    QCOMPARE(form->workspace.loadCount, 1);
    QVERIFY(form->Command2->isEnabled());
    QVERIFY(!form->Command3->isEnabled());
    QVERIFY(form->Text2->toPlainText().isEmpty());

    // The Open dialog starts from the file chosen last.
    dialogs->answers = {std::nullopt};
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(dialogs->requests.last().fileName, path);
}

void TestWindowCommands::convertShowsTheSheetAndEnablesGenerate()
{
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    QVERIFY(dialogs->messages.isEmpty());
    QCOMPARE(form->workspace.resultText, kRainSheet);
    QCOMPARE(form->Text2->toPlainText(), shown(kRainSheet));
    QVERIFY(form->Command3->isEnabled());
}

void TestWindowCommands::convertingTwiceGivesTheSameSheet()
{
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(form->workspace.resultText, kRainSheet);
    QCOMPARE(form->Text2->toPlainText(), shown(kRainSheet));
}

void TestWindowCommands::failedConvertKeepsWhatWasShown()
{
    const QString path = writeFile(QStringLiteral("Rain.lrc"), kRain);
    loadAndConvert(path);
    QVERIFY(QFile::remove(path));

    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(dialogs->messages.at(0).icon, MessageIcon::Critical);
    QVERIFY2(dialogs->messages.at(0).text.contains(QStringLiteral("Rain.lrc")),
             qPrintable(dialogs->messages.at(0).text));
    QCOMPARE(form->Text2->toPlainText(), shown(kRainSheet));
    QVERIFY(form->Command3->isEnabled());
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
    storeDefaultDirectory(outputDir);
    loadAndConvert(writeFile(QStringLiteral("Rain.song.lrc"), kRain));
    (defaultDirectory ? form->Option1 : form->Option2)->setChecked(true);
    (sourceName ? form->Option3 : form->Option4)->setChecked(true);
    const qsizetype requestsBefore = dialogs->requests.size();
    const QString chosen = temp->filePath(QStringLiteral("elsewhere.txt"));
    dialogs->answers = {chosen};

    QTest::mouseClick(form->Command3, Qt::LeftButton);

    const QString defaultPath = QDir::toNativeSeparators(outputDir + QStringLiteral("/Rain.txt"));
    QCOMPARE(dialogs->requests.size(), requestsBefore + (asksWhere ? 1 : 0));
    if (asksWhere)
        QCOMPARE(dialogs->requests.last().fileName, defaultPath);
    const QString written = asksWhere ? chosen : defaultPath;
    QCOMPARE(fileBytes(written), (kRainSheet + QStringLiteral("\r\n")).toUtf8());
    QCOMPARE(QFile::exists(asksWhere ? defaultPath : chosen), false);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("恭喜，成功写入TXT！")});
}

void TestWindowCommands::firstGenerateAsksForTheDefaultDirectory()
{
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    dialogs->answers = {outputDir + QStringLiteral("/a")};

    QTest::mouseClick(form->Command3, Qt::LeftButton);

    QCOMPARE(messageTexts(), (QStringList{QStringLiteral("您还未设置默认保存目录，请设置"),
                                          QStringLiteral("恭喜，成功写入TXT！")}));
    const QString nativeDir = QDir::toNativeSeparators(outputDir);
    QCOMPARE(fileBytes(settingsDir + QStringLiteral("/default path.dat")), (nativeDir + "\r\n").toUtf8());
    QCOMPARE(fileBytes(outputDir + QStringLiteral("/Rain.txt")), (kRainSheet + QStringLiteral("\r\n")).toUtf8());
    // The label learns the new directory but is not shown by it.
    QCOMPARE(form->Label1->text(), QStringLiteral("TXT文件将生成在") + nativeDir);
    QVERIFY(form->Label1->isHidden());
}

void TestWindowCommands::secondLoadStartsAfreshAndRefusesToWriteUnconverted()
{
    storeDefaultDirectory(outputDir);
    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    const QByteArray goodSheet = fileBytes(outputDir + QStringLiteral("/Rain.txt"));
    QCOMPARE(goodSheet, (kRainSheet + QStringLiteral("\r\n")).toUtf8());
    dialogs->messages.clear();

    // Another file of the same name, from another folder.
    QVERIFY(QDir(temp->path()).mkdir(QStringLiteral("again")));
    const QString again = writeFile(QStringLiteral("again/Rain.lrc"), "[00:02.00]flake\r\n");
    dialogs->answers = {again};
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(form->Text1->toPlainText(), QStringLiteral("[00:02.00]flake\n"));
    QVERIFY(form->Text2->toPlainText().isEmpty());
    QVERIFY(form->workspace.resultText.isEmpty());
    QCOMPARE(form->workspace.lineCount, 0);
    QCOMPARE(form->workspace.loadCount, 2);
    QCOMPARE(form->workspace.sourcePath, again);
    QVERIFY(form->Command3->isEnabled());

    // Generating before converting must not replace the good sheet with an empty one.
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("请先转换歌词，再生成TXT。")});
    QCOMPARE(fileBytes(outputDir + QStringLiteral("/Rain.txt")), goodSheet);
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
        storeDefaultDirectory(outputDir);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QColor white(255, 255, 255);
    const QColor purple(192, 0, 192);

    // Before the first conversion the button takes no part in hovering.
    moveMouseOver(form->Command3, QPoint(5, 5));
    QCOMPARE(command3Colour(), white);
    QVERIFY(form->Label1->isHidden());

    loadAndConvert(writeFile(QStringLiteral("Rain.lrc"), kRain));
    moveMouseOver(form->Command3, QPoint(5, 5));
    QCOMPARE(command3Colour(), purple);
    QVERIFY(form->Label1->isVisible());
    const QString destination = stored ? QDir::toNativeSeparators(outputDir) : QStringLiteral("（暂未指定！）");
    QCOMPARE(form->Label1->text(), QStringLiteral("TXT文件将生成在") + destination);

    // Another control keeps the colour; only the bare window restores it.
    moveMouseOver(form->Command1, QPoint(5, 5));
    QCOMPARE(command3Colour(), purple);
    moveMouseOver(form.get(), QPoint(4, 300));
    QCOMPARE(command3Colour(), white);

    // The caption is set on the first showing only.
    storeDefaultDirectory(temp->path());
    moveMouseOver(form->Command3, QPoint(5, 5));
    QCOMPARE(form->Label1->text(), QStringLiteral("TXT文件将生成在") + destination);
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
        storeDefaultDirectory(temp->filePath(stored));
    form->Label1->show();

    QTest::mouseClick(form->Label1, Qt::LeftButton);

    if (opens) {
        QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(outputDir)});
        QVERIFY(dialogs->messages.isEmpty());
    } else {
        QVERIFY(opener.opened.isEmpty());
        QCOMPARE(dialogs->messages.size(), 1);
        QVERIFY2(dialogs->messages.at(0).text.contains(message), qPrintable(dialogs->messages.at(0).text));
        QCOMPARE(dialogs->messages.at(0).title, QStringLiteral("错误"));
        QCOMPARE(dialogs->messages.at(0).icon, MessageIcon::Critical);
    }
}

void TestWindowCommands::closeButtonEndsTheProgram()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseClick(form->Command4, Qt::LeftButton);
    QVERIFY(!form->isVisible());
    QVERIFY(dialogs->messages.isEmpty());
}

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
