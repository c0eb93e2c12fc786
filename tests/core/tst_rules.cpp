#include "core/clockcaption.h"
#include "core/numberformat.h"
#include "core/pace.h"
#include "core/results.h"
#include "core/toptable.h"

#include <QTest>

// hits, level -> the intervals the two appearance timers get ("first / second" or "unchanged")
using Pacing = std::tuple<double, int, QString>;
// hits, clicks, seconds, level -> score, accuracy, clicks per minute
using Round = std::tuple<double, double, int, int, int, double, double>;

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void clockCaptionAfterTick_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("time");
        QTest::newRow("60 s") << 59 << "01:00";
        QTest::newRow("70 s: ten seconds take no padding zero") << 69 << "01:10";
        QTest::newRow("600 s: two-digit minutes") << 599 << "10:00";
        QTest::newRow("a tick at the largest count stands still") << 32767 << "546:07";
    }
    void clockCaptionAfterTick()
    {
        QFETCH(int, before);
        QFETCH(QString, time);
        QCOMPARE(clockCaption(nextSecond(qint16(before))), "Прошло времени: " + time);
    }

    void appearanceIntervals_data()
    {
        QTest::addColumn<Pacing>("pacing");
        QTest::newRow("level 5, 6 hits: 56.999... is cut to 56") << Pacing{6, 5, "990 / 944"};
        QTest::newRow("level 5 past its limit") << Pacing{101, 5, "unchanged"};
        QTest::newRow("level 3, 175 hits: 0 stops the first timer") << Pacing{175, 3, "0 / 3"};
        QTest::newRow("level 4, 200 hits: below 0 gives 1 ms") << Pacing{200, 4, "1 / 1"};
    }
    void appearanceIntervals()
    {
        QFETCH(Pacing, pacing);
        const auto [hits, level, expected] = pacing;
        const auto computed = Pace::appearanceIntervals(hits, level);
        const QString set = computed ? QStringLiteral("%1 / %2")
                                           .arg(Pace::timerInterval(computed->first))
                                           .arg(Pace::timerInterval(computed->second))
                                     : QStringLiteral("unchanged");
        QCOMPARE(set, expected);
    }

    void roundResults_data()
    {
        QTest::addColumn<Round>("round");
        QTest::newRow("base 2.5 goes to even 2") << Round{5, 5, 25, 1, 2, 100, 12};
        QTest::newRow("base 3.5 goes to even 4") << Round{7, 7, 25, 1, 4, 100, 16};
        QTest::newRow("2 of 3 is cut to 66.6") << Round{2, 3, 1, 1, 0, 66.6, 180};
        QTest::newRow("41 clicks in 20 s: just below 123") << Round{41, 41, 20, 1, 16, 100, 122};
        QTest::newRow("no clicks") << Round{0, 0, 30, 3, 0, 0, 0};
    }
    void roundResults()
    {
        QFETCH(Round, round);
        const auto [hits, clicks, seconds, level, score, accuracy, perMinute] = round;
        QCOMPARE(Results::finalScore(hits, clicks, seconds, level), score);
        QCOMPARE(Results::accuracyPercent(hits, clicks), accuracy);
        QCOMPARE(Results::clicksPerMinute(clicks, seconds), perMinute);
    }

    // Into a table of 50, 40, 40, 30 and seven rows of 0.
    void resultEntersBelowEqualScores_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("row");
        QTest::newRow("above all") << 60 << 0;
        QTest::newRow("equal to two: below both") << 40 << 3;
        QTest::newRow("equal to the first: below it") << 50 << 1;
        QTest::newRow("no higher than the lowest row: not entered") << 0 << 11;
    }
    void resultEntersBelowEqualScores()
    {
        QFETCH(int, score);
        QFETCH(int, row);
        QCOMPARE(TopTable::insertionRow({50, 40, 40, 30}, score), row);
    }

    void numbersUseDigitsZeroToNine_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("fraction");
        QTest::newRow("German, which groups with '.'") << QLocale(QLocale::German) << "66,6";
        QTest::newRow("Arabic (Egypt)") << QLocale(QLocale::Arabic, QLocale::Egypt) << "66\u066B6";
    }
    void numbersUseDigitsZeroToNine()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, fraction);
        const NumberFormat numbers(locale);
        QCOMPARE(numbers.toText(1234), QStringLiteral("1234"));
        QCOMPARE(numbers.toText(66.6), fraction);
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
