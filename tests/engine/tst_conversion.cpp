#include "conversion.h"
#include "conversionworkspace.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kExampleSheet = QStringLiteral(
    "     歌曲：雨\r\n     艺术家：Someone\r\nSecond\r\n第一\r\nSecond\r\n");

QByteArray exampleFile(const QByteArray &lineEnd)
{
    const QByteArrayList lines{"[ti:雨]", "[ar:Someone]", "[00:05.00]第一",
                               "[00:01.50][00:10.00]Second"};
    return lines.join(lineEnd) + lineEnd;
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void convertsFile_data();
    void convertsFile();
    void convertTwiceGivesSameSheet();
    void failureEmptiesConversion_data();
    void failureEmptiesConversion();

private:
    QTemporaryDir dir_;
    ConversionWorkspace workspace_;
};

void TestConversion::init()
{
    QVERIFY(dir_.isValid());
    workspace_ = ConversionWorkspace();
    workspace_.sourcePath = dir_.filePath(QStringLiteral("歌词.lrc"));
}

void TestConversion::convertsFile_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("UTF-8, CR LF") << exampleFile("\r\n");
    QTest::newRow("UTF-8, LF") << exampleFile("\n");
    QTest::newRow("UTF-8, CR") << exampleFile("\r");
    QTest::newRow("UTF-8 with BOM") << "\xef\xbb\xbf" + exampleFile("\r\n");
    QTest::newRow("GBK") << exampleFile("\r\n").replace("雨", "\xd3\xea").replace("第一", "\xb5\xda\xd2\xbb");
    QTest::newRow("no line end at the end") << exampleFile("\r\n").chopped(2);
}

void TestConversion::convertsFile()
{
    QFETCH(QByteArray, bytes);
    writeBytes(workspace_.sourcePath, bytes);

    QString error;
    QVERIFY2(convertSourceFile(workspace_, error), qPrintable(error));
    QCOMPARE(workspace_.resultText, kExampleSheet);
    QVERIFY(workspace_.converted);

    // The same bytes from standard input give the same sheet.
    ConversionWorkspace fromStream;
    QVERIFY2(convertSourceBytes(fromStream, bytes, error), qPrintable(error));
    QCOMPARE(fromStream.resultText, kExampleSheet);
    QVERIFY(fromStream.converted);
}

void TestConversion::convertTwiceGivesSameSheet()
{
    writeBytes(workspace_.sourcePath, exampleFile("\r\n"));
    QString error;
    QVERIFY(convertSourceFile(workspace_, error));
    QVERIFY(convertSourceFile(workspace_, error));
    QCOMPARE(workspace_.resultText, kExampleSheet);
    QCOMPARE(workspace_.headerText, QStringLiteral("     歌曲：雨\r\n     艺术家：Someone\r\n"));
    QCOMPARE(workspace_.lineCount, 2);
    QCOMPARE(workspace_.entryCount, 3);
}

void TestConversion::failureEmptiesConversion_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("file gone") << QByteArray() << QStringLiteral("歌词.lrc");
    QByteArray tooLong;
    for (int n = 0; n <= ConversionWorkspace::kMaxLines; ++n)
        tooLong += "[00:01.00]x\r\n";
    QTest::newRow("too many lines") << tooLong << QStringLiteral("100000行");
    QTest::newRow("too many tags") << "[00:01.00]" + QByteArray("[00:01.00]").repeated(100) + "x\r\n"
                                   << QStringLiteral("100个");
}

void TestConversion::failureEmptiesConversion()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    writeBytes(workspace_.sourcePath, exampleFile("\r\n"));
    QString error;
    QVERIFY(convertSourceFile(workspace_, error));

    if (bytes.isEmpty())
        QVERIFY(QFile::remove(workspace_.sourcePath));
    else
        writeBytes(workspace_.sourcePath, bytes);
    QVERIFY(!convertSourceFile(workspace_, error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(!workspace_.converted);
    QVERIFY(workspace_.resultText.isEmpty());
    QVERIFY(workspace_.headerText.isEmpty());
    QCOMPARE(workspace_.lineCount, 0);
    QCOMPARE(workspace_.lineText.size(), 0);
    QCOMPARE(workspace_.entryCount, 0);
    QCOMPARE(workspace_.sourcePath, dir_.filePath(QStringLiteral("歌词.lrc")));

    if (!bytes.isEmpty()) {
        QVERIFY(!convertSourceBytes(workspace_, bytes, error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(!workspace_.converted);
        QVERIFY(workspace_.resultText.isEmpty());
        QCOMPARE(workspace_.lineCount, 0);
    }
}

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
