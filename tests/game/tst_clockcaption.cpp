#include "game/clockcaption.h"

#include <QtTest>

class TestClockCaption : public QObject
{
    Q_OBJECT

private slots:
    void captionShowsMinutesAndSeconds_data();
    void captionShowsMinutesAndSeconds();
    void countStopsAtSixteenBitLimit_data();
    void countStopsAtSixteenBitLimit();
};

void TestClockCaption::captionShowsMinutesAndSeconds_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("timePart");

    QTest::newRow("first tick") << 1 << "00:01";
    QTest::newRow("last single digit") << 9 << "00:09";
    QTest::newRow("first two digits") << 10 << "00:10";
    QTest::newRow("last under a minute") << 59 << "00:59";
    QTest::newRow("one minute") << 60 << "01:00";
    QTest::newRow("padded seconds past a minute") << 65 << "01:05";
    QTest::newRow("last single-digit minute") << 599 << "09:59";
    QTest::newRow("ten minutes") << 600 << "10:00";
    QTest::newRow("last under an hour") << 3599 << "59:59";
    QTest::newRow("three-digit minutes") << 6000 << "100:00";
    QTest::newRow("largest count") << 32767 << "546:07";
}

void TestClockCaption::captionShowsMinutesAndSeconds()
{
    QFETCH(int, seconds);
    QFETCH(QString, timePart);
    QCOMPARE(clockCaption(seconds), QStringLiteral("Прошло времени: ") + timePart);
}

void TestClockCaption::countStopsAtSixteenBitLimit_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("next");

    QTest::newRow("start") << 0 << 1;
    QTest::newRow("below the limit") << 32766 << 32767;
    QTest::newRow("at the limit") << 32767 << 32767;
}

void TestClockCaption::countStopsAtSixteenBitLimit()
{
    QFETCH(int, seconds);
    QFETCH(int, next);
    QCOMPARE(int(nextSecond(qint16(seconds))), next);
}

QTEST_GUILESS_MAIN(TestClockCaption)
#include "tst_clockcaption.moc"
