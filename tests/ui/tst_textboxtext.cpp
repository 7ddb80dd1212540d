#include "textboxtext.h"

#include <QTest>

class TestTextBoxText : public QObject
{
    Q_OBJECT

private slots:
    void longLinesAreBrokenIntoRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");

        const qsizetype row = kMaxShownRowLength;
        const QString full(row, u'x');
        QTest::newRow("short lines") << "a\r\nb\r\n" << "a\r\nb\r\n";
        QTest::newRow("exactly one row") << full + "\r\n" << full + "\r\n";
        QTest::newRow("one character past") << full + "y\r\n" << full + "\r\ny\r\n";
        QTest::newRow("three rows and a bit") << full.repeated(3) + "yz\r\n"
                                              << full + "\r\n" + full + "\r\n" + full + "\r\nyz\r\n";
        QTest::newRow("every line end counts") << full + "\n" + full + "\r" + full << full + "\n" + full + "\r" + full;
        QTest::newRow("no line end at the end") << full + "y" << full + "\r\ny";
        QTest::newRow("only the long line") << "a\r\n" + full + "yy\r\nb" << "a\r\n" + full + "\r\nyy\r\nb";
        QTest::newRow("empty") << "" << "";
    }

    void longLinesAreBrokenIntoRows()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QString result = withLongLinesBroken(text);
        QCOMPARE(result, shown);
        // Nothing is lost: the rows put together are the text.
        QCOMPARE(QString(result).remove(QStringLiteral("\r\n")), QString(text).remove(QStringLiteral("\r\n")));
        if (shown == text)
            QCOMPARE(result.constData(), text.constData()); // no copy of a large text
    }

    void linesEndInCrLf_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("shown");
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("one empty line") << QStringList{""} << "\r\n";
        QTest::newRow("the last one too") << QStringList{"a", "", "b"} << "a\r\n\r\nb\r\n";
        QTest::newRow("a long one in rows") << QStringList{QString(kMaxShownRowLength + 1, u'x')}
                                            << QString(kMaxShownRowLength, u'x') + "\r\nx\r\n";
    }

    void linesEndInCrLf()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, shown);
        QCOMPARE(shownLines(lines), shown);
    }
};

QTEST_GUILESS_MAIN(TestTextBoxText)
#include "tst_textboxtext.moc"
