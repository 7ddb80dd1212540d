#include "conversionworkspace.h"
#include "lrcreader.h"
#include "timeline.h"

#include <QTest>

class TestConversionWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void resetEmptiesConversion();
    void resetKeepsLoadAndOutputChoices();
};

void TestConversionWorkspace::resetEmptiesConversion()
{
    ConversionWorkspace workspace;
    QString error;
    QVERIFY(readLrcLines(workspace, {"[ti:T]", "[00:01.00][00:02.00]a", "[00:03]b", "c"}, error));
    QCOMPARE(workspace.tagText.size(), 3);
    QVERIFY(AssembleResult(workspace, error));
    workspace.savePath = "/tmp/out.txt";
    workspace.baseName = "out";
    workspace.converted = true;

    ResetWorkspace(workspace);
    QCOMPARE(workspace.lineCount, 0);
    QCOMPARE(workspace.entryCount, 0);
    QCOMPARE(workspace.lineText.size(), 0);
    QCOMPARE(workspace.tagText.size(), 0);
    QCOMPARE(workspace.tagCount.size(), 0);
    QCOMPARE(workspace.tagStart.size(), 0);
    QCOMPARE(workspace.tagTime.size(), 0);
    QCOMPARE(workspace.entries.size(), 0);
    const QStringList strings{workspace.sourceText, workspace.resultText, workspace.headerText,
                              workspace.bodyText.toString(), workspace.savePath, workspace.baseName};
    QCOMPARE(strings, QStringList(6));
    QVERIFY(!workspace.converted);
}

void TestConversionWorkspace::resetKeepsLoadAndOutputChoices()
{
    ConversionWorkspace workspace;
    workspace.sourcePath = "/music/song.lrc";
    workspace.sourceEncoding = "Big5";
    workspace.readEncoding = "Big5";
    workspace.defaultDir = "/music/sheets";
    workspace.loadCount = 3;
    workspace.saveCancelled = true;
    workspace.dirCancelled = true;

    ResetWorkspace(workspace);
    QCOMPARE(workspace.sourcePath, QString("/music/song.lrc"));
    QCOMPARE(workspace.sourceEncoding, QString("Big5"));
    QCOMPARE(workspace.readEncoding, QString("Big5"));
    QCOMPARE(workspace.defaultDir, QString("/music/sheets"));
    QCOMPARE(workspace.loadCount, 3);
    QCOMPARE(workspace.saveCancelled, true);
    QCOMPARE(workspace.dirCancelled, true);
}

QTEST_GUILESS_MAIN(TestConversionWorkspace)
#include "tst_conversionworkspace.moc"
