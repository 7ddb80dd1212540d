#include "failurereason.h"

#include <QTest>

#include <cerrno>

// The causes a test cannot easily bring about for real (the file tests make
// the others happen): what each says, and what stands in for the rest.
class TestFailureReason : public QObject
{
    Q_OBJECT

private slots:
    void reasons_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("reason");
        QTest::newRow("permission denied") << EACCES << "Permission denied" << "没有访问权限";
        QTest::newRow("operation not permitted") << EPERM << "" << "没有访问权限";
        QTest::newRow("disk full, whatever Qt said") << ENOSPC << "Unknown error" << "磁盘已满";
        QTest::newRow("file too large") << EFBIG << "Unknown error" << "文件太大，超过了允许的大小";
        QTest::newRow("no number: the library's text")
            << 0 << "Filename refers to a directory" << "Filename refers to a directory";
        QTest::newRow("no number, no text") << 0 << "" << "原因不明";
    }

    void reasons()
    {
        QFETCH(int, code);
        QFETCH(QString, fallback);
        QFETCH(QString, reason);
        QCOMPARE(failureReason(code, fallback), reason);
    }

    void otherNumbersKeepTheSystemsText()
    {
        // An input/output error has no Chinese text of its own; the system's
        // text for the number beats Qt's "Unknown error".
        const QString reason = failureReason(EIO, QStringLiteral("Unknown error"));
        QVERIFY2(!reason.isEmpty() && reason != u"Unknown error" && reason != u"原因不明",
                 qPrintable(reason));
#ifdef Q_OS_LINUX
        QCOMPARE(reason, QStringLiteral("Input/output error")); // tests run with LC_ALL=C.UTF-8
#endif
    }
};

QTEST_GUILESS_MAIN(TestFailureReason)
#include "tst_failurereason.moc"
