#include "textboxtext.h"
#include "textfile.h"

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
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString full(kMaxShownRowLength, u'x');
        QTest::newRow("none") << "" << "";
        QTest::newRow("one empty line") << "\r\n" << "\r\n";
        QTest::newRow("the last one too") << "a\r\n\r\nb" << "a\r\n\r\nb\r\n";
        QTest::newRow("lone LF and CR") << "a\nb\rc\n" << "a\r\nb\r\nc\r\n";
        QTest::newRow("LF CR is two ends") << "a\n\rb" << "a\r\n\r\nb\r\n";
        QTest::newRow("CR CR LF") << "a\r\r\nb\r\n" << "a\r\n\r\nb\r\n";
        QTest::newRow("a long one in rows") << full + "x\r\n" << full + "\r\nx\r\n";
        QTest::newRow("long, no line end") << full + full + "x" << full + "\r\n" + full + "\r\nx\r\n";
        QTest::newRow("exactly a row") << full + "\n" << full + "\r\n";
    }

    void linesEndInCrLf()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QString result = shownText(text);
        QCOMPARE(result, shown);
        // What the boxes have always been given: the lines, joined.
        QCOMPARE(result, withLongLinesBroken(text.isEmpty() ? QString() : splitLines(text).join("\r\n") + "\r\n"));
        if (shown == text)
            QCOMPARE(result.constData(), text.constData()); // no copy of a large file
    }
};

QTEST_GUILESS_MAIN(TestTextBoxText)
#include "tst_textboxtext.moc"
