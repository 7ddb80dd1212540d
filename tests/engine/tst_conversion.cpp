#include "conversion.h"
#include "conversionworkspace.h"

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
    bool writeSource(const QByteArray &bytes);

    QTemporaryDir m_dir;
    ConversionWorkspace m_workspace;
};

void TestConversion::init()
{
    QVERIFY(m_dir.isValid());
    m_workspace = ConversionWorkspace();
    m_workspace.sourcePath = m_dir.filePath(QStringLiteral("歌词.lrc"));
}

bool TestConversion::writeSource(const QByteArray &bytes)
{
    QFile file(m_workspace.sourcePath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
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
    QVERIFY(writeSource(bytes));

    QString error;
    QVERIFY2(ConvertSourceFile(m_workspace, error), qPrintable(error));
    QCOMPARE(m_workspace.resultText, kExampleSheet);
    QVERIFY(m_workspace.converted);
}

void TestConversion::convertTwiceGivesSameSheet()
{
    QVERIFY(writeSource(exampleFile("\r\n")));
    QString error;
    QVERIFY(ConvertSourceFile(m_workspace, error));
    QVERIFY(ConvertSourceFile(m_workspace, error));
    QCOMPARE(m_workspace.resultText, kExampleSheet);
    QCOMPARE(m_workspace.headerText, QStringLiteral("     歌曲：雨\r\n     艺术家：Someone\r\n"));
    QCOMPARE(m_workspace.lineCount, 2);
    QCOMPARE(m_workspace.entryCount, 3);
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

    QVERIFY(writeSource(exampleFile("\r\n")));
    QString error;
    QVERIFY(ConvertSourceFile(m_workspace, error));

    if (bytes.isEmpty())
        QVERIFY(QFile::remove(m_workspace.sourcePath));
    else
        QVERIFY(writeSource(bytes));
    QVERIFY(!ConvertSourceFile(m_workspace, error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(!m_workspace.converted);
    QVERIFY(m_workspace.resultText.isEmpty());
    QVERIFY(m_workspace.headerText.isEmpty());
    QCOMPARE(m_workspace.lineCount, 0);
    QCOMPARE(m_workspace.lineText.size(), 0);
    QCOMPARE(m_workspace.entryCount, 0);
    QCOMPARE(m_workspace.sourcePath, m_dir.filePath(QStringLiteral("歌词.lrc")));
}

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
