#include "form1.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "windowcommands.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// Drops on the real window, as a file manager or a browser makes them: what
// they carry, and where on the window they land.
class TestFileDrop : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dropLoadsLikeLoad_data();
    void dropLoadsLikeLoad();
    void dropAnywhereReachesTheWindow_data();
    void dropAnywhereReachesTheWindow();
    void neverAcceptsAMove();

private:
    QWidget *dropTarget(const QString &name) const;
    // Drags data over target and drops it there; returns whether the drop was taken.
    bool dragAndDrop(QWidget *target, QMimeData &data, Qt::DropActions actions) const;

    std::unique_ptr<QTemporaryDir> temp_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<WindowCommands> commands_;
};

namespace {

const QByteArray kSong = "[ti:Rain]\r\n[00:01.00]drops\r\n";

// What a drop carries, described by the test rows: "file:<name>" is a file
// in the test folder, anything else with a scheme is a URL as it stands, and
// "text:<words>" is plain text.
void fill(QMimeData &data, const QStringList &items, const QTemporaryDir &temp)
{
    QList<QUrl> urls;
    for (const QString &item : items) {
        if (item.startsWith(u"text:"))
            data.setText(item.sliced(5));
        else if (item.startsWith(u"file:"))
            urls.append(QUrl::fromLocalFile(temp.filePath(item.sliced(5))));
        else
            urls.append(QUrl(item));
    }
    if (!urls.isEmpty())
        data.setUrls(urls);
}

} // namespace

void TestFileDrop::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    writeBytes(temp_->filePath(QStringLiteral("雨.lrc")), kSong);
    writeBytes(temp_->filePath(QStringLiteral("second.lrc")), "[00:02.00]other\r\n");
    QVERIFY(QDir(temp_->path()).mkdir(QStringLiteral("folder")));
    dialogs_ = std::make_unique<ScriptedDialogs>();
    form_ = std::make_unique<Form1>(*dialogs_);
    commands_ = std::make_unique<WindowCommands>(*form_, DefaultDirectorySetting(temp_->filePath("settings")));
}

void TestFileDrop::cleanup()
{
    commands_.reset();
    form_.reset();
    dialogs_.reset();
    temp_.reset();
}

QWidget *TestFileDrop::dropTarget(const QString &name) const
{
    if (name == u"Text1 viewport")
        return form_->Text1->viewport();
    if (name == u"Text2 viewport")
        return form_->Text2->viewport();
    if (name == u"Text1")
        return form_->Text1;
    return form_.get();
}

bool TestFileDrop::dragAndDrop(QWidget *target, QMimeData &data, Qt::DropActions actions) const
{
    const QPoint at(20, 20);
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!enter.isAccepted() || !move.isAccepted())
        return false;
    QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    // Whatever the drop started runs once the event loop has its turn.
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

void TestFileDrop::dropLoadsLikeLoad_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("loaded"); // the file that ends up in Text1, or ""
    QTest::addColumn<QString>("message");

    const QString missing = QStringLiteral("对不起，指定路径不存在，请查证后再次输入");
    const QString refused = QStringLiteral("只能拖入本机上的歌词文件，网址和文字无法加载。");
    QTest::newRow("lyric file") << QStringList{"file:雨.lrc"} << "雨.lrc" << "";
    QTest::newRow("several: the first") << QStringList{"file:雨.lrc", "file:second.lrc"} << "雨.lrc" << "";
    QTest::newRow("missing file") << QStringList{"file:gone.lrc"} << "" << missing;
    QTest::newRow("folder") << QStringList{"file:folder"} << "" << "不是普通文件";
    QTest::newRow("web address") << QStringList{"https://example.org/song.lrc"} << "" << refused;
    QTest::newRow("web address first") << QStringList{"https://example.org/a.lrc", "file:雨.lrc"} << "" << refused;
    QTest::newRow("plain text") << QStringList{"text:[00:01.00]words"} << "" << refused;
}

void TestFileDrop::dropLoadsLikeLoad()
{
    QFETCH(QStringList, items);
    QFETCH(QString, loaded);
    QFETCH(QString, message);
    QMimeData data;
    fill(data, items, *temp_);

    QVERIFY(dragAndDrop(form_.get(), data, Qt::CopyAction | Qt::MoveAction));

    QStringList texts;
    for (const Message &shown : dialogs_->messages)
        texts.append(shown.text);
    // The message, or for a path that names something other than a file, the
    // part of it that does not carry the path.
    QCOMPARE(texts.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(texts.first().contains(message), qPrintable(texts.first()));
    QCOMPARE(form_->Command2->isEnabled(), !loaded.isEmpty());
    if (!loaded.isEmpty()) {
        QCOMPARE(QFileInfo(form_->workspace.sourcePath), QFileInfo(temp_->filePath(loaded)));
        QCOMPARE(form_->Text1->toPlainText(), QStringLiteral("[ti:Rain]\n[00:01.00]drops\n"));
    } else {
        QVERIFY(form_->workspace.sourcePath.isEmpty());
        QVERIFY(form_->Text1->toPlainText().isEmpty());
    }
}

void TestFileDrop::dropAnywhereReachesTheWindow_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("window") << "window";
    QTest::newRow("left text box") << "Text1 viewport";
    QTest::newRow("right text box") << "Text2 viewport";
    QTest::newRow("left text box frame") << "Text1";
}

void TestFileDrop::dropAnywhereReachesTheWindow()
{
    QFETCH(QString, target);
    QMimeData data;
    fill(data, {"file:雨.lrc"}, *temp_);
    QVERIFY(dragAndDrop(dropTarget(target), data, Qt::CopyAction));
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(form_->Text1->toPlainText(), QStringLiteral("[ti:Rain]\n[00:01.00]drops\n"));
    QVERIFY(form_->Command2->isEnabled());

    // Something that is not a file, dropped there, is refused with the message.
    QMimeData refused;
    refused.setText(QStringLiteral("words"));
    QVERIFY(dragAndDrop(dropTarget(target), refused, Qt::CopyAction));
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->messages.at(0).icon, MessageIcon::Exclamation);
}

void TestFileDrop::neverAcceptsAMove()
{
    // A source that only offers to move its file would lose it: the drop is refused.
    QMimeData data;
    fill(data, {"file:雨.lrc"}, *temp_);
    QVERIFY(!dragAndDrop(form_->Text1->viewport(), data, Qt::MoveAction));
    QVERIFY(!dragAndDrop(form_.get(), data, Qt::MoveAction));
    QVERIFY(form_->workspace.sourcePath.isEmpty());
    QVERIFY(dialogs_->messages.isEmpty());
    QVERIFY(QFile::exists(temp_->filePath(QStringLiteral("雨.lrc"))));
}

QTEST_MAIN(TestFileDrop)
#include "tst_filedrop.moc"
