#include "textfile.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QStringDecoder>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void splitsLines_data();
    void splitsLines();
    void decodesBytes_data();
    void decodesBytes();
    void decodesInChosenEncoding_data();
    void decodesInChosenEncoding();
    void encodesUnwritableCharactersAsQuestionMarks();
    void readsFileAsLines();
    void reportsUnreadableFiles_data();
    void reportsUnreadableFiles();
    void refusesFilesTooLargeToBeLyrics();
    void writeReplacesWholeFile();
    void writeIntoMissingFolderFailsAndCreatesNothing();
    void newFileNeverReplacesOne();
    void readsStreamUpToTheLimit_data();
    void readsStreamUpToTheLimit();
};

namespace {

QString writeInput(const QTemporaryDir &dir, const QByteArray &bytes)
{
    return writeBytes(dir.filePath(QStringLiteral("input.lrc")), bytes);
}

} // namespace

void TestTextFile::splitsLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty text gives no line") << QString() << QStringList();
    QTest::newRow("one line without end") << "a" << QStringList{"a"};
    QTest::newRow("final CR LF adds no empty line") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lone LF ends a line") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("lone CR ends a line") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("mixed ends") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty lines kept") << "\r\n\r\nx\r\n" << QStringList{"", "", "x"};
    QTest::newRow("only a line end") << "\r\n" << QStringList{""};
}

void TestTextFile::splitsLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
}

void TestTextFile::decodesBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString song = QStringLiteral("[ti:你好]");
    QTest::newRow("UTF-8") << song.toUtf8() << song;
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbf") + song.toUtf8() << song;
    QTest::newRow("GBK") << QByteArray("[ti:\xc4\xe3\xba\xc3]") << song;
    QTest::newRow("byte-order mark before GBK") << QByteArray("\xef\xbb\xbf[ti:\xc4\xe3\xba\xc3]") << song;
    QTest::newRow("GBK pinyin letter") << QByteArray("\xa8\xa6") << QStringLiteral("\u00e9");
    QTest::newRow("plain ASCII") << QByteArray("[00:01.00]abc") << QStringLiteral("[00:01.00]abc");
    QTest::newRow("nothing") << QByteArray() << QString();
}

void TestTextFile::decodesBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes), text);
}

void TestTextFile::decodesInChosenEncoding_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    // Each encoding by name, as the user picks it; the same bytes detected
    // would come out differently.
    QTest::newRow("Big5") << "Big5" << QByteArray("[ti:\xa7\x41\xa6\x6e]") << QStringLiteral("[ti:你好]");
    QTest::newRow("Shift_JIS") << "Shift_JIS" << QByteArray("\x82\xa0") << QStringLiteral("あ");
    QTest::newRow("UTF-16LE") << "UTF-16LE" << QByteArray("[\0a\0]\0", 6) << QStringLiteral("[a]");
    QTest::newRow("UTF-16BE") << "UTF-16BE" << QByteArray("\0[\0a\0]", 6) << QStringLiteral("[a]");
    QTest::newRow("every name is known") << "GB18030" << QByteArray("\xc4\xe3") << QStringLiteral("你");
}

void TestTextFile::decodesInChosenEncoding()
{
    QFETCH(QString, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QVERIFY(choosableEncodings().contains(encoding));
    for (const QString &name : choosableEncodings())
        QVERIFY2(QStringDecoder(name.toLatin1().constData()).isValid(), qPrintable(name));
    QCOMPARE(decodeText(bytes, encoding), text);
}

void TestTextFile::encodesUnwritableCharactersAsQuestionMarks()
{
    const QString text = QStringLiteral("歌") + QChar(0xD800) + QStringLiteral("x") + QString::fromUtf16(u"\U0001F600");
    QCOMPARE(encodeText(text), QStringLiteral("歌?x").toUtf8() + QByteArray("\xf0\x9f\x98\x80"));
}

void TestTextFile::readsFileAsLines()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = writeInput(dir, QByteArray("\xef\xbb\xbf[ti:\xe9\x9b\xa8]\r\n[00:01.00]a\nlast"));
    QStringList lines;
    QString error;
    QVERIFY2(readTextLines(path, lines, error), qPrintable(error));
    QCOMPARE(lines, (QStringList{QStringLiteral("[ti:雨]"), "[00:01.00]a", "last"}));
}

void TestTextFile::reportsUnreadableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << "missing.lrc";
    QTest::newRow("a folder") << "folder";
}

void TestTextFile::reportsUnreadableFiles()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QStringList lines{"left alone"};
    QString error;
    QVERIFY(!readTextLines(dir.filePath(name), lines, error));
    QVERIFY2(error.contains(name), qPrintable(error));
    QCOMPARE(lines, QStringList{"left alone"});
}

void TestTextFile::refusesFilesTooLargeToBeLyrics()
{
    QTemporaryDir dir;
    const QString path = writeInput(dir, QByteArray("[00:01.00]a\r\n"));
    QStringList lines;
    QString error;

    QVERIFY(QFile::resize(path, kMaxTextFileBytes));
    QVERIFY2(readTextLines(path, lines, error), qPrintable(error));
    QCOMPARE(lines.first(), QStringLiteral("[00:01.00]a"));

    lines.clear();
    QVERIFY(QFile::resize(path, kMaxTextFileBytes + 1));
    QVERIFY(!readTextLines(path, lines, error));
    QVERIFY2(error.contains(QStringLiteral("64 MB")), qPrintable(error));
    QVERIFY(lines.isEmpty());
}

void TestTextFile::writeReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = writeInput(dir, QByteArray(1000, 'x'));
    QString error;
    QVERIFY2(writeTextFile(path, QStringLiteral("歌词\r\n"), error), qPrintable(error));
    QCOMPARE(fileBytes(path), QStringLiteral("歌词\r\n").toUtf8());
}

void TestTextFile::writeIntoMissingFolderFailsAndCreatesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no such folder/out.txt"));
    QString error;
    QVERIFY(!writeTextFile(path, QStringLiteral("text"), error));
    QVERIFY2(error.contains(QStringLiteral("out.txt")), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

void TestTextFile::newFileNeverReplacesOne()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("歌.txt"));
    QString error;
    QVERIFY2(writeNewFile(path, "first\r\n", error), qPrintable(error));
    QCOMPARE(fileBytes(path), QByteArray("first\r\n"));

    QVERIFY(!writeNewFile(path, "second\r\n", error));
    QVERIFY2(error.contains(QStringLiteral("歌.txt")), qPrintable(error));
    QCOMPARE(fileBytes(path), QByteArray("first\r\n"));

    QVERIFY(!writeNewFile(dir.filePath(QStringLiteral("no such folder/x.txt")), "x", error));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("no such folder"))));
}

void TestTextFile::readsStreamUpToTheLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("read");
    QTest::newRow("empty") << qint64(0) << true;
    QTest::newRow("small") << qint64(100) << true;
    QTest::newRow("at the limit") << kMaxTextFileBytes << true;
    QTest::newRow("one byte over") << kMaxTextFileBytes + 1 << false;
}

void TestTextFile::readsStreamUpToTheLimit()
{
    QFETCH(qint64, size);
    QFETCH(bool, read);
    QByteArray data(size, 'x');
    QBuffer stream(&data);
    QVERIFY(stream.open(QIODevice::ReadOnly));
    QByteArray bytes;
    QString error;
    QCOMPARE(readTextBytes(stream, QStringLiteral("标准输入"), bytes, error), read);
    if (read) {
        QCOMPARE(bytes.size(), size);
    } else {
        QVERIFY(bytes.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("标准输入")) && error.contains(QStringLiteral("64 MB")),
                 qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
