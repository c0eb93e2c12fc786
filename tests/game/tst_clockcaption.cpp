#include "game/clockcaption.h"

#include <QtTest>

class TestClockCaption : public QObject
{
    Q_OBJECT

private slots:
    void captionShowsPaddedMinutesAndSeconds()
    {
        const std::pair<int, const char *> rows[] = {
            {1, "00:01"},    {9, "00:09"},     {10, "00:10"},    {59, "00:59"},
            {60, "01:00"},   {65, "01:05"},    {599, "09:59"},   {600, "10:00"},
            {3599, "59:59"}, {6000, "100:00"}, {32767, "546:07"}};
        for (const auto &[seconds, time] : rows)
            QCOMPARE(clockCaption(seconds),
                     QStringLiteral("Прошло времени: ") + QString::fromLatin1(time));
    }
    void countStopsAtSixteenBitLimit()
    {
        QCOMPARE(nextSecond(32766), qint16(32767));
        QCOMPARE(nextSecond(32767), qint16(32767));
    }
};

QTEST_GUILESS_MAIN(TestClockCaption)
#include "tst_clockcaption.moc"
