#include "olecolor.h"
#include "twips.h"

#include <QTest>

class TestLayoutUnits : public QObject
{
    Q_OBJECT

private slots:
    void oleColorIsBlueGreenRed_data()
    {
        QTest::addColumn<quint32>("oleColor");
        QTest::addColumn<QColor>("expected");
        QTest::addRow("orange") << quint32(0x000080FF) << QColor(255, 128, 0);
        QTest::addRow("light yellow") << quint32(0x00C0FFFF) << QColor(255, 255, 192);
        QTest::addRow("olive") << quint32(0x0000C0C0) << QColor(192, 192, 0);
        QTest::addRow("pink") << quint32(0x00C0C0FF) << QColor(255, 192, 192);
        QTest::addRow("red") << quint32(0x000000FF) << QColor(255, 0, 0);
        QTest::addRow("pure blue") << quint32(0x00FF0000) << QColor(0, 0, 255);
    }

    void oleColorIsBlueGreenRed()
    {
        QFETCH(quint32, oleColor);
        QFETCH(QColor, expected);
        QCOMPARE(fromOleColor(oleColor).name(), expected.name());
    }

    void twipsBecomePixels_data()
    {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::addRow("client area") << QRect(0, 0, 12795, 6795) << QRect(0, 0, 853, 453);
        QTest::addRow("text box") << QRect(6480, 360, 6135, 3855) << QRect(432, 24, 409, 257);
        QTest::addRow("between pixels rounds") << QRect(7, 8, 22, 23) << QRect(0, 1, 1, 2);
    }

    void twipsBecomePixels()
    {
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QCOMPARE(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()), pixels);
    }
};

QTEST_GUILESS_MAIN(TestLayoutUnits)
#include "tst_layoutunits.moc"
