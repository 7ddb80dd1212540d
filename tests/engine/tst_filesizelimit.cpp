#include "testfiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs a helper process under a 1 KB file size limit, as a user's shell with
// "ulimit -f 1" would start the program, and watches it write a larger file.
class TestFileSizeLimit : public QObject
{
    Q_OBJECT

private slots:
    void writePastTheLimit_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("survives");
        QTest::newRow("signal ignored, as the program starts") << "ignore" << true;
        // Shows what the program is spared: the signal kills without a word.
        QTest::newRow("signal left alone") << "keep" << false;
    }

    void writePastTheLimit()
    {
        QFETCH(QString, mode);
        QFETCH(bool, survives);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString target = writeBytes(dir.filePath(QStringLiteral("雨.txt")), "earlier sheet\r\n");

        QProcess helper;
        helper.start(QStringLiteral(FILE_SIZE_LIMIT_HELPER), {target, mode});
        QVERIFY(helper.waitForFinished(30000));
        const QString output = QString::fromUtf8(helper.readAllStandardOutput());

        QCOMPARE(helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0, survives);
        QCOMPARE(fileBytes(target), QByteArray("earlier sheet\r\n"));
        if (!survives)
            return; // killed half-way, it even leaves its temporary file behind
        QVERIFY2(output.contains(QDir::toNativeSeparators(target)), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("文件太大")), qPrintable(output));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"雨.txt"});
    }
};

QTEST_GUILESS_MAIN(TestFileSizeLimit)
#include "tst_filesizelimit.moc"
