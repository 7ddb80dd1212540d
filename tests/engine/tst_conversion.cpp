#include "conversion.h"
#include "conversionworkspace.h"
#include "testfiles.h"

#include <QFile>
#include <QStringEncoder>
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

// Files of ordinary tags only, with the sheets they have always given, byte
// for byte.
const QByteArray kLaterFile =
    "[ti:\xe5\x90\x8e\xe6\x9d\xa5]\r\n[ar:\xe5\x88\x98\xe8\x8b\xa5\xe8\x8b\xb1]\r\n"
    "[al:\xe6\x88\x91\xe7\xad\x89\xe4\xbd\xa0]\r\n[by:lrc maker]\r\n[offset:0]\r\n"
    "[00:00.00]\xe5\x90\x8e\xe6\x9d\xa5 - \xe5\x88\x98\xe8\x8b\xa5\xe8\x8b\xb1\r\n"
    "[00:15.20]\xe5\x90\x8e\xe6\x9d\xa5\r\n"
    "[00:17.80]\xe6\x88\x91\xe6\x80\xbb\xe7\xae\x97\xe5\xad\xa6\xe4\xbc\x9a\xe4\xba\x86"
    "\xe5\xa6\x82\xe4\xbd\x95\xe5\x8e\xbb\xe7\x88\xb1\r\n\r\n"
    "[01:02.50][02:10.30][03:20.00]\xe4\xbd\xa0\xe9\x83\xbd\xe5\xa6\x82\xe4\xbd\x95\xe5\x9b\x9e"
    "\xe5\xbf\x86\xe6\x88\x91\r\n"
    "[01:05.00][02:13.00]\xe5\xb8\xa6\xe7\x9d\x80\xe7\xac\x91\xe6\x88\x96\xe6\x98\xaf\xe5\xbe"
    "\x88\xe6\xb2\x89\xe9\xbb\x98\r\n"
    "[03:20.00]\xe6\xb0\xb8\xe8\xbf\x9c\xe4\xb8\x8d\xe4\xbc\x9a\xe5\x86\x8d\xe9\x87\x8d\xe6"
    "\x9d\xa5\r\n[04:01.99]\r\n"
    "[00:15.20]\xe5\x90\x8c\xe4\xb8\x80\xe6\x97\xb6\xe5\x88\xbb\r\n"
    "\xe6\xb2\xa1\xe6\x9c\x89\xe6\x97\xb6\xe9\x97\xb4\xe7\x9a\x84\xe4\xb8\x80\xe8\xa1\x8c\r\n"
    "[02:10.30]Love is [not] over <3\r\n";
const QString kLaterSheet = QStringLiteral(
    "     歌曲：后来\r\n     艺术家：刘若英\r\n     所属专辑：我等你\r\n后来 - 刘若英\r\n后来\r\n"
    "同一时刻\r\n我总算学会了如何去爱\r\n你都如何回忆我\r\n带着笑或是很沉默\r\n你都如何回忆我\r\n"
    "Love is [not] over <3\r\n带着笑或是很沉默\r\n你都如何回忆我\r\n永远不会再重来\r\n\r\n");
const QByteArray kRainFile = "[ar:Someone]\n[ti:Rain]\n[00:05.00]First\n[00:01.50][00:10.00]Second\n"
                             "[00:10.00]Third [00:11.00]\n[99:59.99]End\n[00:00.01]Start";
const QString kRainSheet = QStringLiteral(
    "     艺术家：Someone\r\n     歌曲：Rain\r\nStart\r\nSecond\r\nFirst\r\nSecond\r\n"
    "Third [00:11.00]\r\nEnd\r\n");

// A song in simplified and in traditional characters, with its sheet.
const QString kChineseSong = QStringLiteral("[ti:月亮代表我的心]\r\n[ar:邓丽君]\r\n"
                                            "[00:05.00]我的情也真\r\n[00:01.00][00:09.00]你问我爱你有多深\r\n");
const QString kChineseSheet = QStringLiteral("     歌曲：月亮代表我的心\r\n     艺术家：邓丽君\r\n"
                                             "你问我爱你有多深\r\n我的情也真\r\n你问我爱你有多深\r\n");
const QString kTaiwaneseSong = QStringLiteral("[ti:月亮代表我的心]\r\n[ar:鄧麗君]\r\n"
                                              "[00:05.00]我的愛也真\r\n[00:01.00]你問我愛你有多深\r\n"
                                              "[00:09.00]月亮代表我的心\r\n");
const QString kTaiwaneseSheet = QStringLiteral("     歌曲：月亮代表我的心\r\n     艺术家：鄧麗君\r\n"
                                               "你問我愛你有多深\r\n我的愛也真\r\n月亮代表我的心\r\n");
QByteArray encoded(const char *encoding, const QString &text)
{
    QStringEncoder encoder(encoding);
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        qFatal("%s cannot hold the sample", encoding);
    return bytes;
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void convertsFile_data();
    void convertsFile();
    void ordinaryFilesKeepTheirSheets_data();
    void ordinaryFilesKeepTheirSheets();
    void convertsEveryEncoding_data();
    void convertsEveryEncoding();
    void convertsTagsOfEveryForm();
    void fileWithoutTimedLinesGivesTheHeader();
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

void TestConversion::ordinaryFilesKeepTheirSheets_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sheet");

    QTest::newRow("worked example") << exampleFile("\r\n") << kExampleSheet;
    QTest::newRow("song with repeats, ties and blank lines") << kLaterFile << kLaterSheet;
    QTest::newRow("same song, UTF-8 mark") << "\xef\xbb\xbf" + kLaterFile << kLaterSheet;
    QTest::newRow("same song, GBK") << encoded("GBK", QString::fromUtf8(kLaterFile)) << kLaterSheet;
    QTest::newRow("same song, LF") << QByteArray(kLaterFile).replace("\r\n", "\n") << kLaterSheet;
    QTest::newRow("tag after text, no final line end") << kRainFile << kRainSheet;
    QTest::newRow("CR line ends, header after lyrics")
        << QByteArray("[al:A]\r[00:02.00]b\r[00:01.00]a\r[ti:T]\r")
        << QStringLiteral("     所属专辑：A\r\n     歌曲：T\r\na\r\nb\r\n");
}

void TestConversion::ordinaryFilesKeepTheirSheets()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sheet);
    writeBytes(workspace_.sourcePath, bytes);
    QString error;
    QVERIFY2(convertSourceFile(workspace_, error), qPrintable(error));
    QCOMPARE(workspace_.resultText, sheet);
    QCOMPARE(workspace_.resultText.toUtf8(), sheet.toUtf8());
}

void TestConversion::convertsEveryEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("encoding");

    const QString zh = kChineseSong;
    QTest::newRow("UTF-8") << zh.toUtf8() << QString() << kChineseSheet << "UTF-8";
    QTest::newRow("GB18030") << encoded("GB18030", zh) << QString() << kChineseSheet << "GB18030";
    QTest::newRow("UTF-16LE, mark") << "\xff\xfe" + encoded("UTF-16LE", zh) << QString() << kChineseSheet
                                    << "UTF-16LE";
    QTest::newRow("UTF-16LE, no mark") << encoded("UTF-16LE", zh) << QString() << kChineseSheet << "UTF-16LE";
    QTest::newRow("Big5") << encoded("Big5", kTaiwaneseSong) << QString() << kTaiwaneseSheet << "Big5";
    QTest::newRow("Big5 chosen") << encoded("Big5", kTaiwaneseSong) << "Big5" << kTaiwaneseSheet << "Big5";
    QTest::newRow("UTF-16LE chosen") << encoded("UTF-16LE", zh) << "UTF-16LE" << kChineseSheet << "UTF-16LE";
    QTest::newRow("UTF-8, one stray byte")
        << zh.toUtf8() + "[00:10.00]\xff\r\n" << QString() << kChineseSheet + QStringLiteral("\ufffd\r\n")
        << "UTF-8";
}

void TestConversion::convertsEveryEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, chosen);
    QFETCH(QString, sheet);
    QFETCH(QString, encoding);
    writeBytes(workspace_.sourcePath, bytes);
    workspace_.sourceEncoding = chosen;
    QString error;
    QVERIFY2(convertSourceFile(workspace_, error), qPrintable(error));
    QCOMPARE(workspace_.resultText, sheet);
    QCOMPARE(workspace_.readEncoding, encoding);
}

void TestConversion::convertsTagsOfEveryForm()
{
    // A file as a player writes it: three-digit fractions, metadata lines,
    // word timings and a title with a blank after it.
    writeBytes(workspace_.sourcePath,
               "[ti:Song] \r\n[ar:Singer\r\n[re:Player 1.0]\r\n[ve:1.0.0]\r\n[la:zh_CN]\r\n[length:03:25]\r\n"
               "[00:12.345]<00:12.345>Second <00:13.000>line\r\n"
               "[00:01.500][00:02.00]first\r\n"
               "[0:30][00:12.35]third\r\n");
    QString error;
    QVERIFY2(convertSourceFile(workspace_, error), qPrintable(error));
    QCOMPARE(workspace_.resultText,
             QStringLiteral("     歌曲：Song\r\n     艺术家：Singer\r\nfirst\r\nfirst\r\n"
                            "Second line\r\nthird\r\nthird\r\n"));
}

void TestConversion::fileWithoutTimedLinesGivesTheHeader()
{
    writeBytes(workspace_.sourcePath, "[ti:Song]\r\n[re:maker]\r\nwords without time\r\n");
    QString error;
    QVERIFY2(convertSourceFile(workspace_, error), qPrintable(error));
    QVERIFY(workspace_.converted);
    QCOMPARE(workspace_.entryCount, 0);
    QCOMPARE(workspace_.resultText, QStringLiteral("     歌曲：Song\r\n"));
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
