#include "core/clockcaption.h"
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
        QTest::newRow("10 s: two digits") << 9 << "00:10";
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
        QTest::newRow("ended before its first second") << Round{1, 1, 0, 1, 0, 100, 60};
        QTest::newRow("beyond 32 bits: the largest score")
            << Round{1e6, 1e6, 32767, 5, 2147483647, 100, 1831};
    }
    void roundResults()
    {
        QFETCH(Round, round);
        const auto [hits, clicks, seconds, level, score, accuracy, perMinute] = round;
        QCOMPARE(Results::finalScore(hits, clicks, seconds, level), score);
        QCOMPARE(Results::accuracyPercent(hits, clicks), accuracy);
        QCOMPARE(Results::clicksPerMinute(clicks, seconds), perMinute);
    }

    // Into a table of 50, 40, 40, 30 and seven rows of 0 (rows named a..k): the rows below move
    // down one and the last falls out.
    void resultEntersBelowEqualScores_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("table");
        QTest::newRow("above all") << 60 << "x60 a50 b40 c40 d30 e0 f0 g0 h0 i0 j0";
        QTest::newRow("equal to two: below both") << 40 << "a50 b40 c40 x40 d30 e0 f0 g0 h0 i0 j0";
        QTest::newRow("equal to the first: below it")
            << 50 << "a50 x50 b40 c40 d30 e0 f0 g0 h0 i0 j0";
        QTest::newRow("no higher than the lowest row: not entered")
            << 0 << "a50 b40 c40 d30 e0 f0 g0 h0 i0 j0 k0";
    }
    void resultEntersBelowEqualScores()
    {
        QFETCH(int, score);
        QFETCH(QString, table);
        TopTable::Names names{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"};
        TopTable::ScoreList scores{50, 40, 40, 30};
        TopTable::insert(names, scores, TopTable::insertionRow(scores, score), "x", score);
        QStringList rows;
        for (int row = 0; row < TopTable::Rows; ++row)
            rows << names[row] + QString::number(scores[row]);
        QCOMPARE(rows.join(' '), table);
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
