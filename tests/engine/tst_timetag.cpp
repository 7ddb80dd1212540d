#include "timetag.h"

#include <QTest>

class TestTimeTag : public QObject
{
    Q_OBJECT

private slots:
    void recognisesForms_data();
    void recognisesForms();
    void sameInstantSameTime_data();
    void sameInstantSameTime();
    void removesWordTimings_data();
    void removesWordTimings();
};

void TestTimeTag::recognisesForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("seconds");

    QTest::newRow("[m:ss]") << "[1:05]x" << 6 << 65.0;
    QTest::newRow("[mm:ss]") << "[01:05]x" << 7 << 65.0;
    QTest::newRow("[mmm:ss]") << "[100:05]" << 8 << 6005.0;
    QTest::newRow("[mm:ss.f]") << "[00:05.5]" << 9 << 5.5;
    QTest::newRow("[mm:ss.ff]") << "[00:05.25]" << 10 << 5.25;
    QTest::newRow("[mm:ss.fff]") << "[00:05.125]" << 11 << 5.125;
    QTest::newRow("[mm:ss:ff]") << "[00:05:25]" << 10 << 5.25;
    QTest::newRow("[m:ss.fff]") << "[1:02.345]" << 10 << 62.345;
    QTest::newRow("[mmm:ss.f]") << "[100:02.5]" << 10 << 6002.5;
    QTest::newRow("[mmm:ss.fff]") << "[999:59.999]" << 12 << 999 * 60 + 59.999;
    QTest::newRow("seconds past 59") << "[00:99]" << 7 << 99.0;
    QTest::newRow("four-digit minutes") << "[1000:00]" << 0 << 0.0;
    QTest::newRow("one-digit seconds") << "[00:5]" << 0 << 0.0;
    QTest::newRow("four-digit fraction") << "[00:05.1234]" << 0 << 0.0;
    QTest::newRow("empty fraction") << "[00:05.]" << 0 << 0.0;
    QTest::newRow("one digit after colon") << "[00:05:5]" << 0 << 0.0;
    QTest::newRow("three digits after colon") << "[00:05:500]" << 0 << 0.0;
    QTest::newRow("no minutes") << "[:05.00]" << 0 << 0.0;
    QTest::newRow("not closed") << "[00:05.00" << 0 << 0.0;
    QTest::newRow("letters") << "[re:maker]" << 0 << 0.0;
    QTest::newRow("blank inside") << "[ 1:05.00]" << 0 << 0.0;
    QTest::newRow("not at the start") << "x[00:05]" << 0 << 0.0;
    QTest::newRow("full-width digits") << "[０１:０５]" << 0 << 0.0;
}

void TestTimeTag::recognisesForms()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(double, seconds);
    QCOMPARE(clockTagLength(text), qsizetype(length));
    QCOMPARE(clockTagLength(QString(text).replace(u'[', u'<').replace(u']', u'>'), u'<', u'>'),
             qsizetype(length));
    if (length > 0)
        QCOMPARE(clockTagSeconds(QStringView(text).first(length)), seconds);
}

void TestTimeTag::sameInstantSameTime_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<double>("ordinary");

    // The time an ordinary tag of the same instant gets, computed as it is.
    const auto ordinary = [](int minutes, int seconds, int hundredths) {
        return ((60.0 * minutes) + seconds) + (hundredths * 0.01);
    };
    QTest::newRow("tenths") << "[00:01.5]" << ordinary(0, 1, 50);
    QTest::newRow("thousandths") << "[00:01.500]" << ordinary(0, 1, 50);
    QTest::newRow("colon") << "[00:01:50]" << ordinary(0, 1, 50);
    QTest::newRow("one-digit minutes") << "[3:25.07]" << ordinary(3, 25, 7);
    QTest::newRow("three-digit minutes") << "[003:25.070]" << ordinary(3, 25, 7);
    QTest::newRow("no fraction") << "[02:17]" << ordinary(2, 17, 0);
    QTest::newRow("zero tenths") << "[02:17.0]" << ordinary(2, 17, 0);
    QTest::newRow("tenths that round badly") << "[59:59.3]" << ordinary(59, 59, 30);
    QTest::newRow("thousandths that round badly") << "[12:34.570]" << ordinary(12, 34, 57);
}

void TestTimeTag::sameInstantSameTime()
{
    QFETCH(QString, tag);
    QFETCH(double, ordinary);
    // Exactly equal, not nearly: ties must keep their file order.
    QVERIFY2(clockTagSeconds(tag) == ordinary,
             qPrintable(QString::number(clockTagSeconds(tag), 'g', 17) + " != "
                        + QString::number(ordinary, 'g', 17)));
}

void TestTimeTag::removesWordTimings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");

    QTest::newRow("between words") << "<00:01.00>Hello <00:01.50>world" << "Hello world";
    QTest::newRow("at the end") << "Hello<00:02.00>" << "Hello";
    QTest::newRow("every form") << "<1:05>a<01:05.5>b<01:05.500>c<01:05:50>d<100:05>e" << "abcde";
    QTest::newRow("spaces kept as they stand") << "a <00:01.00> b" << "a  b";
    QTest::newRow("Chinese") << "<00:01.00>你<00:01.30>好" << "你好";
    QTest::newRow("not a time") << "I <3 you <b>" << "I <3 you <b>";
    QTest::newRow("brackets stay") << "[00:01.00]" << "[00:01.00]";
    QTest::newRow("unclosed") << "<00:01.00 x" << "<00:01.00 x";
    QTest::newRow("nothing left") << "<00:01.00><00:02.00>" << "";
    QTest::newRow("no tag") << "plain" << "plain";
}

void TestTimeTag::removesWordTimings()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    removeWordTimings(text);
    QCOMPARE(text, kept);
}

QTEST_GUILESS_MAIN(TestTimeTag)
#include "tst_timetag.moc"
